#pragma once

#include <QLabel>

namespace amb::windows {

// A label that reports a left click, for stored texts shown as plain text that open something
// (an e-mail address opens a new message).
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace amb::windows
