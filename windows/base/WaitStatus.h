#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace amb {

// Shows that a busy window waits for another program's lock on the database: while the database
// says it waits (the application's waiting property), a busy window shows a status line over its
// foot, painted at once, since the wait gives the event loop no turn.
class WaitStatus : public QObject {
public:
    using TextSource = std::function<QString()>;
    WaitStatus(QWidget& window, TextSource text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(bool waiting);

    QWidget& m_window;
    TextSource m_text;
    QPointer<QLabel> m_label;
};

} // namespace amb
