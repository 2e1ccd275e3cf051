#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QProgressBar;

namespace amb::windows {

// Shows the progress of long work on two levels: the main step and its sub-step, each with a message
// and a bar. The caller drives it; it writes no trace lines and lets failures reach the caller.
class StatusForm : public QDialog {
    Q_OBJECT

public:
    explicit StatusForm(QWidget* parent = nullptr);
    ~StatusForm() override;

    // Sets both ranges and puts each bar at its minimum, messages empty. A maximum not above its
    // minimum is raised by 1, and the caller's variable gets the raised value; one still not above
    // it (more than one below the minimum) is refused with an error and changes nothing.
    void InitializeProgressBars(int32_t& mainMin, int32_t& mainMax, int32_t& subMin, int32_t& subMax);
    // Shows the message and moves the bar to the value, kept within the bar's range; with refresh
    // the window is repainted at once.
    void SetProgress(const QString& message, int32_t value, bool refresh);
    // One step further (the bar stays full at its maximum), repainted at once.
    void IncrementProgress(const QString& message);
    void SetSubProgress(const QString& message, int32_t value, bool refresh);
    void IncrementSubProgress(const QString& message);

private:
    struct Level {
        QLabel* message;
        QProgressBar* bar;
    };
    void Set(const Level& level, const QString& message, qint64 value, bool refresh);

    QLabel* lblMsg;
    QProgressBar* pbarMain;
    QLabel* lblMsgSub;
    QProgressBar* pbarSub;
};

} // namespace amb::windows
