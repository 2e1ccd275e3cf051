#pragma once

#include <QString>

namespace amb::database {

// The user name of the administrator account that the installer creates.
inline const QString kFirstAdministratorName = QStringLiteral("admin");

// True when the database file at the path has a user named "admin" (letter case aside).
// Throws platform::Error when the file cannot be opened or is not a database of this program.
bool FirstAdministratorExists(const QString& databasePath);

// Creates the enabled administrator account "admin" with the password (hashed) in the database file
// at the path, unless a user of that name exists: an existing account and its password are kept.
// True when the account was created, false when it was kept. Throws platform::Error when the
// password is refused (see PasswordProblem) or the database cannot be written; nothing is stored then.
bool CreateFirstAdministrator(const QString& databasePath, const QString& password);

} // namespace amb::database
