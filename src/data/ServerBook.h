#pragma once

#include <QString>

// A book may live on a database server instead of a data folder: then the
// place of the book is a connection text (a postgresql:// address, a service
// name, or key=value pairs) and its two files are two schemas of one server
// database, named after the files they stand for.
namespace serverbook {

inline constexpr const char *MainSchema = "kelvora";   // codes, groups, movements, days, version
inline constexpr const char *UsersSchema = "mapcodes"; // users and closed days

// True when the place of the book names a server connection, not a folder.
bool isConnection(const QString &place);

// The place as the user may be shown it: a password written into the
// connection text against the rules is never repeated on screen.
QString describe(const QString &connection);

// True when the connection text carries a password. The place of the book is
// written in DIADROMH.DAT, which every user can read: such a text is refused,
// and the server's own means (.pgpass, a service file, peer log-in) supply it.
bool holdsPassword(const QString &connection);

// What a look at the server finds.
enum class Reach { Book, NoBook, Unreachable, LoginRefused };
// Connects once and looks for the book's schemas; `detail` gets the server's own words.
Reach probe(const QString &connection, QString *detail = nullptr);

// The Greek message for a server book that cannot be used, for the start-up's
// "try again" question.
QString reachText(Reach reach, const QString &connection);

} // namespace serverbook
