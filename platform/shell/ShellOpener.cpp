#include "platform/shell/ShellOpener.h"

#include "platform/shell/XdgOpener.h"

#include <mutex>

namespace platform::shell {

namespace {

std::mutex& OpenerMutex() {
    static std::mutex mutex;
    return mutex;
}

ShellOpenerPtr& InstalledOpener() {
    static ShellOpenerPtr opener;
    return opener;
}

} // namespace

ShellOpener::~ShellOpener() = default;

void ShellOpener::OpenWatched(const QString& target, std::function<void()> failed) {
    if (!Open(target) && failed)
        failed();
}

ShellOpenerPtr CurrentOpener() {
    std::lock_guard lock(OpenerMutex());
    auto& opener = InstalledOpener();
    if (!opener)
        opener = std::make_shared<XdgOpener>();
    return opener;
}

void SetOpener(ShellOpenerPtr opener) {
    std::lock_guard lock(OpenerMutex());
    InstalledOpener() = std::move(opener);
}

} // namespace platform::shell
