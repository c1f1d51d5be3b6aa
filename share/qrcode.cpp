#include "share/qrcode.h"

#include <qrencode.h>

namespace {

constexpr int kQuietModules = 2;

}  // namespace

QrCode::QrCode(const QByteArray& text) {
    QRcode* code = QRcode_encodeString(text.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (code == nullptr) return;
    m_size = code->width;
    m_dark.resize(std::size_t(m_size * m_size));
    for (std::size_t i = 0; i < m_dark.size(); ++i) m_dark[i] = (code->data[i] & 1) != 0;
    QRcode_free(code);
}

// Terminals mostly draw light text on dark: the light modules and the
// margin are the blocks, so that the code reads dark on light as printed.
QString QrCode::AsText() const {
    const auto light = [this](int x, int y) {
        return x < 0 || y < 0 || x >= m_size || y >= m_size || !Dark(x, y);
    };
    QString text;
    for (int y = -kQuietModules; y < m_size + kQuietModules; y += 2) {
        for (int x = -kQuietModules; x < m_size + kQuietModules; ++x) {
            const bool top = light(x, y);
            const bool bottom = light(x, y + 1);
            text += top ? (bottom ? QChar(0x2588) : QChar(0x2580))
                        : (bottom ? QChar(0x2584) : QChar(' '));
        }
        text += QLatin1Char('\n');
    }
    return text;
}
