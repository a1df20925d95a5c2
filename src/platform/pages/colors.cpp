#include "platform/pages/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace pages {

namespace {

QColor systemColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0x05: return palette.color(QPalette::Base);             // window background
    case 0x08: return palette.color(QPalette::Text);             // window text
    case 0x0C: return palette.color(QPalette::Dark);             // application workspace
    case 0x0D: return palette.color(QPalette::Highlight);
    case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x0F: return palette.color(QPalette::Button);           // button face
    case 0x12: return palette.color(QPalette::ButtonText);
    default: return palette.color(QPalette::Window);
    }
}

}  // namespace

QColor toQColor(ColorRef color)
{
    if (color & 0x80000000u)
        return systemColor(int(color & 0xff));
    return QColor(int(color & 0xff), int((color >> 8) & 0xff), int((color >> 16) & 0xff));
}

ColorRef fromQColor(const QColor &color)
{
    return ColorRef(color.red()) | (ColorRef(color.green()) << 8) | (ColorRef(color.blue()) << 16);
}

}  // namespace pages
