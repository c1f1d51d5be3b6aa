#include "app/desktopidentity.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

#include "platform/programfiles.h"

namespace {

// Read from the files themselves: a desktop without an icon theme, or with
// one that does not look into the build folder, still shows the icon.
QIcon ProgramIcon() {
    QIcon icon;
    const QDir hicolor(QString::fromStdString(ProgramFiles::OfRunningProgram().IconThemes()) +
                       "/hicolor");
    for (const QString& size : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString file = hicolor.filePath(size + "/apps/" BRINNOW_APP_ID ".png");
        if (QFileInfo::exists(file)) icon.addFile(file);
    }
    return icon;
}

}  // namespace

void UseDesktopIdentity() {
    QGuiApplication::setDesktopFileName(BRINNOW_APP_ID);
    QGuiApplication::setWindowIcon(ProgramIcon());
}
