#include "tests/support/Components.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <dlfcn.h>

namespace test {

int CallComponentEntry(const QString& libraryPath, const char* entry) {
    void* library = ::dlopen(QFile::encodeName(libraryPath).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        ADD_FAILURE() << ::dlerror();
        return -1;
    }
    auto function = reinterpret_cast<int (*)()>(::dlsym(library, entry));
    return function ? function() : -1;
}

bool RegisterBuiltComponent(const QString& fileName) {
    const int status = CallComponentEntry(BuiltLibraryDir() + QLatin1Char('/') + fileName, "AmbRegisterServer");
    EXPECT_EQ(status, 0) << fileName.toStdString() << " did not register";
    return status == 0;
}

} // namespace test
