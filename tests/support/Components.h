#pragma once

#include <QString>

namespace test {

// Loads a component library and calls one of its exported entries ("AmbRegisterServer",
// "AmbUnregisterServer"); -1 when the library or the entry cannot be found.
int CallComponentEntry(const QString& libraryPath, const char* entry);

// Registers a built component library ("libAmbWindows.so") in the current registry folder, as the
// installer does; the test fails when it cannot.
bool RegisterBuiltComponent(const QString& fileName);

} // namespace test
