#include "PasswordHash.h"

#include "SecretText.h"

#include <QByteArray>
#include <QStringList>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <stdexcept>

namespace passwordhash {
namespace {

const QLatin1String Prefix("pbkdf2-sha256");
constexpr int SaltBytes = 16;
constexpr int HashBytes = 32;
// Bounds a damaged or hostile count so that reading it cannot hang the log-in.
constexpr int MaxIterations = 10'000'000;

int g_iterations = DefaultIterations;

QByteArray derive(const QString &text, const QByteArray &salt, int iterations)
{
    QByteArray utf8 = text.toUtf8();
    QByteArray out(HashBytes, '\0');
    const int done = PKCS5_PBKDF2_HMAC(
        utf8.constData(), int(utf8.size()), reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
        iterations, EVP_sha256(), HashBytes, reinterpret_cast<unsigned char *>(out.data()));
    secret::wipe(utf8);
    if (done != 1)
        throw std::runtime_error("PBKDF2 failed");
    return out;
}

// Only the canonical encoding is accepted, so two texts never stand for one value.
bool decodeStrict(const QString &text, int bytes, QByteArray &out)
{
    const QByteArray ascii = text.toLatin1();
    auto decoded = QByteArray::fromBase64Encoding(ascii, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != bytes || decoded.decoded.toBase64() != ascii)
        return false;
    out = decoded.decoded;
    return true;
}

struct Parsed
{
    int iterations = 0;
    QByteArray salt;
    QByteArray hash;
};

bool parse(const QString &stored, Parsed &p)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != Prefix)
        return false;
    bool ok = false;
    p.iterations = parts[1].toInt(&ok);
    if (!ok || p.iterations < 1 || p.iterations > MaxIterations || QString::number(p.iterations) != parts[1])
        return false;
    return decodeStrict(parts[2], SaltBytes, p.salt) && decodeStrict(parts[3], HashBytes, p.hash);
}

} // namespace

int iterations()
{
    return g_iterations;
}

void setIterations(int count)
{
    g_iterations = count;
}

QString hash(const QString &text)
{
    return hash(text, g_iterations);
}

QString hash(const QString &text, int iterations)
{
    QByteArray salt(SaltBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char *>(salt.data()), SaltBytes) != 1)
        throw std::runtime_error("no random source for the password salt");
    return Prefix + QLatin1Char('$') + QString::number(iterations) + QLatin1Char('$') +
        QString::fromLatin1(salt.toBase64()) + QLatin1Char('$') +
        QString::fromLatin1(derive(text, salt, iterations).toBase64());
}

bool isHash(const QString &stored)
{
    return stored.startsWith(Prefix + QLatin1Char('$'));
}

bool belowCurrentCost(const QString &stored)
{
    Parsed p;
    return parse(stored, p) && p.iterations < g_iterations;
}

bool verify(const QString &text, const QString &stored)
{
    Parsed p;
    if (!parse(stored, p))
        return false;
    const QByteArray computed = derive(text, p.salt, p.iterations);
    return CRYPTO_memcmp(computed.constData(), p.hash.constData(), HashBytes) == 0;
}

} // namespace passwordhash
