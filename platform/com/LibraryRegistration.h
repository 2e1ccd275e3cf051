#pragma once

#include <QString>

namespace platform::com {

enum class LibraryRegistration {
    Done,          // the library's classes were registered (or removed)
    NotAComponent, // the library exports no registration entry point
    Failed,        // the library cannot be loaded, or its registration failed
};

// Loads a component library and calls its AmbRegisterServer, or AmbUnregisterServer when
// `unregister` is set. The library stays loaded for the rest of the process, as a created
// object's library does. On Failed, `error` says why.
LibraryRegistration RegisterLibrary(const QString& path, bool unregister, QString& error);

} // namespace platform::com
