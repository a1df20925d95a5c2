#include "SafeText.h"

#include "TextPad.h"

#include <QStringView>

namespace regional {
namespace {

constexpr char16_t FirstStrongIsolate = 0x2068;
constexpr char16_t PopDirectionalIsolate = 0x2069;

bool isLineBreak(char32_t c)
{
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isRightToLeft(char32_t c)
{
    switch (QChar::direction(c)) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirAN:
        return true;
    default:
        return false;
    }
}

// Calls f(code point, UTF-16 length) for each code point; a lone surrogate
// half is passed as it stands.
template <typename F> void forEachCodePoint(const QString &text, F f)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text[i + 1]), QStringView(text).mid(i, 2));
            ++i;
        } else {
            f(char32_t(c.unicode()), QStringView(text).mid(i, 1));
        }
    }
}

} // namespace

bool isInvisibleCharacter(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:      // C0, DEL, C1
    case QChar::Other_Format:       // direction controls, zero-width characters, soft hyphen, BOM
    case QChar::Separator_Line:     // U+2028
    case QChar::Separator_Paragraph: // U+2029
        return true;
    default:
        return false;
    }
}

QString oneLineText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool breakPending = false;
    forEachCodePoint(text, [&](char32_t c, QStringView units) {
        if (isLineBreak(c) || c == 0x09) {
            breakPending = true;
            return;
        }
        if (isInvisibleCharacter(c))
            return;
        if (breakPending && !out.isEmpty() && !out.endsWith(QLatin1Char(' ')) && c != U' ')
            out += QLatin1Char(' ');
        breakPending = false;
        out += units;
    });
    return out;
}

QString markInvisible(const QString &text)
{
    bool clean = true;
    forEachCodePoint(text, [&](char32_t c, QStringView) { clean = clean && !isInvisibleCharacter(c); });
    if (clean)
        return text;
    QString out;
    out.reserve(text.size());
    forEachCodePoint(text, [&](char32_t c, QStringView units) {
        if (isLineBreak(c))
            out += QChar(0x00B6); // ¶
        else if (c == 0x09)
            out += QChar(0x2192); // →
        else if (isInvisibleCharacter(c))
            out += QChar(0x25A1); // □
        else
            out += units;
    });
    return out;
}

QString isolateRightToLeft(const QString &text)
{
    bool rightToLeft = false;
    forEachCodePoint(text, [&](char32_t c, QStringView) { rightToLeft = rightToLeft || isRightToLeft(c); });
    if (!rightToLeft)
        return text;
    return QChar(FirstStrongIsolate) + text + QChar(PopDirectionalIsolate);
}

QString columnText(const QString &text, int width)
{
    const QString fitted = PadRight(markInvisible(text.trimmed()), width);
    const QString shown = fitted.trimmed();
    const int blanks = width - characterCount(shown);
    return isolateRightToLeft(shown) + QString(blanks, QLatin1Char(' '));
}

QString cellText(const QString &text)
{
    QString marked = markInvisible(text);
    marked.replace(QLatin1Char('|'), QChar(0x00A6)); // ¦
    return isolateRightToLeft(marked);
}

} // namespace regional
