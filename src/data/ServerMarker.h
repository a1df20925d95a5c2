#pragma once

#include "InUseMarker.h"

#include <optional>

namespace db {
class Database;
}

// The right to change a book kept on a database server. It is held by the
// workstation's own server session (an advisory lock of the session), so a
// workstation that crashes or loses its network gives it up by itself when
// the server ends its session; the holder's user and computer are kept in the
// book's table `katoxos` for the others to read. The records it answers
// with are the marker file's, so the title, the refusal and the
// administrator's unlock read the same.
class ServerMarker
{
public:
    // `book` is this workstation's connection to the book's main schema; the
    // right lasts as long as that session.
    explicit ServerMarker(db::Database &book);

    InUseMarker::Record read() const;
    InUseMarker::TakeResult tryTake(const QString &user, const QString &computer);
    // Gives the right back when this session holds it; the names stay as the
    // last holder's with flag "0", as the file keeps them.
    bool release(const QString &user, const QString &computer);
    // The administrator's unlock: ends the session that holds the right (its
    // unsaved operation is rolled back by the server). False when the role may not.
    bool unlockForAdministrator();

    bool heldHere() const { return m_held; }

    // Made with the book.
    static void createTable(db::Database &book);

private:
    // Whether katoxos keeps the holding session's number (books made before it did not).
    bool keepsSession() const;

    db::Database &m_book;
    bool m_held = false;
    mutable std::optional<bool> m_keepsSession;
};
