#include "print/cardimage.h"

#include <QPainter>

#include "platform/qpainterdc.h"
#include "print/printframework.h"

void CardImage::Render(double p, const std::function<void(CDC&)>& draw) {
    m_image = QImage(Mm(p, 44), Mm(p, 22), QImage::Format_RGB555);
    QPainter painter(&m_image);
    QPainterDC dc(painter);
    dc.PatBlt(0, 0, m_image.width(), m_image.height(), WHITENESS);
    draw(dc);
}

std::vector<std::uint8_t> CardImage::GreyPixels() const {
    std::vector<std::uint8_t> grey(std::size_t(Width()) * std::size_t(Height()));
    auto out = grey.begin();
    for (int row = 0; row < Height(); ++row) {
        const auto* pixels = reinterpret_cast<const std::uint16_t*>(m_image.constScanLine(row));
        for (int column = 0; column < Width(); ++column) {
            const std::uint16_t v = pixels[column];
            const int r = (v >> 10) & 31;
            const int g = (v >> 5) & 31;
            const int b = v & 31;
            *out++ = static_cast<std::uint8_t>((8.0 * r + 8.0 * g + 8.0 * b) * 0.3333333333333333);
        }
    }
    return grey;
}
