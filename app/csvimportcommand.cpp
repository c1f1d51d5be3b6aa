#include "app/csvimportcommand.h"

#include <QFileInfo>

#include "app/csvimportpreview.h"
#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "desktop/progressdialog.h"
#include "history/edithistory.h"
#include "interchange/shipcsvimport.h"
#include "platform/filestore.h"

bool ImportShipsFromCsv(QWidget* parent, CBrinnowDoc& doc, EditHistory& history) {
    const QString path = ChooseFile(
        parent,
        {FileChoice::Open, "Import Ships from CSV", "CSV Files (*.csv);;All Files (*)", "csv", {}});
    if (path.isEmpty()) return false;
    ShipCsvImport import(doc);
    std::string error;
    bool read = false;
    if (!RunWithProgress(parent, "Import Ships from CSV", [&](Progress& progress) {
            std::string bytes;
            read = ReadWholeFile(path.toStdString(), bytes, error);
            if (read) import.Read(bytes, progress);
        })) {
        return false;
    }
    if (!read) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return false;
    }
    CsvImportPreview preview(import, QFileInfo(path).fileName(), parent);
    if (preview.exec() != QDialog::Accepted) return false;
    return history.Run("Import Ships from CSV", [&] { import.Apply(doc); });
}
