#pragma once

// The one place where failures stop: every contract member and every event handler runs its body
// through Guard, so no exception ever crosses a contract or leaves a Qt slot.
//
//   int32_t Manager::Purge() {
//       return amb::Guard(kObject, QStringLiteral("IDatabaseManager_Purge()"), -1, [&] {
//           ...                       // may throw platform::Error or anything else
//           return 1;
//       });
//   }
//
//   void MemberForm::cmdOK_Click() {
//       amb::Guard(kObject, QStringLiteral("cmdOK_Click()"), [&] {
//           amb::BusyScope busy(this);  // ended on every path, before the failure line is written
//           ...
//       });
//   }
//
// Guard writes the entry line (level 0, empty description) through WriteTraceLine, runs the body,
// and on any exception writes the level-9 line "[number] description" (trace and log) and returns the
// failure value. Pass the names as QStringLiteral: with no writer attached, or tracing off, the hot
// path allocates nothing. The failure value has the member's own type (-1, QString(),
// platform::RecordsetPtr()); the body's result converts to it.

#include "common/StandardModule.h"

#include <QString>

#include <cstdint>
#include <exception>
#include <type_traits>
#include <utility>

namespace amb {

// What the "Error" box and the level-9 lines show of a failure.
struct ErrorInfo {
    int32_t Number = 0;
    QString Description;
    QString Source;
};

// The exception being handled: platform::Error as it is; std::bad_alloc as 7 "Out of memory"; any
// other exception as -2147467259 with its what() text or "Unspecified error". Call it inside a catch
// block; outside one it gives the unspecified error.
ErrorInfo CurrentErrorInfo() noexcept;

// "[" number "] " description: the description of a level-9 line.
QString FailureDescription(const ErrorInfo& error);

// Writes the level-9 line for the exception being handled. Call it inside a catch block.
void WriteFailureLine(const QString& objectName, const QString& procedureName) noexcept;

// Runs the body; on any exception writes the level-9 line and returns failure. No entry line: for
// the few procedures that write none, or whose entry line the caller already wrote.
template <class R, class F>
R CatchAll(const QString& objectName, const QString& procedureName, R failure, F&& body) noexcept {
    try {
        return static_cast<R>(std::forward<F>(body)());
    } catch (...) {
        WriteFailureLine(objectName, procedureName);
        return failure;
    }
}

// The void form: true when the body ran to its end, false after a failure (already written).
template <class F> bool CatchAll(const QString& objectName, const QString& procedureName, F&& body) noexcept {
    try {
        std::forward<F>(body)();
        return true;
    } catch (...) {
        WriteFailureLine(objectName, procedureName);
        return false;
    }
}

// Entry line, body, and on failure the level-9 line and the failure value.
template <class R, class F>
R Guard(const QString& objectName, const QString& procedureName, R failure, F&& body) noexcept {
    WriteTraceLine(objectName, procedureName, QString(), 0);
    return CatchAll(objectName, procedureName, std::move(failure), std::forward<F>(body));
}

// Entry line and body; true when the body ran to its end, false after a failure (already written).
template <class F> bool Guard(const QString& objectName, const QString& procedureName, F&& body) noexcept {
    WriteTraceLine(objectName, procedureName, QString(), 0);
    return CatchAll(objectName, procedureName, std::forward<F>(body));
}

} // namespace amb
