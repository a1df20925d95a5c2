#pragma once

// The fonts the reports name are those of another desktop ("Arial greek",
// "courier new greek", "Courier New"). They resolve to installed families
// with the same metrics (Liberation Sans / Mono / Serif), which carry Greek.
// Layout and painting both use fonts sized in twips (a pixel size of
// points * 20) so measurements do not depend on any device's resolution.

#include "platform/pages/document.h"

#include <QFont>
#include <QFontMetricsF>

#include <memory>
#include <vector>

namespace pages {

// "Arial greek" -> "Liberation Sans"; unknown names that are installed stay.
QString resolveFamily(const QString &requested);

// The QFont to lay out and paint a fontSpec with, sized in twips.
QFont layoutFont(const FontSpec &fontSpec);

// Remembers fonts and metrics of the font descriptions seen, for the layout loops.
class FontCache {
public:
    struct Entry {
        Entry(const FontSpec &fontSpec, const QFont &font) : fontSpec(fontSpec), font(font), metrics(font) {}
        FontSpec fontSpec;
        QFont font;
        QFontMetricsF metrics;
        // Width of a text in twips. Latin and Greek texts are summed from
        // remembered character widths (the fonts are laid out without
        // kerning, so the sum is what the painter draws); other scripts are
        // shaped in full.
        double advance(const QString &text) const;

    private:
        mutable std::vector<float> m_charWidths = std::vector<float>(0x400, -1.0f);
    };
    const Entry &get(const FontSpec &fontSpec);

private:
    std::vector<std::unique_ptr<Entry>> m_entries;
    const Entry *m_last = nullptr;
};

}  // namespace pages
