#pragma once

#include <QString>

// How a user's password is kept in `codes.upass` and checked at log-in.
// Letter case does not matter (users have always logged in so), accents do:
// the text is case-folded, never accent-stripped, before it is hashed.
namespace userpassword {

// The text hashed for a password: composed form, case folded.
QString folded(const QString &password);

// What is stored for a new or changed password.
QString forStorage(const QString &password);

// True when the typed password fits the stored value: a hash is verified; a
// password still kept in clear (a file written by another tool) is compared
// under the same case rule.
bool matches(const QString &typed, const QString &stored);

// The stored value is still a password in clear and must be hashed.
bool needsHashing(const QString &stored);

// The stored value should be made again from the password at its next
// log-in: kept in clear, or hashed with fewer iterations than new hashes get.
bool needsRehashing(const QString &stored);

} // namespace userpassword
