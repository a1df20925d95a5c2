#include "UserPasswords.h"

#include "platform/security/PasswordHash.h"
#include "platform/security/SecretText.h"

namespace userpassword {

QString folded(const QString &password)
{
    return password.normalized(QString::NormalizationForm_C).toCaseFolded();
}

// The folded copies hold the password too: each is wiped once it was used.
QString forStorage(const QString &password)
{
    QString text = folded(password);
    QString stored = passwordhash::hash(text);
    secret::wipe(text);
    return stored;
}

bool matches(const QString &typed, const QString &stored)
{
    QString text = folded(typed);
    bool match = false;
    if (passwordhash::isHash(stored)) {
        match = passwordhash::verify(text, stored);
    } else {
        QString plain = folded(stored);
        match = text == plain;
        secret::wipe(plain);
    }
    secret::wipe(text);
    return match;
}

bool needsHashing(const QString &stored)
{
    return !passwordhash::isHash(stored);
}

bool needsRehashing(const QString &stored)
{
    return needsHashing(stored) || passwordhash::belowCurrentCost(stored);
}

} // namespace userpassword
