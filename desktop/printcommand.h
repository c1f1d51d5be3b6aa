#pragma once

#include <QStringList>
#include <functional>
#include <string>

#include "desktop/printoutput.h"
#include "platform/progress.h"

class CDC;
class QPrinter;
class QWidget;

// A direct print job: draws its pages on a printer's device context, from
// StartDoc to EndDoc, reporting how far it is.
using PrinterJob = std::function<void(CDC& printer, Progress& progress)>;

// The one printer of the program, with the choices of Print Setup; made on
// first use and freed with the application.
QPrinter& SharedPrinter();
// The shared printer ready for a job: named documentName (a PDF's title), no
// page range chosen, and a PDF file proposed beside the document at
// documentPath (empty while the document is untitled).
QPrinter& PrinterForJob(const QString& documentName, const std::string& documentPath);
// Proposes "<documentName>.pdf" beside the document, or in the documents
// folder while it is untitled, as the file to print to. Naming a file turns
// a printer into a PDF writer, so only a printer that writes files gets the
// name: when no printer is installed (printers: the installed printers'
// names) or when it already prints to a file.
void ProposePdfFile(QPrinter& printer, const QString& documentName, const std::string& documentPath,
                    const QStringList& printers);

// An editor's Print button: the print dialog (a PDF file is one of its
// printers), then the job on the chosen printer under the wait cursor. The
// printer's choices are kept for the next job. Cancelling prints nothing.
void PrintWithDialog(QWidget* parent, const std::string& documentName,
                     const std::string& documentPath, const PrinterJob& job);
// Shows the pages of the job in a print preview window, from which they can
// be printed as they are shown.
void PreviewPrint(QWidget* parent, const std::string& documentName, const std::string& documentPath,
                  const PrinterJob& job);
// The print dialog over the printer, without a page range to choose: true
// when the user chose to print.
bool ChoosePrinter(QWidget* parent, QPrinter& printer);
// A way of printing a job on a printer, as a preview or for real, for a
// window.
using PrintOnPrinter =
    std::function<void(QWidget* window, QPrinter& printer, PrintOutput::Use use)>;
// The print preview window over any way of printing to the shared printer.
// Its Print asks for the printer, then prints for real, so that a PDF file
// is written as every other print writes it.
void ShowPrintPreview(QWidget* parent, const QString& documentName, const std::string& documentPath,
                      const PrintOnPrinter& print);
// Runs the job on the chosen printer (or its PDF file) under a progress
// dialog of the window, titled with the work ("Printing campaign.brn"), one
// page break for each new page; says so when the output could not be
// written. Cancel leaves a PDF file as it was and ends a printer's job.
void RunOnPrinter(QWidget* window, const QString& work, QPrinter& printer, const PrinterJob& job,
                  PrintOutput::Use use = PrintOutput::Use::Print);
// "Printing Dogger Bank", or "Previewing Dogger Bank".
QString PrintWork(PrintOutput::Use use, const QString& documentName);

// Tests replace the dialogs: the hook gets the job that would run and
// whether it was asked for as a preview. An empty hook restores them.
using PrintHook =
    std::function<void(const std::string& documentName, const PrinterJob& job, bool preview)>;
void SetPrintHook(PrintHook hook);
