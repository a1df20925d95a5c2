#include "LoginGate.h"

#include "data/AdministratorCode.h"
#include "data/AuditLog.h"
#include "platform/db/DbError.h"

#include <QDebug>

LoginGate::LoginGate(db::Database &users, QString workstation, LoginThrottle::Clock clock)
    : m_users(users), m_workstation(std::move(workstation)), m_throttle(std::move(clock))
{
}

LoginGate::Outcome LoginGate::attempt(const QString &name, const QString &password)
{
    if (const int wait = m_throttle.secondsToWait(); wait > 0)
        return {Result::MustWait, std::nullopt, wait};

    const bool administratorName = login::isAdministratorName(name);
    if (administratorName && admincode::accepts(m_users, password)) {
        m_throttle.succeeded();
        log(name.toLower(), auditlog::action::AdministratorEntry);
        try {
            admincode::rehashIfBelowCost(m_users, password);
        } catch (const db::DbError &e) {
            qWarning() << "administrator code not rehashed:" << e.message(); // tried again at the next entry
        }
        return {Result::Administrator, std::nullopt, 0};
    }
    if (std::optional<login::UserRow> user = login::findUser(m_users, name, password)) {
        m_throttle.succeeded();
        log(user->name, auditlog::action::Login);
        return {Result::LoggedIn, std::move(user), 0};
    }
    return failed(name, administratorName);
}

LoginGate::Outcome LoginGate::failed(const QString &name, bool administratorName)
{
    m_throttle.failed();
    // A name that is no user's may be a password typed into the wrong box, so
    // it is not written down.
    if (administratorName)
        log(name.toLower(), auditlog::action::FailedAdministratorEntry);
    else
        log(login::isUserName(m_users, name) ? name : QString(), auditlog::action::FailedLogin);
    return {Result::Wrong, std::nullopt, m_throttle.secondsToWait()};
}

void LoginGate::log(const QString &user, const QString &what)
{
    try {
        auditlog::record(m_users, user, m_workstation, what);
    } catch (const db::DbError &e) {
        qWarning() << "audit log not written:" << what << e.message();
    }
}
