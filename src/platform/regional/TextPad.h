#pragma once

#include <QString>

// Fixed-width columns of the fixed-pitch lists and display lines.
namespace regional {

// The trimmed text right-justified in n characters, cut on the left when longer.
inline QString PadLeft(const QString &text, int n)
{
    const QString t = QString(n, QLatin1Char(' ')) + text.trimmed();
    return t.right(n);
}

// The trimmed text left-justified in n characters, cut on the right when longer.
inline QString PadRight(const QString &text, int n)
{
    return (text.trimmed() + QString(n, QLatin1Char(' '))).left(n);
}

} // namespace regional
