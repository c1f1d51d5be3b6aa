#include "platform/pdfsurface.h"

PdfSurface::PdfSurface(const std::string& path, const QPageSize& pageSize, int dpi)
    : PdfSurface(path, QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()), dpi) {}

PdfSurface::PdfSurface(const std::string& path, const QPageLayout& layout, int dpi,
                       const QString& title)
    : m_file(path) {
    if (!m_file.Open()) {
        m_error = m_file.Error();
        return;
    }
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setResolution(dpi);
    m_writer->setPageLayout(layout);
    m_writer->setCreator("Brinnow");
    m_writer->setTitle(title);
    if (!m_painter.begin(m_writer.get())) {
        m_error = "Cannot start a PDF document in \"" + path + "\".";
        return;
    }
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_dc = std::make_unique<QPainterDC>(m_painter);
    m_dc->SetPageBreak([this] { m_writer->newPage(); });
}

PdfSurface::~PdfSurface() {
    // Ending the painter writes the rest of the PDF; the file, never
    // committed, then goes away with its temporary.
    if (m_painter.isActive()) m_painter.end();
}

bool PdfSurface::Finish() {
    if (!m_painter.isActive()) return false;
    m_painter.end();
    if (!m_file.Commit()) {
        m_error = m_file.Error();
        return false;
    }
    return true;
}
