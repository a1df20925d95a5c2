#pragma once

// Measures the layout's parts share (twips), and the colour conversion of its items.

#include "platform/pages/cellwrap.h"
#include "platform/pages/colors.h"

#include <QColor>

namespace pages::layoutmetrics {

constexpr int CellPadX = CellPaddingX;
constexpr int CellPadY = 25;
constexpr int BorderWidth = 10;   // half a point
constexpr int RuleWidth = 20;     // the firmer rule under a table heading

inline QRgb rgba(uint color)
{
    return toQColor(color).rgba();
}

}  // namespace pages::layoutmetrics
