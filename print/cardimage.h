#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/cdc.h"

// An off-screen card of 44 x 22 mm at a given scale, drawn at the depth of a
// 16-bit (5-5-5) screen, the depth the card images were designed for.
class CardImage {
  public:
    // Fills the image white and lets draw paint on it.
    void Render(double p, const std::function<void(CDC&)>& draw);

    const QImage& Image() const { return m_image; }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // Grey bytes, top row first, one byte a pixel: trunc((8r + 8g + 8b) / 3)
    // of the 5-bit channels, so white is 248 and black 0.
    std::vector<std::uint8_t> GreyPixels() const;

  private:
    QImage m_image;
};
