#pragma once

#include <functional>

class QDialog;

namespace amb {

// Every modal window is shown through here, so that a test can fill in and press a window instead of
// waiting in the dialog's own event loop.
class ModalRunner {
public:
    using Runner = std::function<int(QDialog&)>;

    // Shows the dialog modally and returns when it has closed (hidden), with QDialog's result code.
    static int Run(QDialog& dialog);
    // Replaces the modal show (tests); an empty function brings exec() back.
    static void SetRunner(Runner runner);
};

} // namespace amb
