#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace amb {

// Shows that a busy window waits for another program's lock on the database: while the database
// says it waits (the application's waiting property), the window the user waits in shows a status
// line across its foot, painted at once, since the wait gives the event loop no turn. Only that window
// shows it: the window that opened it stays busy meanwhile, but the user is not looking there.
class WaitStatus : public QObject {
public:
    using TextSource = std::function<QString()>;
    WaitStatus(QWidget& window, TextSource text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(bool waiting);
    // Whether this window is the one the user waits in.
    bool WaitsHere() const;
    // Where the line goes: over the whole status bar, or the whole row of buttons at the foot, so that
    // no word of what it covers shows beside it; else a strip of its own height at the foot.
    QRect Foot(int height) const;

    QWidget& m_window;
    TextSource m_text;
    QPointer<QLabel> m_label;
};

} // namespace amb
