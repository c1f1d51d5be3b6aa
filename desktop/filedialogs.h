#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// File choices, replaceable by tests. An empty result means the user cancelled.
struct FileChoice {
    enum Kind { Open, Save };
    Kind kind = Open;
    QString caption;
    QString filter;  // e.g. "TextFiles (*.TXT)"; ";;" between several; empty offers all files
    QString defaultSuffix;  // appended to a name typed without one
    QString proposedPath;   // the name (and folder) the dialog starts with
};

QString ChooseFile(QWidget* parent, const FileChoice& choice);

// The chosen path with the choice's default suffix when its name has no
// extension of its own.
QString WithDefaultSuffix(const QString& path, const FileChoice& choice);

using FileChoiceHook = std::function<QString(const FileChoice&)>;
void SetFileChoiceHook(FileChoiceHook hook);
