#pragma once

#include <QString>

namespace amb::database {

// User passwords are kept only as salted yescrypt hashes ("$y$..."), made and checked here in C++.
// A password is taken exactly as typed: never trimmed, letter case counts.

// The longest password accepted, in characters (its UTF-8 form must also fit libxcrypt's limit).
inline constexpr int kMaxPasswordLength = 128;

// Why a password cannot be used; an empty text when it can. Refused: blank (empty or only blanks),
// longer than kMaxPasswordLength, or holding a NUL character (which would cut it short).
QString PasswordProblem(const QString& password);

// A new salted hash of the password. Throws platform::Error when the password is refused (see
// PasswordProblem) or the hashing fails. Neither the password nor any part of it is in the message.
QString HashPassword(const QString& password);

// True when the password gives the stored hash. A stored value that is no hash (empty, Null, plain
// text) never matches. The final comparison takes the same time wherever the texts differ; an
// unusable password still costs one hashing, so a refusal does not show why by its speed.
bool VerifyPassword(const QString& password, const QString& storedHash) noexcept;

// Costs as much as VerifyPassword without any account: used when a user name is unknown, so a
// log-in does not tell by its speed whether the name exists.
void SpendVerificationTime(const QString& password) noexcept;

} // namespace amb::database
