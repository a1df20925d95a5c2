#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

// The words of every movement's description, folded as user names are at the
// log-in (case and accents ignored, final sigma as sigma), one row per
// distinct word in kinhseis_lejeis. A search looks a typed word up there by
// its index instead of folding every description of the book.
//
// The rows are written in the transaction of each write of a movement, and
// made again for the whole book by the schema walk (version 6). A file below
// version 6 has no table: writers skip it and searches read the descriptions.
namespace movementwords {

// The description folded for comparison, every apostrophe written as "'".
QString foldedText(const QString &text);

// A word character: a letter, a digit or an apostrophe (as foldedText writes it).
bool isWordCharacter(QChar c);

// The distinct words of a folded text: runs of word characters, without
// apostrophes in front ("Γ' ΔΟΣΗ" -> "γ'", "δοση").
QStringList wordsOf(const QString &folded);

// Whether the file has the table (version 6 and later).
bool hasTable(db::Database &db);

// Replaces the words of movement aa by those of the description; nothing on a
// file without the table. The caller holds the write transaction.
void recordWords(db::Database &db, qint64 aa, const QString &description);
// Removes the words of movement aa; nothing on a file without the table.
void forgetWords(db::Database &db, qint64 aa);
// Makes the words of every movement again (the caller holds the transaction).
void rebuildAll(db::Database &db);

} // namespace movementwords
