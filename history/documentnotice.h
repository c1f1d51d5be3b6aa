#pragma once

#include <QEvent>

class QObject;

// The document-changed notice: editors post it to the main window after the
// changes their rules name; the main window passes it to its direct children
// and the view marks the document modified.
inline constexpr QEvent::Type kDocumentChangedEvent = QEvent::Type(QEvent::User + 1);

void SetNoticeWindow(QObject* mainWindow);
void PostDocumentChangedNotice();
