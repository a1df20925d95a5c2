#include "PathFile.h"

#include "platform/regional/GreekFormats.h"

#include <QDir>
#include <QFile>

namespace pathfile {

QString fileName()
{
    return QStringLiteral("DIADROMH.DAT");
}

QString pathIn(const QString &programDir)
{
    return QDir(programDir).filePath(fileName());
}

QStringList splitItems(const QString &text)
{
    QStringList items;
    int i = 0;
    const int n = int(text.size());
    auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    auto isEnd = [](QChar c) { return c == QLatin1Char(',') || c == QLatin1Char('\n') || c == QLatin1Char('\r'); };
    while (i < n) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i >= n)
            break;
        QString item;
        if (text[i] == QLatin1Char('"')) {
            const int close = int(text.indexOf(QLatin1Char('"'), i + 1));
            const int stop = close < 0 ? n : close;
            item = text.mid(i + 1, stop - i - 1);
            i = close < 0 ? n : close + 1;
            while (i < n && !isEnd(text[i])) // anything after the closing quote up to the separator is dropped
                ++i;
        } else {
            const int start = i;
            while (i < n && !isEnd(text[i]))
                ++i;
            item = text.mid(start, i - start).trimmed();
        }
        items << item;
        if (i < n) {
            // one separator; a CR LF pair counts as one line end
            if (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++i;
        }
    }
    return items;
}

Contents parse(const QString &text)
{
    const QStringList items = splitItems(text);
    Contents c;
    if (!items.isEmpty())
        c.dataPath = items[0].trimmed();
    if (items.size() > 1) {
        bool ok = false;
        const qint64 colour = items[1].trimmed().toLongLong(&ok);
        if (ok)
            c.colour = colour;
    }
    if (items.size() > 2)
        c.caption = items[2];
    return c;
}

Contents read(const QString &programDir)
{
    QFile f(pathIn(programDir));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parse(QString::fromUtf8(f.readAll()));
}

bool dataPathMissing(const Contents &contents)
{
    return contents.dataPath.trimmed().isEmpty() || regional::isNumeric(contents.dataPath);
}

bool writeFolder(const QString &programDir, const QString &folder)
{
    QFile f(pathIn(programDir));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(folder.toUtf8() + '\n') > 0;
}

} // namespace pathfile
