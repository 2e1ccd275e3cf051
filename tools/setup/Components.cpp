#include "tools/setup/Components.h"

#include "platform/com/LibraryRegistration.h"
#include "platform/registry/Registry.h"

#include <QDir>

namespace amb::setup {

namespace reg = platform::registry;

namespace {

struct ComponentName {
    const char* valueName;
    const char* className;
};

const ComponentName kComponentNames[] = {
    {"ApplicationManager", "AmbApplication.Manager"},
    {"DatabaseManager", "AmbDatabase.Manager"},
    {"ReportPrinter", "AmbReportPrinter.Printer"},
    {"WindowManager", "AmbWindows.WindowLoader"},
};

} // namespace

bool RegisterComponents(SetupContext& context, QString& error) {
    const QStringList libraries = QDir(context.libDir).entryList({QStringLiteral("*.so")}, QDir::Files, QDir::Name);
    QStringList registered;
    for (const QString& name : libraries) {
        const QString path = QDir(context.libDir).filePath(name);
        switch (platform::com::RegisterLibrary(path, false, error)) {
        case platform::com::LibraryRegistration::Failed:
            return false;
        case platform::com::LibraryRegistration::Done:
            registered << name;
            break;
        case platform::com::LibraryRegistration::NotAComponent:
            break;
        }
    }
    if (registered.isEmpty()) {
        error = QStringLiteral("no component library found in %1").arg(context.libDir);
        return false;
    }
    context.out << "  registered: " << registered.join(QStringLiteral(", ")) << Qt::endl;
    return true;
}

bool WriteComponentNames(SetupContext&, QString& error) {
    reg::ScopedKey key;
    int32_t status = reg::CreateKey(reg::LocalMachine, kComponentsKey, key.Receive());
    for (const ComponentName& component : kComponentNames) {
        if (status != reg::Status::Success)
            break;
        status = reg::SetString(key.Get(), QString::fromLatin1(component.valueName),
                                QString::fromLatin1(component.className));
    }
    if (status != reg::Status::Success) {
        error =
            QStringLiteral("cannot write the component names: %1").arg(reg::DescribeFailure(reg::LocalMachine, status));
        return false;
    }
    return true;
}

} // namespace amb::setup
