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

namespace amb::ambrel {

inline const QString kTraceObject = QStringLiteral("OrvAmbrel.MainForm");
// The style of the window's Yes/No questions.
inline constexpr int32_t kYesNoQuestion = MessageStyle::YesNo | MessageStyle::Question;

// Every handler: the entry trace line, every failure caught and written as a level-9 line, and the
// busy state ended, so a failing command leaves a usable window. (WindowSupport::Handle does the
// same, but writes through the window library's writer; the main window's lines are the program's.)
template <typename F> bool MainForm::Handle(const char* procedure, F&& body) {
    const bool ok = Guard(kTraceObject, QString::fromLatin1(procedure), std::forward<F>(body));
    if (!ok)
        SetBusyState(false);
    return ok;
}

} // namespace amb::ambrel
