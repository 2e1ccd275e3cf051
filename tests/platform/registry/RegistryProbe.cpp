// A second process for the registry tests: reads and writes through the registry library.
//   RegistryProbe get KEY NAME            prints the text value (or the number) of HKEY_CURRENT_USER\KEY
//   RegistryProbe set KEY NAME TEXT       writes a text value
//   RegistryProbe set-many KEY PREFIX N   writes PREFIX0 .. PREFIX<N-1> (value = its index)
//   RegistryProbe write-loop KEY NAME SIZE  rewrites NAME with SIZE copies of one letter, forever
// The exit code is the registry status.

#include "platform/registry/Registry.h"

#include <cstdio>
#include <cstring>

namespace reg = platform::registry;

int main(int argc, char** argv) {
    if (argc < 4)
        return 100;
    const QString command = QString::fromUtf8(argv[1]);
    const QString subKey = QString::fromUtf8(argv[2]);
    const QString name = QString::fromUtf8(argv[3]);
    reg::ScopedKey key;
    if (command == QLatin1String("get")) {
        if (const int32_t status = reg::OpenKey(reg::CurrentUser, subKey, key.Receive()); status != 0)
            return status;
        reg::Value value;
        const int32_t status = reg::QueryValue(key.Get(), name, value);
        if (status == 0) {
            const QByteArray out =
                value.type == reg::ValueType::String ? value.text.toUtf8() : QByteArray::number(value.number);
            std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
        }
        return status;
    }
    if (const int32_t status = reg::CreateKey(reg::CurrentUser, subKey, key.Receive()); status != 0 || argc < 5)
        return status ? status : 100;
    if (command == QLatin1String("set"))
        return reg::SetString(key.Get(), name, QString::fromUtf8(argv[4]));
    if (command == QLatin1String("set-many")) {
        const int count = std::atoi(argv[4]);
        for (int i = 0; i < count; ++i) {
            if (const int32_t status = reg::SetDWord(key.Get(), name + QString::number(i), static_cast<uint32_t>(i));
                status != 0)
                return status;
        }
        return 0;
    }
    if (command == QLatin1String("write-loop")) {
        const int size = std::atoi(argv[4]);
        for (int round = 0;; ++round) {
            const QString text(size, QChar(u'a' + round % 26));
            if (const int32_t status = reg::SetString(key.Get(), name, text); status != 0)
                return status;
        }
    }
    return 100;
}
