#pragma once

#include <QString>
#include <string>

// The file a save dialog offers for an output named name: "name.suffix" in
// the document's folder, or in the user's documents while the document is
// untitled. Characters some file system refuses become "_", and the name
// stays well inside the 255-byte limit.
QString ProposedFile(const QString& name, const std::string& documentPath, const QString& suffix);
