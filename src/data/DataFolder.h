#pragma once

#include <QString>

// The files of a data folder. Their names are the program's external interface.
namespace datafolder {

// For a book on a server (see ServerBook.h) these are the schemas that stand for the files.
QString mainDatabase(const QString &dataPath);   // kelvora.mdb
QString usersDatabase(const QString &dataPath);  // mapcodes.mdb
QString marker(const QString &dataPath);         // kelvora.dat

// The folder as a path without a trailing separator.
QString normalise(const QString &folder);

} // namespace datafolder
