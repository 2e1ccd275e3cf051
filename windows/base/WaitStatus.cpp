#include "windows/base/WaitStatus.h"

#include "common/StandardModule.h"
#include "common/widgets/BusyScope.h"
#include "platform/data/SqliteConnection.h"

#include <QApplication>
#include <QDynamicPropertyChangeEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace amb {

WaitStatus::WaitStatus(QWidget& window, TextSource text) : QObject(&window), m_window(window), m_text(std::move(text)) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool WaitStatus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DynamicPropertyChange && watched == QCoreApplication::instance() &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() ==
            platform::SqliteConnection::kWaitingProperty) {
        try {
            Show(watched->property(platform::SqliteConnection::kWaitingProperty).toBool());
        } catch (...) {
            // No text to show (the hub is gone): the wait cursor alone tells the wait.
            WriteLogLine(QStringLiteral("AmbWindows.WaitStatus"), QStringLiteral("eventFilter()"),
                         QStringLiteral("The waiting line could not be shown"), 9);
        }
    }
    return false;
}

// The active window when it is busy (its command waits); with no busy window active, every busy one.
bool WaitStatus::WaitsHere() const {
    if (!IsBusy(&m_window) || !m_window.isVisible())
        return false;
    const QWidget* active = QApplication::activeWindow();
    return active == &m_window || !active || !IsBusy(active);
}

QRect WaitStatus::Foot(int height) const {
    int top = m_window.height() - height;
    if (const auto* main = qobject_cast<const QMainWindow*>(&m_window)) {
        const QStatusBar* bar = main->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
        if (bar && bar->isVisible())
            top = std::min(top, bar->y());
    } else {
        // The lowest row of buttons, from a little above its top.
        std::vector<QRect> buttons;
        for (const QPushButton* button : m_window.findChildren<QPushButton*>())
            if (button->isVisible() && button->window() == &m_window)
                buttons.emplace_back(button->mapTo(&m_window, QPoint(0, 0)), button->size());
        const auto lowest = std::max_element(buttons.begin(), buttons.end(),
                                             [](const QRect& a, const QRect& b) { return a.bottom() < b.bottom(); });
        if (lowest != buttons.end()) {
            int rowTop = lowest->top();
            for (const QRect& r : buttons)
                if (r.bottom() >= lowest->top())
                    rowTop = std::min(rowTop, r.top());
            top = std::min(top, rowTop - 4);
        }
    }
    top = std::max(0, top);
    return QRect(0, top, m_window.width(), m_window.height() - top);
}

void WaitStatus::Show(bool waiting) {
    const QString text = waiting && WaitsHere() ? m_text() : QString();
    if (text.isEmpty()) {
        if (m_label)
            m_label->hide();
        return;
    }
    if (!m_label) {
        m_label = new QLabel(&m_window);
        m_label->setObjectName(QStringLiteral("lblBusyStatus"));
        m_label->setTextFormat(Qt::PlainText);
        m_label->setAutoFillBackground(true);
        m_label->setFrameShape(QFrame::StyledPanel);
        m_label->setAlignment(Qt::AlignCenter);
        m_label->setMargin(4);
    }
    m_label->setText(text);
    m_label->setAccessibleName(text);
    m_label->setGeometry(Foot(m_label->sizeHint().height()));
    m_label->raise();
    m_label->show();
    // The wait holds the event loop: the paints already asked for are made now and the line drawn over
    // them, or an X11 display shows nothing until the wait ends. Only paint requests are sent here.
    m_window.repaint();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    m_label->repaint();
}

} // namespace amb
