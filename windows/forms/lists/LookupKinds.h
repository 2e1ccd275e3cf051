#pragma once

#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"

#include <cstdint>

namespace amb::windows {

// What the look-up list and name windows do for one kind of list: one row per EnumWindowType, so the
// twelve lists are one code path. The state list has no members; the user list reads and deletes
// users (its entries are edited in the user window).
struct LookupKind {
    EnumWindowType type;
    platform::RecordsetPtr (IDatabaseManager::*list)(EnumLookupOption);
    platform::RecordsetPtr (IDatabaseManager::*byId)(int32_t);
    platform::RecordsetPtr (IDatabaseManager::*byName)(const QString&);
    int32_t (IDatabaseManager::*save)(const platform::DictionaryPtr&);
    int32_t (IDatabaseManager::*remove)(int32_t);
    const char* column; // the field read and the record key written; the list's name column
    bool flagged;       // rows carry IsUpdatable: fixed kinds are neither edited nor deleted
};

// The kind's row; nullptr for a value outside the enumeration.
const LookupKind* FindLookupKind(EnumWindowType type);

} // namespace amb::windows
