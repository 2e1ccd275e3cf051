#include "common/ReadFailure.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"

#include <algorithm>
#include <iterator>

namespace amb {

namespace {

// What a failed read says of its cause, before any save of the action and after one that committed.
struct ReadFailureTexts {
    EnumDatabaseFailure cause;
    int32_t unsaved;
    int32_t saved;
};

constexpr ReadFailureTexts kReadFailureTexts[] = {
    {.cause = EnumDatabaseFailure::Locked, .unsaved = res::kMsgDatabaseBusyRead, .saved = res::kMsgSavedListBusy},
    {.cause = EnumDatabaseFailure::Damaged, .unsaved = res::kMsgDatabaseDamaged, .saved = res::kMsgSavedListUnreadable},
    {.cause = EnumDatabaseFailure::DiskFullOrReadOnly,
     .unsaved = res::kMsgDatabaseDamaged,
     .saved = res::kMsgSavedListDiskFull},
};
// Whatever else kept the rows from being read: before a save the way out is the repair tool or a backup;
// after one, the change is not to be made again, and Log.txt has the cause.
constexpr ReadFailureTexts kOtherReadFailure{
    .cause = EnumDatabaseFailure::Other, .unsaved = res::kMsgDatabaseDamaged, .saved = res::kMsgSavedListOther};

} // namespace

QString ReadFailureText(const IApplicationPtr& hub, bool afterSave) {
    const IDatabaseManagerPtr database = hub ? hub->DatabaseManager() : IDatabaseManagerPtr();
    const EnumDatabaseFailure cause = database ? database->LastReadFailure() : EnumDatabaseFailure::None;
    if (cause == EnumDatabaseFailure::None)
        return QString();
    const auto known = std::find_if(std::begin(kReadFailureTexts), std::end(kReadFailureTexts),
                                    [cause](const ReadFailureTexts& texts) { return texts.cause == cause; });
    const ReadFailureTexts& texts = known != std::end(kReadFailureTexts) ? *known : kOtherReadFailure;
    return LoadResString(hub, afterSave ? texts.saved : texts.unsaved);
}

} // namespace amb
