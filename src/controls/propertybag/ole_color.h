#pragma once

#include <QColor>
#include <QtGlobal>

class QPalette;

namespace kelvora {

// A colour as form files of the old control set hold it: &H00BBGGRR for an
// RGB colour (red in the lowest byte) or &H800000xx for system colour xx,
// which follows the desktop palette instead of naming one fixed colour.
class OleColor
{
public:
    constexpr OleColor() = default;
    constexpr explicit OleColor(quint32 value) : m_value(value) {}

    static constexpr OleColor fromRgb(int red, int green, int blue)
    {
        return OleColor(quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16);
    }
    static constexpr OleColor system(quint8 index) { return OleColor(0x80000000u | index); }
    // The RGB value of a Qt colour; alpha is dropped, these colours are opaque.
    static OleColor fromColor(const QColor &colour);

    constexpr quint32 value() const { return m_value; }
    constexpr bool isSystem() const { return (m_value & 0xFF000000u) == 0x80000000u; }
    constexpr quint8 systemIndex() const { return quint8(m_value & 0xFF); }

    // System colours resolve against the given palette; an unknown system
    // index gives black rather than an invalid colour, so a damaged form file
    // still paints.
    QColor toColor(const QPalette &palette) const;
    // Resolves against the application palette.
    QColor toColor() const;

    friend constexpr bool operator==(OleColor, OleColor) = default;

private:
    quint32 m_value = 0;
};

// The system colours the controls use by default.
namespace systemcolour {
inline constexpr OleColor WindowFrame = OleColor::system(0x06);
inline constexpr OleColor WindowText = OleColor::system(0x08);
inline constexpr OleColor ApplicationWorkspace = OleColor::system(0x0C);
inline constexpr OleColor HighlightText = OleColor::system(0x0E);
inline constexpr OleColor ButtonFace = OleColor::system(0x0F);
inline constexpr OleColor ButtonText = OleColor::system(0x12);
} // namespace systemcolour

} // namespace kelvora
