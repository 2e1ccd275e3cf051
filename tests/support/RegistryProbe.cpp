// A second process for the registry tests, on the same registry files as the test.
//   RegistryProbe get KEY NAME              prints the value of HKEY_CURRENT_USER\KEY (text or number)
//   RegistryProbe set KEY NAME TEXT         writes a text value
//   RegistryProbe set-many KEY PREFIX N     writes PREFIX0 .. PREFIX<N-1> (value = its index)
//   RegistryProbe write-loop KEY NAME SIZE  rewrites NAME with SIZE copies of one letter, forever
//   RegistryProbe write-limited KEY NAME SIZE LIMIT [full]
//                                           writes NAME as SIZE copies of "b" with files limited to LIMIT
//                                           bytes: the kernel kills the probe inside write() at that
//                                           size (SIGXFSZ), or, with "full", write() fails with EFBIG
//                                           as on a full disk
//   RegistryProbe component KEY NAME...     reads HKEY_LOCAL_MACHINE\KEY through "OrvRegistry.Manager"
//                                           created by class name; "#NAME" reads a number
// The exit code is the registry status (99: the component could not be created).

#include "generic/OrvInterfaces/IRegistryManager.h"
#include "platform/com/Factory.h"
#include "platform/registry/Registry.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>

namespace reg = platform::registry;

namespace {

int Print(const QByteArray& out, int status) {
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    return status;
}

int ReadThroughComponent(int argc, char** argv) {
    try {
        const auto registry =
            platform::com::CreateObjectAs<orv::IRegistryManager>(QStringLiteral("OrvRegistry.Manager"));
        const int32_t status = registry->OpenKey(orv::EnumRootKey::HKEY_LOCAL_MACHINE, QString::fromUtf8(argv[2]));
        QByteArray out;
        for (int i = 3; i < argc; ++i) {
            QString name = QString::fromUtf8(argv[i]);
            QString text;
            if (name.startsWith(QLatin1Char('#'))) {
                int32_t number = 0;
                registry->GetIntegerValue(name.remove(0, 1), number);
                text = QString::number(number);
            } else {
                registry->GetStringValue(name, text);
            }
            out += name.toUtf8() + '=' + text.toUtf8() + '\n';
        }
        return Print(out, status);
    } catch (const platform::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 99;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return 100;
    const QByteArray command = argv[1];
    if (command == "component")
        return ReadThroughComponent(argc, argv);
    const QString subKey = QString::fromUtf8(argv[2]);
    const QString name = QString::fromUtf8(argv[3]);
    reg::ScopedKey key;
    if (command == "get") {
        if (const int32_t status = reg::OpenKey(reg::CurrentUser, subKey, key.Receive()); status != 0)
            return status;
        reg::Value value;
        const int32_t status = reg::QueryValue(key.Get(), name, value);
        return Print(value.type == reg::ValueType::String ? value.text.toUtf8() : QByteArray::number(value.number),
                     status);
    }
    if (const int32_t status = reg::CreateKey(reg::CurrentUser, subKey, key.Receive()); status != 0 || argc < 5)
        return status ? status : 100;
    if (command == "set")
        return reg::SetString(key.Get(), name, QString::fromUtf8(argv[4]));
    if (command == "write-limited" && argc >= 6) {
        const QString value(std::atoi(argv[4]), QChar(u'b'));
        const rlim_t limit = std::strtoull(argv[5], nullptr, 10);
        const rlimit noCore{0, 0};
        const rlimit fileSize{limit, limit};
        if (::setrlimit(RLIMIT_CORE, &noCore) != 0 || ::setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            return 100;
        if (argc >= 7 && QByteArray(argv[6]) == "full")
            std::signal(SIGXFSZ, SIG_IGN);
        return reg::SetString(key.Get(), name, value);
    }
    const int count = std::atoi(argv[4]);
    for (int round = 0; command == "write-loop" || round < count; ++round) {
        const int32_t status =
            command == "set-many"
                ? reg::SetDWord(key.Get(), name + QString::number(round), static_cast<uint32_t>(round))
                : reg::SetString(key.Get(), name, QString(count, QChar(u'a' + round % 26)));
        if (status != 0)
            return status;
    }
    return 0;
}
