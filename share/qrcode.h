#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A QR code of a link, made by libqrencode: square, its modules dark or light.
class QrCode {
  public:
    // An empty code when the text cannot be encoded.
    explicit QrCode(const QByteArray& text);

    int Size() const { return m_size; }
    bool Dark(int x, int y) const { return m_dark[std::size_t(y * m_size + x)]; }
    // The code as lines of block characters, two rows of modules a line,
    // inside the quiet margin a reader needs, for a terminal.
    QString AsText() const;

  private:
    int m_size = 0;
    std::vector<bool> m_dark;
};
