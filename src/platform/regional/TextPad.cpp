#include "TextPad.h"

#include <QList>
#include <QTextBoundaryFinder>

namespace regional {
namespace {

// Below U+0300 every UTF-16 unit is a character of its own: no combining
// marks, no surrogate halves. Amounts, codes and most texts take this path.
bool oneUnitPerCharacter(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x0300)
            return false;
    return true;
}

// Positions (UTF-16 offsets) where the whole characters of the text start, and its end.
QList<qsizetype> characterStarts(const QString &text)
{
    QList<qsizetype> starts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype p = 0; p >= 0 && p <= text.size(); p = finder.toNextBoundary())
        starts << p;
    if (starts.isEmpty() || starts.last() != text.size())
        starts << text.size();
    return starts;
}

} // namespace

int characterCount(const QString &text)
{
    if (oneUnitPerCharacter(text))
        return int(text.size());
    return int(characterStarts(text).size()) - 1;
}

QString firstCharacters(const QString &text, int n)
{
    if (oneUnitPerCharacter(text))
        return text.left(n);
    const QList<qsizetype> starts = characterStarts(text);
    if (n <= 0)
        return QString();
    if (n >= starts.size() - 1)
        return text;
    return text.left(starts[n]);
}

QString lastCharacters(const QString &text, int n)
{
    if (oneUnitPerCharacter(text))
        return text.right(n);
    const QList<qsizetype> starts = characterStarts(text);
    const qsizetype count = starts.size() - 1;
    if (n <= 0)
        return QString();
    if (n >= count)
        return text;
    return text.mid(starts[count - n]);
}

QString PadLeft(const QString &text, int n)
{
    const QString t = text.trimmed();
    const int count = characterCount(t);
    if (count >= n)
        return lastCharacters(t, n);
    return QString(n - count, QLatin1Char(' ')) + t;
}

QString PadRight(const QString &text, int n)
{
    const QString t = text.trimmed();
    const int count = characterCount(t);
    if (count >= n)
        return firstCharacters(t, n);
    return t + QString(n - count, QLatin1Char(' '));
}

} // namespace regional
