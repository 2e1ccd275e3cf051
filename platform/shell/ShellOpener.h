#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace platform::shell {

// Hands a document, a folder or a link to the desktop, which opens it with the program the user
// chose for it. Tests replace the opener that is in use to see what would have been opened.
class ShellOpener {
public:
    ShellOpener() = default;
    ShellOpener(const ShellOpener&) = delete;
    ShellOpener& operator=(const ShellOpener&) = delete;
    virtual ~ShellOpener();

    // True when the request was handed on; whether a program then opened it is not known.
    virtual bool Open(const QString& target) = 0;

    // Opens `target` and calls `failed` once when it is known that it was not shown: at once, or later
    // on this thread while its event loop runs. This opener calls it when Open refuses; the desktop's
    // when its opener does not start or ends with a failure.
    virtual void OpenWatched(const QString& target, std::function<void()> failed);
};

using ShellOpenerPtr = std::shared_ptr<ShellOpener>;

// The opener in use: the one last set, or the desktop's (xdg-open) when none was set.
ShellOpenerPtr CurrentOpener();
// Replaces the opener in use; an empty pointer goes back to the desktop's.
void SetOpener(ShellOpenerPtr opener);

} // namespace platform::shell
