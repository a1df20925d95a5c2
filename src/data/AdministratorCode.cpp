#include "AdministratorCode.h"

#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/security/PasswordHash.h"

namespace admincode {
namespace {

QString storedHash(db::Database &users)
{
    return users.scalar(QStringLiteral("SELECT kvdikos FROM diaxeirisths WHERE kvdikos IS NOT NULL LIMIT 1"))
        .toString();
}

} // namespace

QString fixedCode()
{
    return QStringLiteral("38627");
}

bool madeHere(db::Database &users)
{
    return users.scalar(QStringLiteral("PRAGMA application_id")).toLongLong() == MadeHereMark;
}

bool isSet(db::Database &users)
{
    return !storedHash(users).isEmpty();
}

bool acceptsFixedCode(db::Database &users)
{
    return !isSet(users) && !madeHere(users);
}

bool accepts(db::Database &users, const QString &typed)
{
    const QString stored = storedHash(users);
    if (stored.isEmpty())
        return !madeHere(users) && typed == fixedCode();
    return passwordhash::verify(typed, stored);
}

bool rehashIfBelowCost(db::Database &users, const QString &typed)
{
    const QString stored = storedHash(users);
    if (!passwordhash::belowCurrentCost(stored) || !passwordhash::verify(typed, stored))
        return false;
    const QString hashed = passwordhash::hash(typed);
    db::Transaction t(users);
    const int changed =
        users.execute(QStringLiteral("UPDATE diaxeirisths SET kvdikos = ?1 WHERE kvdikos = ?2"), hashed, stored);
    t.commit();
    return changed > 0;
}

void set(db::Database &users, const QString &code)
{
    const QString hashed = passwordhash::hash(code);
    db::Transaction t(users);
    users.execute(QStringLiteral("DELETE FROM diaxeirisths"));
    users.execute(QStringLiteral("INSERT INTO diaxeirisths (kvdikos) VALUES (?1)"), hashed);
    t.commit();
}

QString refusal(const QString &code, const QString &repeated)
{
    if (code != repeated)
        return QStringLiteral("Οι δύο κωδικοί δεν είναι ίδιοι.");
    if (code.size() < MinimumLength)
        return QStringLiteral("Ο κωδικός διαχειριστή πρέπει να έχει τουλάχιστον %1 χαρακτήρες.").arg(MinimumLength);
    if (code == fixedCode())
        return QStringLiteral("Ο κωδικός διαχειριστή δεν μπορεί να είναι ο κοινός κωδικός όλων των εγκαταστάσεων.");
    return QString();
}

} // namespace admincode
