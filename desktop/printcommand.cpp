#include "desktop/printcommand.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "desktop/messagebox.h"
#include "desktop/proposedfile.h"
#include "desktop/waitcursor.h"
#include "platform/qtstrings.h"

namespace {

QPrinter*& PrinterSlot() {
    static QPrinter* printer = nullptr;
    return printer;
}

PrintHook& Hook() {
    static PrintHook hook;
    return hook;
}

}  // namespace

void ProposePdfFile(QPrinter& printer, const QString& documentName, const std::string& documentPath,
                    const QStringList& printers) {
    // Qt prints to a file only as PDF.
    if (!printers.isEmpty() && printer.outputFileName().isEmpty()) return;
    printer.setOutputFileName(ProposedFile(documentName, documentPath, "pdf"));
}

QPrinter& PrinterForJob(const QString& documentName, const std::string& documentPath) {
    QPrinter& printer = SharedPrinter();
    printer.setDocName(documentName);
    printer.setFromTo(0, 0);
    ProposePdfFile(printer, documentName, documentPath, QPrinterInfo::availablePrinterNames());
    return printer;
}

QPrinter& SharedPrinter() {
    if (!PrinterSlot()) {
        PrinterSlot() = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine([] {
            delete PrinterSlot();
            PrinterSlot() = nullptr;
        });
    }
    return *PrinterSlot();
}

void RunOnPrinter(QPrinter& printer, const PrinterJob& job, PrintOutput::Use use) {
    const WaitCursor wait;
    PrintOutput output(printer, use);
    if (output.IsOpen()) job(output.Dc());
    if (!output.Finish()) AfxMessageBoxUnicode(QString::fromStdString(output.Error()));
}

void PrintWithDialog(QWidget* parent, const std::string& documentName,
                     const std::string& documentPath, const PrinterJob& job) {
    if (Hook()) return Hook()(documentName, job, false);
    QPrinter& printer = PrinterForJob(ToQt(documentName), documentPath);
    QPrintDialog dialog(&printer, parent);
    // The job decides its pages: no range or selection to choose.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    RunOnPrinter(printer, job);
}

void ShowPrintPreview(QWidget* parent, const QString& documentName, const std::string& documentPath,
                      const std::function<void(QPrinter& printer)>& print) {
    QPrinter& printer = PrinterForJob(documentName, documentPath);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle("Print Preview");
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&print](QPrinter* target) { print(*target); });
    preview.resize(900, 1000);
    preview.exec();
}

void PreviewPrint(QWidget* parent, const std::string& documentName, const std::string& documentPath,
                  const PrinterJob& job) {
    if (Hook()) return Hook()(documentName, job, true);
    ShowPrintPreview(parent, ToQt(documentName), documentPath, [&job](QPrinter& printer) {
        RunOnPrinter(printer, job, PrintOutput::Use::Preview);
    });
}

void SetPrintHook(PrintHook hook) { Hook() = std::move(hook); }
