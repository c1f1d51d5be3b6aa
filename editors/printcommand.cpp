#include "editors/printcommand.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "editors/messagebox.h"
#include "editors/waitcursor.h"
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

QPrinter& PrinterFor(const std::string& documentName) {
    QPrinter& printer = SharedPrinter();
    printer.setDocName(ToQt(documentName));
    printer.setFromTo(0, 0);
    return printer;
}

}  // namespace

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

void PrintWithDialog(QWidget* parent, const std::string& documentName, const PrinterJob& job) {
    if (Hook()) return Hook()(documentName, job, false);
    QPrinter& printer = PrinterFor(documentName);
    QPrintDialog dialog(&printer, parent);
    // The job decides its pages: no range or selection to choose.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    RunOnPrinter(printer, job);
}

void ShowPrintPreview(QWidget* parent, const std::string& documentName,
                      const std::function<void(QPrinter& printer)>& print) {
    QPrinter& printer = PrinterFor(documentName);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle("Print Preview");
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&print](QPrinter* target) { print(*target); });
    preview.resize(900, 1000);
    preview.exec();
}

void PreviewPrint(QWidget* parent, const std::string& documentName, const PrinterJob& job) {
    if (Hook()) return Hook()(documentName, job, true);
    ShowPrintPreview(parent, documentName,
                     [&job](QPrinter& printer) {
                         RunOnPrinter(printer, job, PrintOutput::Use::Preview);
                     });
}

void SetPrintHook(PrintHook hook) { Hook() = std::move(hook); }
