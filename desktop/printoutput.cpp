#include "desktop/printoutput.h"

#include <QPrinter>

#include "platform/pdfsurface.h"
#include "platform/qpainterdc.h"

PrintOutput::PrintOutput(QPrinter& printer, Use use) : m_printer(printer) {
    const QString file = printer.outputFileName();
    // Qt prints to a file only as PDF, whatever the printer's format says.
    if (use == Use::Print && !file.isEmpty()) {
        m_pdf = std::make_unique<PdfSurface>(file.toStdString(), printer.pageLayout(),
                                             printer.resolution(), printer.docName());
        if (m_pdf->IsOpen()) m_dc = &m_pdf->Dc();
        m_error = m_pdf->Error();
        return;
    }
    if (!m_painter.begin(&printer)) {
        m_error = "The printer could not start the job.";
        return;
    }
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_ownDc = std::make_unique<QPainterDC>(m_painter);
    m_ownDc->SetPageBreak([&printer] { printer.newPage(); });
    m_dc = m_ownDc.get();
}

PrintOutput::~PrintOutput() = default;

bool PrintOutput::Finish() {
    if (!IsOpen()) return false;
    m_dc = nullptr;
    if (m_pdf) {
        if (m_pdf->Finish()) return true;
        m_error = m_pdf->Error();
        return false;
    }
    return m_painter.end();
}

void PrintOutput::Abandon() {
    m_dc = nullptr;
    m_pdf.reset();
    if (m_painter.isActive()) {
        m_printer.abort();
        m_painter.end();
    }
}
