#pragma once

// The entry points that every component library exports, standing where a COM in-process
// server's DllGetClassObject, DllRegisterServer, DllUnregisterServer and DllCanUnloadNow stood.

#include "platform/com/Object.h"
#include "platform/com/Version.h"

#include <cstddef>
#include <iterator>
#include <memory>

namespace platform::com {

struct ClassEntry {
    const char* className; // "OrvRegistry.Manager"
    const char* clsid;     // "{8F1C...}" fixed for the class
    ObjectPtr (*create)();
};

// The `create` of an entry whose class is made by its default constructor.
template <class T> ObjectPtr MakeObject() {
    return std::make_shared<T>();
}

// Writes HKEY_CLASSES_ROOT\<class>\Clsid and HKEY_CLASSES_ROOT\CLSID\<clsid>\InprocServer32 for each
// class, with the path of the library that holds `addressInLibrary`. Returns 0 or a registry status.
int RegisterClasses(const ClassEntry* entries, std::size_t count, const void* addressInLibrary);
// Removes what RegisterClasses wrote. Returns 0 or a registry status.
int UnregisterClasses(const ClassEntry* entries, std::size_t count);
// The entry whose class name matches (case-insensitively), or nullptr.
const ClassEntry* FindClass(const ClassEntry* entries, std::size_t count, const char* className);

} // namespace platform::com

#define AMB_COMPONENT_EXPORT extern "C" __attribute__((visibility("default")))

// Defines the four exported entry points of a component library from its table of classes.
#define AMB_COMPONENT_SERVER(TABLE)                                                                                    \
    AMB_COMPONENT_EXPORT bool AmbGetClassObject(const char* className, ::platform::ObjectPtr* out) {                   \
        try {                                                                                                          \
            const auto* entry = ::platform::com::FindClass(TABLE, std::size(TABLE), className);                        \
            if (!entry || !out)                                                                                        \
                return false;                                                                                          \
            *out = entry->create();                                                                                    \
            return *out != nullptr;                                                                                    \
        } catch (...) {                                                                                                \
            return false;                                                                                              \
        }                                                                                                              \
    }                                                                                                                  \
    AMB_COMPONENT_EXPORT int AmbRegisterServer() {                                                                     \
        return ::platform::com::RegisterClasses(TABLE, std::size(TABLE),                                               \
                                                reinterpret_cast<const void*>(&AmbRegisterServer));                    \
    }                                                                                                                  \
    AMB_COMPONENT_EXPORT int AmbUnregisterServer() {                                                                   \
        return ::platform::com::UnregisterClasses(TABLE, std::size(TABLE));                                            \
    }                                                                                                                  \
    AMB_COMPONENT_EXPORT int AmbCanUnloadNow() {                                                                       \
        return 1;                                                                                                      \
    }                                                                                                                  \
    AMB_VERSION_MARKER(AmbComponentVersion)
