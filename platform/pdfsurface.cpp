#include "platform/pdfsurface.h"

#include <QPageLayout>

PdfSurface::PdfSurface(const std::string& path, const QPageSize& pageSize, int dpi)
    : m_path(path), m_file(QString::fromStdString(path)) {
    if (!m_file.open(QIODevice::WriteOnly)) {
        m_error = "Cannot create \"" + path + "\": " + m_file.errorString().toStdString() + ".";
        return;
    }
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setResolution(dpi);
    m_writer->setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
    m_writer->setCreator("Brinnow");
    if (!m_painter.begin(m_writer.get())) {
        m_error = "Cannot start a PDF document in \"" + path + "\".";
        m_file.cancelWriting();
        return;
    }
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_dc = std::make_unique<QPainterDC>(m_painter);
    m_dc->SetPageBreak([this] { m_writer->newPage(); });
}

PdfSurface::~PdfSurface() {
    if (m_painter.isActive()) m_painter.end();
    m_file.cancelWriting();
}

bool PdfSurface::Finish() {
    if (!m_painter.isActive()) return false;
    m_painter.end();
    if (!m_file.commit()) {
        m_error = "Cannot write \"" + m_path + "\": " + m_file.errorString().toStdString() + ".";
        return false;
    }
    return true;
}
