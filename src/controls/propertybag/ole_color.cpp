#include "controls/propertybag/ole_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace kelvora {

namespace {

struct SystemRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Index xx of &H800000xx in the order of the old system colour table, mapped
// to the nearest palette role.
constexpr SystemRole kSystemRoles[] = {
    {QPalette::Active, QPalette::Button},            // 0x00 scroll bars
    {QPalette::Active, QPalette::Window},            // 0x01 desktop
    {QPalette::Active, QPalette::Highlight},         // 0x02 active title bar
    {QPalette::Inactive, QPalette::Highlight},       // 0x03 inactive title bar
    {QPalette::Active, QPalette::Window},            // 0x04 menu bar
    {QPalette::Active, QPalette::Base},              // 0x05 window background
    {QPalette::Active, QPalette::Shadow},            // 0x06 window frame
    {QPalette::Active, QPalette::WindowText},        // 0x07 menu text
    {QPalette::Active, QPalette::WindowText},        // 0x08 window text
    {QPalette::Active, QPalette::HighlightedText},   // 0x09 title bar text
    {QPalette::Active, QPalette::Window},            // 0x0A active border
    {QPalette::Inactive, QPalette::Window},          // 0x0B inactive border
    {QPalette::Active, QPalette::Dark},              // 0x0C application workspace
    {QPalette::Active, QPalette::Highlight},         // 0x0D highlight
    {QPalette::Active, QPalette::HighlightedText},   // 0x0E highlight text
    {QPalette::Active, QPalette::Button},            // 0x0F button face
    {QPalette::Active, QPalette::Dark},              // 0x10 button shadow
    {QPalette::Disabled, QPalette::Text},            // 0x11 grey text
    {QPalette::Active, QPalette::ButtonText},        // 0x12 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 0x13 inactive title text
    {QPalette::Active, QPalette::Light},             // 0x14 3-D highlight
    {QPalette::Active, QPalette::Shadow},            // 0x15 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 0x16 3-D light
    {QPalette::Active, QPalette::ToolTipText},       // 0x17 info text
    {QPalette::Active, QPalette::ToolTipBase},       // 0x18 info background
};

} // namespace

OleColor OleColor::fromColor(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return fromRgb(rgb.red(), rgb.green(), rgb.blue());
}

QColor OleColor::toColor(const QPalette &palette) const
{
    if (isSystem()) {
        const quint8 index = systemIndex();
        if (index >= std::size(kSystemRoles))
            return QColor(Qt::black);
        const SystemRole &entry = kSystemRoles[index];
        return palette.color(entry.group, entry.role);
    }
    // Palette-index and palette-relative forms (high byte 1 or 2) carry an
    // RGB value in the low bytes as well.
    return QColor(int(m_value & 0xFF), int(m_value >> 8 & 0xFF), int(m_value >> 16 & 0xFF));
}

QColor OleColor::toColor() const
{
    return toColor(QGuiApplication::palette());
}

} // namespace kelvora
