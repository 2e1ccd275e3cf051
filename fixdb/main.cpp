#include "fixdb/MainModule.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

namespace {

class MessageBoxes final : public amb::fixdb::IMessageBoxes {
public:
    void Show(const QString& prompt, amb::fixdb::MessageIcon icon, const QString& title) override {
        QMessageBox box(icon == amb::fixdb::MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                        title, prompt, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.setWindowIcon(QIcon(QStringLiteral(":/fixdb/ambrel.svg")));
        box.exec();
    }
};

// Without any of these Qt cannot show a window; the report then goes to standard error.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    // The program's own path is never searched for the switch: an install folder may hold "/s".
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    amb::fixdb::StandardErrorMessages standardError;
    if (amb::fixdb::IsSilent(arguments) || !HasDisplay())
        return amb::fixdb::Main(arguments, standardError);
    QApplication app(argc, argv);
    MessageBoxes boxes;
    return amb::fixdb::Main(arguments, boxes);
}
