#include "UserPasswords.h"

#include "platform/security/PasswordHash.h"

namespace userpassword {

QString folded(const QString &password)
{
    return password.normalized(QString::NormalizationForm_C).toCaseFolded();
}

QString forStorage(const QString &password)
{
    return passwordhash::hash(folded(password));
}

bool matches(const QString &typed, const QString &stored)
{
    if (passwordhash::isHash(stored))
        return passwordhash::verify(folded(typed), stored);
    return folded(typed) == folded(stored);
}

bool needsHashing(const QString &stored)
{
    return !passwordhash::isHash(stored);
}

} // namespace userpassword
