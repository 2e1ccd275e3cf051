#include "windows/base/ActionScope.h"

#include <QVariant>

namespace amb {

namespace {

const char* const kDepthProperty = "ambActionDepth";
const char* const kToldProperty = "ambActionReadFailureTold";
const char* const kSavedProperty = "ambActionSaved";

int Depth(const QWidget* window) {
    return window ? window->property(kDepthProperty).toInt() : 0;
}

} // namespace

ActionScope::ActionScope(QWidget* window) : m_window(window) {
    if (m_window)
        m_window->setProperty(kDepthProperty, Depth(m_window) + 1);
}

ActionScope::~ActionScope() {
    if (!m_window)
        return;
    const int depth = Depth(m_window) - 1;
    m_window->setProperty(kDepthProperty, depth);
    if (depth <= 0) {
        m_window->setProperty(kToldProperty, false);
        m_window->setProperty(kSavedProperty, false);
    }
}

bool ActionScope::ReadFailureTold(const QWidget* window) {
    return Depth(window) > 0 && window->property(kToldProperty).toBool();
}

void ActionScope::MarkReadFailureTold(QWidget* window) {
    if (Depth(window) > 0)
        window->setProperty(kToldProperty, true);
}

bool ActionScope::Saved(const QWidget* window) {
    return Depth(window) > 0 && window->property(kSavedProperty).toBool();
}

void ActionScope::MarkSaved(QWidget* window) {
    if (Depth(window) > 0)
        window->setProperty(kSavedProperty, true);
}

} // namespace amb
