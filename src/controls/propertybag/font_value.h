#pragma once

#include <QFont>
#include <QString>

namespace kelvora {

// A font as a form file keeps it: the attributes of the old font object.
// `charset` is carried so that a stored font comes back unchanged; Qt picks
// glyphs by script, so a QFont has no place for it.
struct FontValue
{
    static constexpr qint16 kDefaultCharset = 1; // "choose by name and size"

    QString name;
    double size = 8.25; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    qint16 charset = kDefaultCharset;

    // A font given in pixels is converted at 96 dpi (15 twips a pixel).
    static FontValue fromFont(const QFont &font, qint16 charset = kDefaultCharset);
    QFont toFont() const;

    friend bool operator==(const FontValue &, const FontValue &) = default;
};

} // namespace kelvora
