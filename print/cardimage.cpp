#include "print/cardimage.h"

#include <QPainter>
#include <array>

#include "platform/qpainterdc.h"
#include "print/printframework.h"

void CardImage::Render(double p, const std::function<void(CDC&)>& draw) {
    // One image serves card after card of the same size. Filled white by the
    // image itself: a painter would hand a fill this large to other threads.
    const QSize size(Mm(p, 44), Mm(p, 22));
    if (m_image.size() != size) m_image = QImage(size, QImage::Format_RGB555);
    m_image.fill(Qt::white);
    QPainter painter(&m_image);
    QPainterDC dc(painter);
    draw(dc);
}

std::vector<std::uint8_t> CardImage::GreyPixels() const {
    // The grey depends only on r + g + b (0 to 93): one table for all pixels.
    static const std::array<std::uint8_t, 94> greyOfSum = [] {
        std::array<std::uint8_t, 94> table{};
        for (std::size_t sum = 0; sum < table.size(); ++sum) {
            table[sum] = static_cast<std::uint8_t>(8.0 * double(sum) * 0.3333333333333333);
        }
        return table;
    }();
    const int width = Width();
    const int height = Height();
    std::vector<std::uint8_t> grey(std::size_t(width) * std::size_t(height));
    auto out = grey.begin();
    for (int row = 0; row < height; ++row) {
        const auto* pixels = reinterpret_cast<const std::uint16_t*>(m_image.constScanLine(row));
        for (int column = 0; column < width; ++column) {
            const std::uint16_t v = pixels[column];
            *out++ = greyOfSum[((v >> 10) & 31) + ((v >> 5) & 31) + (v & 31)];
        }
    }
    return grey;
}
