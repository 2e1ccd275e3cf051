#pragma once

// Internal to the main window's source files: the trace object name and the handler frame.

#include "main/MainForm.h"

#include "common/ErrorGuard.h"
#include "common/StandardModule.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "windows/base/MessageService.h"

#include <QString>

#include <optional>

namespace amb::ambrel {

inline const QString kTraceObject = QStringLiteral("OrvAmbrel.MainForm");

// The busy state of a command, ended early where a command goes on after its busy part.
class ScopedBusy {
public:
    explicit ScopedBusy(QWidget* window) { m_scope.emplace(window); }
    void End() { m_scope.reset(); }

private:
    std::optional<BusyScope> m_scope;
};

// Every handler: the entry trace line, every failure caught and written as a level-9 line, and the
// busy state ended, so a failing command leaves a usable window.
template <typename F> bool MainForm::Handle(const char* procedure, F&& body) {
    const bool ok = Guard(kTraceObject, QString::fromLatin1(procedure), std::forward<F>(body));
    if (!ok)
        SetBusyState(false);
    return ok;
}

} // namespace amb::ambrel
