#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// DIADROMH.DAT beside the program: the data folder, a colour and the header
// caption, read with free-format rules (items separated by commas or line
// ends, text optionally in double quotes).
namespace pathfile {

QString fileName();                         // "DIADROMH.DAT"
QString pathIn(const QString &programDir);

struct Contents
{
    QString dataPath;                       // trimmed; empty when missing
    std::optional<qint64> colour;           // item 2, when present and a whole number
    std::optional<QString> caption;         // item 3, when present
};

// Splits free-format text into its items.
QStringList splitItems(const QString &text);
Contents parse(const QString &text);
// A missing or unreadable file gives empty contents.
Contents read(const QString &programDir);

// The data folder counts as missing when it is empty or numeric.
bool dataPathMissing(const Contents &contents);

// Writes the file with one line holding the folder (no quotes); false on failure.
bool writeFolder(const QString &programDir, const QString &folder);

} // namespace pathfile
