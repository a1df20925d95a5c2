#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace db { class Database; }

// Looking at a data folder (or a book on a database server) from outside the
// program: a fresh connection to each file, opened only for the look and
// closed again, so what is seen is what is on disk and not what a connection
// of the program holds in memory.
namespace inspect {

// A fresh connection to one database of the book at `book` (a folder or a
// connection text), `part` being datafolder::mainDatabase or usersDatabase of it.
std::unique_ptr<db::Database> openPart(const QString &book, const QString &part);

// Every row of every table of both files, in row order, as text. Two equal
// snapshots mean the book did not change.
QString snapshot(const QString &dataFolder);

// What is wrong with the book, empty when nothing is: the engine's integrity
// check of both files (a server checks its own pages), one tameio row per day, every tameio row = the previous
// balance + that day's income - expense, the day's totals = the sums of its
// movements, and a tameio row for every day that has movements.
QStringList consistencyFaults(const QString &dataFolder);
QStringList consistencyFaults(db::Database &main, db::Database &users);

} // namespace inspect
