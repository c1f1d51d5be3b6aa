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
    QString filter;         // e.g. "TextFiles (*.TXT)"; empty offers all files
    QString defaultSuffix;  // appended to a name typed without one
    QString proposedName{};  // the name the dialog offers first; may be empty
};

QString ChooseFile(QWidget* parent, const FileChoice& choice);

using FileChoiceHook = std::function<QString(const FileChoice&)>;
void SetFileChoiceHook(FileChoiceHook hook);
