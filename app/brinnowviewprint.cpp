// The view's print and export commands: File Print and its preview of the
// cards, the blank form, a single card, Print Selected Items, and the ships
// or the campaign written to a chosen file.
#include <QFileInfo>
#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "app/brinnowview.h"
#include "app/printelements.h"
#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "desktop/progressdialog.h"
#include "desktop/proposedfile.h"
#include "export/textexport.h"
#include "interchange/campaignjsonexport.h"
#include "interchange/shipcsv.h"
#include "model/brinnowdoc.h"
#include "platform/qpainterdc.h"
#include "print/blankform.h"
#include "print/printframework.h"
#include "print/shipcardjob.h"

// The pages File Print offers, laid out for the printer as it is set now.
int CBrinnowView::OnPreparePrinting(CDC& defaultPrinter) {
    return static_cast<int>(ShipCardJob(m_doc).Layout(defaultPrinter).size());
}

void CBrinnowView::PrintAll(QWidget* window, QPrinter& printer, PrintOutput::Use use) {
    const std::string title = m_doc.GetTitle();
    RunOnPrinter(
        window, PrintWork(use, QString::fromStdString(title)), printer,
        [this, &printer, &title](CDC& dc, Progress& progress) {
            ShipCardJob(m_doc).Print(dc, title.c_str(), progress, printer.fromPage(),
                                     printer.toPage());
        },
        use);
}

namespace {
// Lays out for a printer before its job starts: its size, fonts measured in
// pixels on a scratch image.
int CountPages(CBrinnowView& view, QPrinter& printer) {
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    QPainterDC dc(painter, &printer);
    return view.OnPreparePrinting(dc);
}
}  // namespace

// The print dialog proposes this name, with ".pdf", for printing to a file,
// and a PDF carries it as its title.
QString CBrinnowView::PrintJobName() const {
    return QFileInfo(QString::fromStdString(m_doc.GetTitle())).completeBaseName();
}

void CBrinnowView::FilePrintSetup() {
    QPageSetupDialog dialog(&SharedPrinter(), this);
    dialog.exec();
}

void CBrinnowView::FilePrint() {
    if (m_doc.m_ships.empty()) {
        AfxMessageBox(kNoShipsToPrint, MB_ICONINFORMATION);
        return;
    }
    QPrinter& printer = PrinterForJob(PrintJobName(), m_doc.GetPathName());
    const int pages = CountPages(*this, printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setMinMax(1, std::max(1, pages));
    if (dialog.exec() != QDialog::Accepted) return;
    PrintAll(window(), printer, PrintOutput::Use::Print);
}

void CBrinnowView::FilePrintPreview() {
    ShowPrintPreview(this, PrintJobName(), m_doc.GetPathName(),
                     [this](QWidget* window, QPrinter& printer, PrintOutput::Use use) {
                         PrintAll(window, printer, use);
                     });
}

void CBrinnowView::PrintBlankShipForm() {
    PrintWithDialog(this, "Brinnow Blank Ship Form", m_doc.GetPathName(),
                    [](CDC& printer, Progress&) { ::PrintBlankShipForm(printer); });
}

void CBrinnowView::PrintSelectedItems() {
    CPrintElementsDlg dialog(m_doc, window());
    dialog.exec();
}

void CBrinnowView::ExportShipsAsText() {
    if (m_doc.m_ships.empty()) return;
    ExportToChosenFile({FileChoice::Save, "Export Ships as Text", "TextFiles (*.TXT)", "txt",
                        ProposedBesideDocument("txt")},
                       ExportShipsText);
}

QString CBrinnowView::ProposedBesideDocument(const QString& suffix) const {
    return ProposedFile(PrintJobName(), m_doc.GetPathName(), suffix);
}

void CBrinnowView::ExportToChosenFile(const FileChoice& choice, DocumentExport write) {
    const QString path = ChooseFile(this, choice);
    if (path.isEmpty()) return;
    std::string error;
    bool written = true;
    RunWithProgress(this, choice.caption, [&](Progress& progress) {
        written = write(m_doc, path.toStdString(), error, progress);
    });
    if (!written) AfxMessageBoxUnicode(QString::fromStdString(error));
}

void CBrinnowView::ExportCampaignAsJson() {
    ExportToChosenFile({FileChoice::Save, "Export Campaign as JSON", "JSON Files (*.json)", "json",
                        ProposedBesideDocument("json")},
                       ExportCampaignJson);
}

void CBrinnowView::PrintCurrentShip() {
    if (!CanCopy()) return;
    // The reference lists and the one ship, so that its card and its page
    // come out as File Print makes them.
    auto one = std::make_shared<CBrinnowDoc>();
    one->m_nations = m_doc.m_nations;
    one->m_armaments = m_doc.m_armaments;
    one->m_torpedoes = m_doc.m_torpedoes;
    one->m_ships = {m_doc.m_ships[std::size_t(m_nCurrentShip)]};
    const std::string name = one->m_ships[0].m_strName;
    PrintWithDialog(this, name, m_doc.GetPathName(), [one, name](CDC& printer, Progress& progress) {
        ShipCardJob(*one).Print(printer, name.c_str(), progress);
    });
}

void CBrinnowView::ExportShipsAsCsv() {
    if (m_doc.m_ships.empty()) return;
    ExportToChosenFile({FileChoice::Save, "Export Ships as CSV", "CSV Files (*.csv)", "csv",
                        ProposedBesideDocument("csv")},
                       [](const CBrinnowDoc& doc, const std::string& path, std::string& error,
                          Progress& progress) {
                           return ExportShipsCsv(doc, path, error, CsvCells::Protected, progress);
                       });
}
