#include "PathFile.h"

#include "ServerBook.h"

#include "platform/regional/GreekCodePage.h"
#include "platform/regional/GreekFormats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace pathfile {

QString fileName()
{
    return QStringLiteral("DIADROMH.DAT");
}

QString pathIn(const QString &dir)
{
    return QDir(dir).filePath(fileName());
}

QString userConfigDir()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Kelvora"));
}

bool isSystemFolder(const QString &dir)
{
    if (dir.isEmpty())
        return false;
    const QFileInfo info(dir);
    const QString real = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    static const char *const systemRoots[] = {"/usr", "/opt", "/bin", "/sbin", "/lib", "/lib64", "/lib32",
                                              "/snap", "/app", "/nix/store", "/etc"};
    for (const char *root : systemRoots) {
        const QString r = QString::fromLatin1(root);
        if (real == r || real.startsWith(r + QLatin1Char('/')))
            return true;
    }
    return false;
}

Places placesFor(const QString &programDir)
{
    return {programDir, userConfigDir()};
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

Contents parseBytes(const QByteArray &bytes)
{
    return parse(regional::decodeUtf8OrGreek(bytes));
}

namespace {

std::optional<Contents> readFile(const QString &dir)
{
    if (dir.isEmpty())
        return std::nullopt;
    QFile f(pathIn(dir));
    if (!f.open(QIODevice::ReadOnly)) {
        // There but unreadable is not "no file": it may name the business's book.
        if (!QFileInfo::exists(f.fileName()))
            return std::nullopt;
        Contents c;
        c.source = f.fileName();
        c.unreadable = true;
        return c;
    }
    Contents c = parseBytes(f.readAll());
    c.source = f.fileName();
    // A server connection is no path: it is kept as written.
    if (!dataPathMissing(c) && !serverbook::isConnection(c.dataPath) && QDir::isRelativePath(QDir::fromNativeSeparators(c.dataPath)))
        c.dataPath = QDir::cleanPath(QDir(dir).absoluteFilePath(QDir::fromNativeSeparators(c.dataPath)));
    return c;
}

} // namespace

Contents read(const Places &places)
{
    const std::optional<Contents> beside = readFile(places.programDir);
    if (beside && !dataPathMissing(*beside))
        return *beside;
    const std::optional<Contents> config = readFile(places.configDir);
    if (config && !dataPathMissing(*config))
        return *config;
    return beside ? *beside : config.value_or(Contents{});
}

bool dataPathMissing(const Contents &contents)
{
    return contents.dataPath.trimmed().isEmpty() || regional::isNumeric(contents.dataPath);
}

namespace {

// QSaveFile: a failed write never leaves a half-written file behind.
bool writeIn(const QString &dir, const QByteArray &bytes, QString &error)
{
    if (dir.isEmpty() || !QDir().mkpath(dir)) {
        error = QStringLiteral("ο φάκελος δεν δημιουργήθηκε");
        return false;
    }
    QSaveFile f(pathIn(dir));
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
        return true;
    error = f.errorString();
    return false;
}

} // namespace

WriteResult writeFolder(const Places &places, const QString &folder)
{
    const QByteArray bytes = folder.toUtf8() + '\n';
    WriteResult r;
    QStringList tried;
    for (const QString &dir : {places.programDir, places.configDir}) {
        if (dir.isEmpty() || (dir == places.programDir && isSystemFolder(dir)))
            continue;
        tried << pathIn(dir);
        if (writeIn(dir, bytes, r.error)) {
            r.ok = true;
            r.path = pathIn(dir);
            return r;
        }
    }
    r.path = tried.join(QStringLiteral(", "));
    return r;
}

} // namespace pathfile
