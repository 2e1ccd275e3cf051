#include "tests/support/TempDir.h"

#include <QDir>

namespace test {

TempDir::TempDir() : m_oldRegistryDir(qgetenv("AMBREL_REGISTRY_DIR")) {
    QDir().mkpath(RegistryDir());
    qputenv("AMBREL_REGISTRY_DIR", RegistryDir().toUtf8());
}

TempDir::~TempDir() {
    if (m_oldRegistryDir.isEmpty())
        qunsetenv("AMBREL_REGISTRY_DIR");
    else
        qputenv("AMBREL_REGISTRY_DIR", m_oldRegistryDir);
}

QString BuiltLibraryDir() {
    return QStringLiteral(AMB_BINARY_DIR "/lib/ambrel");
}
QString BuiltProgramDir() {
    return QStringLiteral(AMB_BINARY_DIR "/bin");
}
QString BuiltShareDir() {
    return QStringLiteral(AMB_BINARY_DIR "/share/ambrel");
}

} // namespace test
