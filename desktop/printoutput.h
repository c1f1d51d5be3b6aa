#pragma once

#include <QPainter>
#include <memory>
#include <string>

class CDC;
class PdfSurface;
class QPainterDC;
class QPrinter;

// Where a print job draws: the printer itself or, when the user chose to
// print to a PDF file, that file written through a temporary one, so that a
// failed write is reported and leaves the old file as it was.
class PrintOutput {
  public:
    // A preview never writes the file its printer may name.
    enum class Use { Print, Preview };
    explicit PrintOutput(QPrinter& printer, Use use = Use::Print);
    ~PrintOutput();

    bool IsOpen() const { return m_dc != nullptr; }
    CDC& Dc() { return *m_dc; }
    // Ends the job; false with Error() set when its file could not be written.
    bool Finish();
    // Ends the job unfinished: a PDF file stays as it was, a printer drops
    // the job.
    void Abandon();
    const std::string& Error() const { return m_error; }

  private:
    QPrinter& m_printer;
    std::unique_ptr<PdfSurface> m_pdf;
    QPainter m_painter;
    std::unique_ptr<QPainterDC> m_ownDc;
    CDC* m_dc = nullptr;
    std::string m_error;
};
