#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <string>

#include "platform/qpainterdc.h"
#include "platform/safefiledevice.h"

// A PDF file as a printer: the whole page is printable, so A4 at 600 dpi has
// 4960 x 7016 pixels on 210 x 297 mm. The file appears only when Finish
// succeeds; an abandoned surface leaves nothing behind.
class PdfSurface {
  public:
    PdfSurface(const std::string& path, const QPageSize& pageSize, int dpi);
    // A page with the layout's own margins, as a PDF printer has it; the
    // document carries the title.
    PdfSurface(const std::string& path, const QPageLayout& layout, int dpi,
               const QString& title = {});
    ~PdfSurface();

    bool IsOpen() const { return m_painter.isActive(); }
    const std::string& Error() const { return m_error; }
    CDC& Dc() { return *m_dc; }
    bool Finish();

  private:
    std::string m_error;
    SafeFileDevice m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<QPainterDC> m_dc;
};
