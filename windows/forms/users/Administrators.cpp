#include "windows/forms/users/Administrators.h"

#include "common/StandardModule.h"
#include "platform/data/Recordset.h"

namespace amb::windows {

bool LeavesNoAdministrator(IDatabaseManager& database, int32_t id, bool staysAdministrator) {
    if (staysAdministrator)
        return false;
    const platform::RecordsetPtr users = database.GetAllUser();
    if (!users)
        return false;
    bool isOne = false;
    bool otherIsOne = false;
    for (users->MoveFirst(); !users->IsEOF(); users->MoveNext()) {
        if (!AsBoolean(users->Field(QStringLiteral("IsAdmin"))) ||
            !AsBoolean(users->Field(QStringLiteral("IsEnabled"))))
            continue;
        (AsLong(users->Field(QStringLiteral("ID"))) == id ? isOne : otherIsOne) = true;
    }
    users->Close();
    return isOne && !otherIsOne;
}

} // namespace amb::windows
