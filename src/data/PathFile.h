#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// DIADROMH.DAT: the data folder, a colour and the header caption, read with
// free-format rules (items separated by commas or line ends, text optionally
// in double quotes).
//
// The file is kept beside the program, as it always was. An installed program
// lives in a folder users cannot write (/usr/bin), so the file may also be in
// the user's configuration folder (~/.config/Kelvora); the one beside the
// program comes first. A program that lives in a system folder never writes
// beside itself: run once as root it would otherwise leave a file there that
// overrides every user's own choice.
namespace pathfile {

QString fileName();                         // "DIADROMH.DAT"
QString pathIn(const QString &dir);

// The two folders where the file may be, in the order they are tried.
struct Places
{
    QString programDir;
    QString configDir;
};
// The program folder and the user's configuration folder (XDG_CONFIG_HOME/Kelvora).
Places placesFor(const QString &programDir);
QString userConfigDir();

// True for the folders an installed program lives in (/usr, /opt, /bin, ...),
// where nothing is ever written beside the program.
bool isSystemFolder(const QString &dir);

struct Contents
{
    QString dataPath;                       // trimmed; empty when missing
    std::optional<qint64> colour;           // item 2, when present and a whole number
    std::optional<QString> caption;         // item 3, when present
    QString source;                         // the file these were read from; empty when there was none
    bool unreadable = false;                // source is there but could not be read
};

// Splits free-format text into its items.
QStringList splitItems(const QString &text);
Contents parse(const QString &text);
// Old copies of the file are in the Greek single-byte code page: the bytes are
// read as UTF-8 when they are valid UTF-8, otherwise in that code page.
Contents parseBytes(const QByteArray &bytes);
// The file beside the program when it names a data folder, else the one in
// the configuration folder when it does, else whatever was found. A missing
// or unreadable file gives empty contents with no source. A relative data
// folder is taken from the folder of the file that names it, never from
// wherever the program happened to be started.
Contents read(const Places &places);

// The data folder counts as missing when it is empty or numeric.
bool dataPathMissing(const Contents &contents);

struct WriteResult
{
    bool ok = false;
    QString path;          // where it was written; on failure, every place tried
    QString error;         // why the last attempt failed
};
// Writes the file, UTF-8, with one line holding the folder (no quotes):
// beside the program when that folder can be written and is not a system
// folder, else in the configuration folder (created when missing).
WriteResult writeFolder(const Places &places, const QString &folder);

} // namespace pathfile
