#pragma once

// How every Show...Window entry of the loader opens its window, so that an entry body is one call
// with the form's own properties.

#include "common/ErrorGuard.h"
#include "windows/WindowEntries.h"
#include "windows/base/FormBase.h"
#include "windows/base/ModalRunner.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace amb::windows {

// An entry's name as a template argument, so its row of the table is checked when the body compiles.
template <std::size_t N> struct EntryName {
    constexpr EntryName(const char (&text)[N]) { std::copy_n(text, N, value); }
    constexpr std::string_view View() const { return {value, N - 1}; }
    char value[N];
};

// Which UpdateForm results let an entry show its window.
enum class ShowWhen { ZeroOrMore, MoreThanZero };

template <EntryName Entry> QString EntryProcedure() {
    constexpr std::string_view name = Entry.View();
    return QStringLiteral("IWindowLoader_") + QString::fromLatin1(name.data(), qsizetype(name.size())) +
           QStringLiteral("()");
}

// Creates the form, hands it the loader, lets `prepare` set its properties, fills it and shows it
// modally when UpdateForm's result passes, then answers `result(form)`; -1 when it was not shown or
// anything failed. The form is destroyed before the entry returns.
template <EntryName Entry, class Form, class Prepare, class Result>
int32_t OpenEntry(const QString& sourceName, const IWindowLoaderPtr& loader, ShowWhen when, Prepare&& prepare,
                  Result&& result) {
    static_assert(IsWindowEntry(Entry.View()), "not an entry of the loader's table");
    return Guard(sourceName, EntryProcedure<Entry>(), int32_t{-1}, [&] {
        const auto form = std::make_unique<Form>();
        form->SetWindowLoader(loader);
        prepare(*form);
        const int32_t update = form->UpdateForm();
        if (when == ShowWhen::ZeroOrMore ? update < 0 : update <= 0)
            return int32_t{-1};
        ModalRunner::Run(*form);
        return static_cast<int32_t>(result(*form));
    });
}

// The usual outcome: the form's ID when the user confirmed (Response 1), else -1.
template <class Form> int32_t IdWhenConfirmed(Form& form) {
    return form.Response() == FormResponse::OK ? form.ID() : int32_t{-1};
}

} // namespace amb::windows
