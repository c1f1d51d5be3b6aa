#pragma once

#include <QChar>
#include <QString>

class QWidget;

// The access key of a caption: the character after a single "&", upper
// case; a null character when it has none.
QChar AccessKeyOf(const QString& caption);

// Gives every button of a dialog, and every label that names a field, an
// access key of its own, adding only an "&" to the caption: keys a caption
// already has stay, the others take the first letter of a word that is
// still free, else any free letter or digit. A label without a buddy that
// is a caption, not a sentence, gets the field beside it, or below it, as
// its buddy, so that its key moves the focus there.
void AssignAccessKeys(QWidget* dialog);
