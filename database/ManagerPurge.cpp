#include "database/ManagerSupport.h"

// Members for purge and compaction: they answer their failure value until they are written.

namespace amb::database {

int32_t Manager::Purge() {
    return ActionMember(QStringLiteral("IDatabaseManager_Purge()"), [] { return int32_t{-1}; });
}

int32_t Manager::Convert() {
    return ActionMember(QStringLiteral("IDatabaseManager_Convert()"), [] { return int32_t{-1}; });
}

} // namespace amb::database
