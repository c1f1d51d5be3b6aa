#include "history/documentnotice.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
QPointer<QObject>& NoticeWindow() {
    static QPointer<QObject> window;
    return window;
}
}  // namespace

void SetNoticeWindow(QObject* mainWindow) { NoticeWindow() = mainWindow; }

void PostDocumentChangedNotice() {
    if (NoticeWindow()) {
        QCoreApplication::postEvent(NoticeWindow(), new QEvent(kDocumentChangedEvent));
    }
}
