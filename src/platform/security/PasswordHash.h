#pragma once

#include <QString>

// Salted, slow password hashes kept as self-describing text:
//   "pbkdf2-sha256$<iterations>$<salt, base64>$<hash, base64>"
// The iteration count travels with each hash, so the cost can be raised later
// without making existing hashes unreadable.
namespace passwordhash {

// Iterations for new hashes. Current guidance for PBKDF2-HMAC-SHA256 asks for
// at least 600.000; what one log-in costs at this count is printed by
// bench/security. Raise it when machines get faster: a stored hash below the
// count is replaced at its owner's next log-in (belowCurrentCost).
constexpr int DefaultIterations = 600'000;

// The count new hashes get; tests lower it to save time.
int iterations();
void setIterations(int count);

// A new hash of the text with a fresh random salt. Throws std::runtime_error
// when the system has no random source.
QString hash(const QString &text);
QString hash(const QString &text, int iterations);

// True when the stored text has this hash's form (the algorithm prefix).
// Anything else is a password kept in clear by an older file.
bool isHash(const QString &stored);

// True for a readable hash made with fewer iterations than new hashes get now:
// it should be made again from the password the next time it is typed.
bool belowCurrentCost(const QString &stored);

// Recomputes the stored hash for the text and compares in constant time. A
// stored text that carries the prefix but cannot be read never matches.
bool verify(const QString &text, const QString &stored);

} // namespace passwordhash
