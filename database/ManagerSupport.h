#pragma once

// Shared by the Manager*.cpp files: the guard forms of the three member families.

#include "common/ErrorGuard.h"
#include "database/Manager.h"

#include <utility>

namespace amb::database {

template <class F> platform::RecordsetPtr QueryMember(const QString& member, F&& body) {
    return amb::Guard(kObjectName, member, platform::RecordsetPtr(), std::forward<F>(body));
}

template <class F> int32_t ActionMember(const QString& member, F&& body) {
    return amb::Guard(kObjectName, member, int32_t{-1}, std::forward<F>(body));
}

// The record dictionary a save was given; a missing one is a failure like any bad value.
const platform::Dictionary& RecordOf(const platform::DictionaryPtr& dict);

// The dictionary's "ID" as a whole number. A missing, blank or non-whole "ID" throws: the save
// then changes nothing and returns -1.
int32_t RecordId(const platform::Dictionary& dict);

// LIKE pattern for "begins with": % and _ and the escape character itself are escaped ('\').
QString BeginsWithPattern(const QString& text);

} // namespace amb::database
