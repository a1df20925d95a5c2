#pragma once

#include <QPoint>
#include <QSize>

#include <cmath>

namespace kelvora {

// Sizes and offsets of the control are kept in twips; the screen has
// 15 twips a pixel (96 dpi).
inline constexpr int kTwipsPerPixel = 15;

inline int pixelsFromTwips(int twips)
{
    return int(std::lround(double(twips) / kTwipsPerPixel));
}
inline QSize pixelsFromTwips(QSize twips)
{
    return {pixelsFromTwips(twips.width()), pixelsFromTwips(twips.height())};
}
inline QPoint pixelsFromTwips(QPoint twips)
{
    return {pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y())};
}
inline QSize twipsFromPixels(QSize pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace kelvora
