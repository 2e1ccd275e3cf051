#pragma once

#include "common/ReadFailure.h"
#include "platform/data/Recordset.h"
#include "windows/base/MessageService.h"
#include "windows/base/WindowSupport.h"

#include <QString>

namespace amb {

// The reads of one fill of a window (its drop-down lists, a grid and its header): a read that answered
// nothing because it failed, not because nothing matched, keeps its cause at once (the next read
// starts clean), and Tell() says the first cause, once, instead of leaving the lists empty unexplained
// (and not at all when the user's action told a failure already).
class ReadCheck {
public:
    explicit ReadCheck(const WindowSupport& support) : m_support(support) {}

    platform::RecordsetPtr operator()(platform::RecordsetPtr rows) {
        if (!rows && m_cause.isEmpty())
            m_cause = m_support.ReadFailureText();
        return rows;
    }

    bool Failed() const { return !m_cause.isEmpty(); }

    // True when a read failed and the user was told.
    bool Tell() {
        if (m_cause.isEmpty())
            return false;
        return m_support.TellReadFailure(std::exchange(m_cause, QString()));
    }

private:
    const WindowSupport& m_support;
    QString m_cause;
};

} // namespace amb
