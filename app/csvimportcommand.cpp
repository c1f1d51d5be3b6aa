#include "app/csvimportcommand.h"

#include <QFileInfo>

#include "app/csvimportpreview.h"
#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "desktop/progressdialog.h"
#include "history/edithistory.h"
#include "interchange/shipcsvimport.h"

bool ImportShipsFromCsv(QWidget* parent, CBrinnowDoc& doc, EditHistory& history) {
    const QString path = ChooseFile(
        parent,
        {FileChoice::Open, "Import Ships from CSV", "CSV Files (*.csv);;All Files (*)", "csv", {}});
    if (path.isEmpty()) return false;
    ShipCsvImport import(doc);
    std::string error;
    if (!RunWithProgress(parent, "Import Ships from CSV", [&](Progress& progress) {
            import.ReadFile(path.toStdString(), error, progress);
        })) {
        return false;
    }
    if (!error.empty()) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return false;
    }
    CsvImportPreview preview(import, QFileInfo(path).fileName(), parent);
    if (preview.exec() != QDialog::Accepted) return false;
    return history.Run("Import Ships from CSV", [&] { import.Apply(doc); });
}
