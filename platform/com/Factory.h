#pragma once

#include "platform/com/Error.h"
#include "platform/com/Object.h"

#include <QString>

#include <memory>

namespace platform::com {

// Creates an object by its class name as the registry says: HKEY_CLASSES_ROOT\<name>\Clsid,
// then CLSID\<id>\InprocServer32, then dlopen and the library's AmbGetClassObject.
// Throws Error (number, description, source) when any step fails.
ObjectPtr CreateObject(const QString& className);

// The same, as the contract T; throws Error NoSuchInterface when the object does not implement T.
template <typename T> std::shared_ptr<T> CreateObjectAs(const QString& className) {
    auto object = std::dynamic_pointer_cast<T>(CreateObject(className));
    if (!object)
        throw Error(ErrorNumber::NoSuchInterface, QStringLiteral("No such interface supported"), className);
    return object;
}

} // namespace platform::com
