#include "tests/generic/Components.h"

#include "platform/com/Factory.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <dlfcn.h>

namespace test {

void RegisterGenericComponents() {
    for (const char* name : {"libOrvRegistry.so", "libOrvLogTrace.so", "libOrvApplication.so"}) {
        const QString path = BuiltLibraryDir() + QLatin1Char('/') + QLatin1String(name);
        void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << ::dlerror();
        auto registerServer = reinterpret_cast<int (*)()>(::dlsym(library, "AmbRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), 0) << name;
    }
}

orv::IRegistryManagerPtr NewRegistryManager() {
    return platform::com::CreateObjectAs<orv::IRegistryManager>(QStringLiteral("OrvRegistry.Manager"));
}

orv::ILogTraceWriterPtr NewLogTraceWriter() {
    return platform::com::CreateObjectAs<orv::ILogTraceWriter>(QStringLiteral("OrvLogTrace.Writer"));
}

orv::IApplicationPtr NewGenericApplication() {
    return platform::com::CreateObjectAs<orv::IApplication>(QStringLiteral("OrvApplication.Manager"));
}

} // namespace test
