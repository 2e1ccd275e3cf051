#include "windows/base/WaitStatus.h"

#include "common/StandardModule.h"
#include "common/widgets/BusyScope.h"
#include "platform/data/SqliteConnection.h"

#include <QCoreApplication>
#include <QDynamicPropertyChangeEvent>
#include <QLabel>
#include <QWidget>

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

void WaitStatus::Show(bool waiting) {
    const QString text = waiting && IsBusy(&m_window) && m_window.isVisible() ? m_text() : QString();
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
        m_label->setMargin(4);
    }
    m_label->setText(text);
    m_label->setAccessibleName(m_label->text());
    m_label->adjustSize();
    m_label->move(0, m_window.height() - m_label->height());
    m_label->raise();
    m_label->show();
    m_window.repaint();
}

} // namespace amb
