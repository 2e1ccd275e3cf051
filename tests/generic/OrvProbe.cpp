// A second process for the generic component tests: creates "OrvRegistry.Manager" by its class
// name and prints values of one key.
//   OrvProbe ROOT KEY NAME...   ROOT is HKLM or HKCU; a NAME starting with "#" is read as a number.
// Prints "NAME=value" per line; the exit code is OpenKey's status, or 99 when creating failed.

#include "generic/OrvInterfaces/IRegistryManager.h"
#include "platform/com/Factory.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3)
        return 100;
    try {
        const auto registry =
            platform::com::CreateObjectAs<orv::IRegistryManager>(QStringLiteral("OrvRegistry.Manager"));
        const auto root =
            QByteArray(argv[1]) == "HKCU" ? orv::EnumRootKey::HKEY_CURRENT_USER : orv::EnumRootKey::HKEY_LOCAL_MACHINE;
        const int32_t status = registry->OpenKey(root, QString::fromUtf8(argv[2]));
        QByteArray out;
        for (int i = 3; i < argc; ++i) {
            const QString name = QString::fromUtf8(argv[i]);
            if (name.startsWith(QLatin1Char('#'))) {
                int32_t number = 0;
                registry->GetIntegerValue(name.mid(1), number);
                out += name.mid(1).toUtf8() + '=' + QByteArray::number(number) + '\n';
            } else {
                QString text;
                registry->GetStringValue(name, text);
                out += name.toUtf8() + '=' + text.toUtf8() + '\n';
            }
        }
        registry->CloseKey();
        std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
        return status;
    } catch (const platform::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 99;
    }
}
