// Twips and pixels, and design rectangles in twips.
#pragma once

#include <QRect>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

// Fifteen twips make one device-independent pixel: 96 dpi maps exactly and Qt's high-dpi
// scaling does the rest.
inline constexpr float kTwipsPerPixel = 15.0f;

inline int toPixels(float twips)
{
    const float pixels = std::round(twips / kTwipsPerPixel);
    return int(std::clamp(pixels, -float(QWIDGETSIZE_MAX), float(QWIDGETSIZE_MAX)));
}

constexpr float toTwips(int pixels)
{
    return float(pixels) * kTwipsPerPixel;
}

// A design rectangle: left, top, width and height in twips.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    QRect toPixels() const
    {
        using platform::toPixels;
        return {toPixels(float(left)), toPixels(float(top)), toPixels(float(width)),
                toPixels(float(height))};
    }
};

} // namespace platform
