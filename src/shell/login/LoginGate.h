#pragma once

#include "LoginSearch.h"
#include "LoginThrottle.h"

#include <optional>

namespace db {
class Database;
}

// One log-in try from the login window, without the window: the administrator
// entry, the user search, the delay after repeated failures and the audit-log
// row of each try. Kept for the whole run, so the failures are counted across
// tries.
class LoginGate
{
public:
    enum class Result { LoggedIn, Administrator, Wrong, MustWait };
    struct Outcome
    {
        Result result = Result::Wrong;
        std::optional<login::UserRow> user; // LoggedIn only
        int waitSeconds = 0;                // before the next try is checked
    };

    // The users file is expected at its current version (the start-up brings it
    // there, usersupgrade); the gate itself only reads and logs.
    LoginGate(db::Database &users, QString workstation, LoginThrottle::Clock clock = {});

    // Checks a name and password. While a delay runs, the try is refused
    // unchecked (MustWait). Throws db::DbError when the users file fails.
    Outcome attempt(const QString &name, const QString &password);

    int secondsToWait() const { return m_throttle.secondsToWait(); }

    // Adds an audit-log row for this workstation. A failing write is reported
    // on the console only: the log must never lock users out.
    void log(const QString &user, const QString &what);

private:
    Outcome failed(const QString &name, bool administratorName);

    db::Database &m_users;
    QString m_workstation;
    LoginThrottle m_throttle;
};
