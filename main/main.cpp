#include "main/Program.h"

#include "common/widgets/AltKeyFilter.h"
#include "platform/com/Version.h"

#include <QApplication>

AMB_VERSION_MARKER(AmbrelVersion)

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ambrel"));
    QApplication::setOrganizationName(QStringLiteral("Orv Solutions"));
    amb::InstallAltKeyFilter(app);
    auto mainForm = amb::ambrel::StartUp();
    if (!mainForm)
        return 1;
    return QApplication::exec();
}
