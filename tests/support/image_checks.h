#pragma once
// Pixel counts for tests that look at a drawn picture.

#include <QImage>

namespace kalven::testing {

// The number of pixels of exactly this colour.
inline int CountPixels(const QImage& image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == color ? 1 : 0;
    return count;
}

}  // namespace kalven::testing
