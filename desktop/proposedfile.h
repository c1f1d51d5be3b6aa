#pragma once

#include <QString>
#include <string>

// The file a save dialog offers for an output named name: "name.suffix" in
// the document's folder, or, while the document is untitled or its folder
// is gone, in the user's documents when that folder exists, else in home.
// Characters some file system refuses become "_", and the name stays well
// inside the 255-byte limit.
QString ProposedFile(const QString& name, const std::string& documentPath, const QString& suffix);
