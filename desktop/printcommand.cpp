#include "desktop/printcommand.h"

#include <QAction>
#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "desktop/messagebox.h"
#include "desktop/progressdialog.h"
#include "desktop/proposedfile.h"
#include "desktop/screenfit.h"
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

QString PrintWork(PrintOutput::Use use, const QString& documentName) {
    return (use == PrintOutput::Use::Preview ? "Previewing " : "Printing ") + documentName;
}

void RunOnPrinter(QWidget* window, const QString& work, QPrinter& printer, const PrinterJob& job,
                  PrintOutput::Use use) {
    PrintOutput output(printer, use);
    const bool done = RunWithProgress(window, work, [&](Progress& progress) {
        if (output.IsOpen()) job(output.Dc(), progress);
    });
    if (!done) return output.Abandon();
    if (!output.Finish()) AfxMessageBoxUnicode(QString::fromStdString(output.Error()));
}

void PrintWithDialog(QWidget* parent, const std::string& documentName,
                     const std::string& documentPath, const PrinterJob& job) {
    if (Hook()) return Hook()(documentName, job, false);
    QPrinter& printer = PrinterForJob(ToQt(documentName), documentPath);
    if (ChoosePrinter(parent, printer)) {
        RunOnPrinter(parent, PrintWork(PrintOutput::Use::Print, ToQt(documentName)), printer, job);
    }
}

bool ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    // The job decides its pages: no range or selection to choose.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

void ShowPrintPreview(QWidget* parent, const QString& documentName, const std::string& documentPath,
                      const PrintOnPrinter& print) {
    QPrinter& printer = PrinterForJob(documentName, documentPath);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle("Print Preview");
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter* target) { print(&preview, *target, PrintOutput::Use::Preview); });
    // The window's own Print would let the printer write a PDF file itself,
    // in place: it prints as every other Print does instead.
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != printText) continue;
        QObject::disconnect(action, &QAction::triggered, &preview, nullptr);
        QObject::connect(action, &QAction::triggered, &preview, [&] {
            if (!ChoosePrinter(&preview, printer)) return;
            print(&preview, printer, PrintOutput::Use::Print);
            preview.accept();
        });
    }
    FitOnScreen(preview, QSize(900, 1000));
    preview.exec();
}

void PreviewPrint(QWidget* parent, const std::string& documentName, const std::string& documentPath,
                  const PrinterJob& job) {
    if (Hook()) return Hook()(documentName, job, true);
    ShowPrintPreview(
        parent, ToQt(documentName), documentPath,
        [&job, &documentName](QWidget* window, QPrinter& printer, PrintOutput::Use use) {
            RunOnPrinter(window, PrintWork(use, ToQt(documentName)), printer, job, use);
        });
}

void SetPrintHook(PrintHook hook) { Hook() = std::move(hook); }
