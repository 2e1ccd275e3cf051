#include "windows/base/ModalRunner.h"

#include <QDialog>

#include <utility>

namespace amb {

namespace {
ModalRunner::Runner& CurrentRunner() {
    static ModalRunner::Runner runner;
    return runner;
}
} // namespace

int ModalRunner::Run(QDialog& dialog) {
    if (const Runner& runner = CurrentRunner())
        return runner(dialog);
    return dialog.exec();
}

void ModalRunner::SetRunner(Runner runner) {
    CurrentRunner() = std::move(runner);
}

} // namespace amb
