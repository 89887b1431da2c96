#pragma once

#include <QString>

#include <optional>

// Operator passwords are kept as Argon2id hashes, never in a form that can be turned back.
// An empty stored text is the empty password (new operators and the built-in "000").
namespace Passwords {

// The stored form of the trimmed password; nothing when hashing failed (never store an empty text
// then: that would be the empty password).
std::optional<QString> SavePass(const QString &clear);
// Whether the trimmed typed text is the password that `stored` holds.
bool VerifyPass(const QString &stored, const QString &typed);

} // namespace Passwords
