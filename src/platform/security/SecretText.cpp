#include "SecretText.h"

#include <openssl/crypto.h>

namespace secret {

void wipe(QString &text)
{
    // isDetached() is also true for an empty or static text; both have nothing to wipe.
    if (!text.isEmpty() && text.isDetached())
        OPENSSL_cleanse(text.data(), size_t(text.size()) * sizeof(QChar));
    text = QString();
}

void wipe(QByteArray &bytes)
{
    if (!bytes.isEmpty() && bytes.isDetached())
        OPENSSL_cleanse(bytes.data(), size_t(bytes.size()));
    bytes = QByteArray();
}

} // namespace secret
