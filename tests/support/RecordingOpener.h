#pragma once

#include "platform/shell/ShellOpener.h"

#include <QStringList>

#include <memory>
#include <stdexcept>

namespace test {

// Keeps what would have been opened instead of opening it; installed for its lifetime.
class RecordingOpener : public platform::shell::ShellOpener {
public:
    bool Open(const QString& target) override {
        if (fail)
            throw std::runtime_error("no desktop");
        opened << target;
        return true;
    }
    QStringList opened;
    bool fail = false; // every open throws
};

class OpenerScope {
public:
    OpenerScope() { platform::shell::SetOpener(opener); }
    ~OpenerScope() { platform::shell::SetOpener(nullptr); }
    OpenerScope(const OpenerScope&) = delete;
    OpenerScope& operator=(const OpenerScope&) = delete;
    const std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
};

} // namespace test
