#pragma once

// Small pieces the family-and-group windows share: naming a control, and the hub's database
// manager, which a window needs at every use.

#include "contracts/IApplication.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"

#include <QString>

namespace amb::windows {

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The hub's database manager; throws (for the handler's level-9 line) when there is none.
inline IDatabaseManagerPtr RequireDatabase(const IApplicationPtr& hub, const QString& source) {
    IDatabaseManagerPtr database = hub->DatabaseManager();
    if (!database)
        throw platform::Error::ObjectNotSet(source);
    return database;
}

} // namespace amb::windows
