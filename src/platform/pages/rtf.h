#pragma once

// A reader for the RTF the engine honours: text with bold, italic,
// underline, strike-through, font size and colour, paragraph and line
// breaks, tabs, \'hh characters of the document's code page and \uN
// characters. Other control words and destinations (font tables, pictures,
// fields) are skipped; text that is not RTF is one plain run.

#include <QColor>
#include <QString>

#include <optional>
#include <vector>

namespace pages {

struct RichRun {
    QString text;  // "\r" ends a paragraph or line, "\t" is a tab
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    double size = 0;              // points; 0 keeps the engine's font size
    std::optional<QRgb> color;    // none keeps the engine's text colour

    friend bool operator==(const RichRun &, const RichRun &) = default;
};

std::vector<RichRun> parseRtf(const QString &rtf);

}  // namespace pages
