#include "common/ReadFailure.h"

#include "common/CauseTexts.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"

namespace amb {

namespace {

// Before any save of the action; whatever else kept the rows from being read, the way out is the
// repair tool or a backup.
constexpr CauseText kReadTexts[] = {
    {.cause = EnumDatabaseFailure::Locked, .text = res::kMsgDatabaseBusyRead},
};
// After a save that committed: the change is not to be made again; Log.txt has any other cause.
constexpr CauseText kSavedReadTexts[] = {
    {.cause = EnumDatabaseFailure::Locked, .text = res::kMsgSavedListBusy},
    {.cause = EnumDatabaseFailure::Damaged, .text = res::kMsgSavedListUnreadable},
    {.cause = EnumDatabaseFailure::DiskFullOrReadOnly, .text = res::kMsgSavedListDiskFull},
};

} // namespace

QString ReadFailureText(const IApplicationPtr& hub, bool afterSave) {
    const IDatabaseManagerPtr database = hub ? hub->DatabaseManager() : IDatabaseManagerPtr();
    const EnumDatabaseFailure cause = database ? database->LastReadFailure() : EnumDatabaseFailure::None;
    if (cause == EnumDatabaseFailure::None)
        return QString();
    return LoadResString(hub, afterSave ? TextOfCause(kSavedReadTexts, cause, res::kMsgSavedListOther)
                                        : TextOfCause(kReadTexts, cause, res::kMsgDatabaseDamaged));
}

} // namespace amb
