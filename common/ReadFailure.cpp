#include "common/ReadFailure.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"

namespace amb {

QString ReadFailureText(const IApplicationPtr& hub, bool afterSave) {
    const IDatabaseManagerPtr database = hub ? hub->DatabaseManager() : IDatabaseManagerPtr();
    switch (database ? database->LastReadFailure() : EnumDatabaseFailure::None) {
    case EnumDatabaseFailure::None:
        return QString();
    case EnumDatabaseFailure::Locked:
        return LoadResString(hub, res::kMsgDatabaseBusyRead);
    default:
        // Whatever else kept the rows from being read, the way out is the repair tool or a backup.
        return LoadResString(hub, afterSave ? res::kMsgSavedListUnreadable : res::kMsgDatabaseDamaged);
    }
}

} // namespace amb
