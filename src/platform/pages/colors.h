#pragma once

// Colours as the reports write them: 0x00BBGGRR, and 0x800000nn for the
// desktop's system colours (mapped to the application palette).

#include <QColor>

namespace pages {

using ColorRef = uint;

QColor toQColor(ColorRef color);
ColorRef fromQColor(const QColor &color);

}  // namespace pages
