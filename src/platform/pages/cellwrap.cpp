#include "platform/pages/cellwrap.h"

namespace pages {

namespace {

bool isNumberSign(QChar c)
{
    switch (c.unicode()) {
    case '.': case ',': case '-': case '+': case '/': case ':': case '%': case '(': case ')':
    case 0x2212:  // minus sign
        return true;
    default:
        return false;
    }
}

// The longest start of the word that fits with the mark after it.
CellLine elided(const QString &word, const FontCache::Entry &font, double width)
{
    const QString mark(ElisionMark);
    qsizetype keep = word.size() - 1;
    while (keep > 0 && font.advance(word.left(keep) + mark) > width)
        --keep;
    // Never end on half of a surrogate pair.
    if (keep > 0 && word.at(keep - 1).isHighSurrogate())
        --keep;
    const QString text = word.left(keep) + mark;
    return {text, font.advance(text), 1.0};
}

CellLine wholeWord(const QString &word, const FontCache::Entry &font, double width)
{
    const double natural = font.advance(word);
    if (natural <= width)
        return {word, natural, 1.0};
    if (isNumberWord(word))
        return {word, width, width / natural};
    return elided(word, font, width);
}

void skipBlanks(QString &text)
{
    qsizetype n = 0;
    while (n < text.size() && text.at(n) == QLatin1Char(' '))
        ++n;
    text.remove(0, n);
}

}  // namespace

bool isNumberWord(const QString &word)
{
    bool digit = false;
    for (const QChar c : word) {
        if (c.isDigit())
            digit = true;
        else if (!isNumberSign(c))
            return false;
    }
    return digit;
}

std::vector<CellLine> wrapCell(const QString &text, const FontCache::Entry &font, double width)
{
    std::vector<CellLine> lines;
    if (text.isEmpty())
        return lines;
    const double whole = font.advance(text);
    if (whole <= width || width <= 0) {
        lines.push_back({text, whole, 1.0});
        return lines;
    }
    QString rest = text;
    skipBlanks(rest);
    while (!rest.isEmpty()) {
        const double w = font.advance(rest);
        if (w <= width) {
            lines.push_back({rest, w, 1.0});
            break;
        }
        // The most words that fit on this line.
        qsizetype cut = -1;
        for (qsizetype i = rest.indexOf(QLatin1Char(' ')); i > 0; i = rest.indexOf(QLatin1Char(' '), i + 1)) {
            if (font.advance(rest.left(i)) > width)
                break;
            cut = i;
        }
        if (cut > 0) {
            QString line = rest.left(cut);
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            lines.push_back({line, font.advance(line), 1.0});
            rest = rest.mid(cut);
        } else {
            // The first word alone is wider than the cell.
            const qsizetype end = rest.indexOf(QLatin1Char(' '));
            lines.push_back(wholeWord(end < 0 ? rest : rest.left(end), font, width));
            rest = end < 0 ? QString() : rest.mid(end);
        }
        skipBlanks(rest);
    }
    return lines;
}

}  // namespace pages
