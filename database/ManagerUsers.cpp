#include "database/ManagerSupport.h"
#include "database/PasswordHash.h"

#include "common/StandardModule.h"
#include "platform/com/Error.h"

// User accounts and the log-in. Passwords are stored only as salted hashes and checked here, never
// inside SQL; no read hands a password or its hash back (the Password column reads as Null), and no
// password reaches a statement's text or a trace line.

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

namespace {

const QString kUserSelect =
    QStringLiteral("SELECT \"User\".ID, \"User\".DateEntered, \"User\".DateUpdated, \"User\".Name, "
                   "\"User\".EMailAddress, \"User\".Username, NULL AS Password, \"User\".IsAdmin, "
                   "\"User\".IsEnabled, \"User\".DateLogin FROM \"User\"");

const QString kPassword = QStringLiteral("Password");

int EnabledAdministrators(platform::SqliteConnection& db) {
    return db.Query(QStringLiteral("SELECT COUNT(*) FROM \"User\" WHERE IsAdmin=1 AND IsEnabled=1"))->Field(0).ToInt();
}

// Runs `change` in one transaction and keeps it only when it does not take away the last enabled
// administrator: with none left, nobody could manage the accounts again. A database that had none
// before (a new one) is not held to it. The refusal throws, so the change rolls back.
template <class F> int32_t KeepingAnAdministrator(platform::SqliteConnection& db, F&& change) {
    platform::SqliteTransaction transaction(db);
    const int before = EnabledAdministrators(db);
    const int32_t result = change();
    if (before > 0 && EnabledAdministrators(db) == 0)
        throw Refusal(EnumDatabaseFailure::None, QStringLiteral("The change would leave no enabled administrator"));
    transaction.Commit();
    return result;
}

} // namespace

RecordsetPtr Manager::GetAllUser() {
    return QueryMember(QStringLiteral("IDatabaseManager_GetAllUser()"), [&] {
        return ExecuteSelect(kUserSelect + QStringLiteral(" ORDER BY \"User\".Name, \"User\".ID"));
    });
}

RecordsetPtr Manager::GetUserByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetUserByID()"),
                       [&] { return ExecuteSelect(kUserSelect + QStringLiteral(" WHERE \"User\".ID=?"), {n}); });
}

RecordsetPtr Manager::GetUserByUsername(const QString& s) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetUserByUsername()"), [&] {
        return ExecuteSelect(kUserSelect + QStringLiteral(" WHERE \"User\".Username=? ORDER BY \"User\".ID"), {s});
    });
}

// The log-in: the enabled user whose name matches (letter case aside) and whose stored hash the
// password gives, exactly as typed. A disabled account, a wrong password and an unknown name all give
// no user.
RecordsetPtr Manager::GetUserByUsernameAndPassword(const QString& sUsername, const QString& sPassword) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetUserByUsernameAndPassword()"), [&] {
        const auto candidates = QueryAll(
            QStringLiteral("SELECT ID, Password, IsEnabled FROM \"User\" WHERE Username=? ORDER BY ID"), {sUsername});
        if (candidates->RecordCount() == 0)
            SpendVerificationTime(sPassword);
        int32_t match = 0;
        for (const auto& row : candidates->Rows()) {
            if (VerifyPassword(sPassword, row[1].ToString())) {
                if (row[2].ToBool())
                    match = row[0].ToInt();
                break;
            }
        }
        return ExecuteSelect(kUserSelect + QStringLiteral(" WHERE \"User\".ID=?"), {match});
    });
}

int32_t Manager::SetUserDateLogin(int32_t nUser, const QDateTime& dt) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetUserDateLogin()"), [&] {
        return ExecuteUpdate(QStringLiteral("UPDATE \"User\" SET DateLogin=? WHERE ID=?"),
                             {dt.isValid() ? Variant(dt) : Variant::Null(), nUser});
    });
}

// Changes the password of the user whose name matches and whose current password is the old one.
int32_t Manager::SetUserPassword(const QString& sUsername, const QString& sOldPassword, const QString& sNewPassword) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetUserPassword()"), [&] {
        const QString hash = HashPassword(sNewPassword); // a refused new password changes nothing
        auto& db = Connection();
        platform::SqliteTransaction transaction(db);
        const auto candidates =
            QueryAll(QStringLiteral("SELECT ID, Password FROM \"User\" WHERE Username=? ORDER BY ID"), {sUsername});
        if (candidates->RecordCount() == 0)
            SpendVerificationTime(sOldPassword);
        for (const auto& row : candidates->Rows()) {
            if (!VerifyPassword(sOldPassword, row[1].ToString()))
                continue;
            db.Execute(QStringLiteral("UPDATE \"User\" SET Password=?, DateUpdated=? WHERE ID=?"),
                       {hash, Variant(platform::Now()), row[0]});
            transaction.Commit();
            return 1;
        }
        throw Refusal(EnumDatabaseFailure::WrongPassword, QStringLiteral("The current password is not correct"));
    });
}

// Saves the name, e-mail address, user name and flags. A password that is given is stored as a new
// hash; a blank one keeps the stored password, and a new user without one is refused.
int32_t Manager::UpdateUser(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateUser()"), [&] {
        const platform::Dictionary& record = RecordOf(dict);
        const int32_t id = RecordId(record);
        if (AsString(record.Item(QStringLiteral("Username"))).isEmpty())
            throw platform::Error(platform::ErrorNumber::InvalidArgument, QStringLiteral("The user name is blank"),
                                  kObjectName);
        const QString password = record.Item(kPassword).ToString();
        const bool keepPassword = password.trimmed().isEmpty();
        const bool exists = RowExists(QStringLiteral("User"), id);
        // A user deleted while the window was open is refused as gone by the row save, not as new.
        if (keepPassword && !exists && !record.Exists(kAsReadKey))
            throw platform::Error(platform::ErrorNumber::InvalidArgument, QStringLiteral("A new user needs a password"),
                                  kObjectName);
        RowSave save;
        save.Table = QStringLiteral("User");
        save.InsertOnly = {{QStringLiteral("DateEntered"), Variant(platform::Now())}};
        save.Always = {{QStringLiteral("DateUpdated"), Variant(platform::Now())}};
        if (!keepPassword)
            save.Always.push_back({kPassword, Variant(HashPassword(password))});
        save.Fields = {QStringLiteral("Name"), QStringLiteral("EMailAddress"), QStringLiteral("Username"),
                       QStringLiteral("IsAdmin"), QStringLiteral("IsEnabled")};
        return KeepingAnAdministrator(Connection(), [&] { return SaveRow(save, record); });
    });
}

int32_t Manager::DeleteUser(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteUser()"), [&] {
        return KeepingAnAdministrator(
            Connection(), [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM \"User\" WHERE ID=?"), {n}); });
    });
}

} // namespace amb::database
