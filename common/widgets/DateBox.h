#pragma once

#include "common/widgets/DateTyping.h"

#include <QDateTimeEdit>

#include <optional>

namespace amb {

// A date box that takes a date as it is typed. Tab and Shift+Tab leave the box, and reaching it by
// either selects its first part; a click selects the part under the pointer and typing replaces that
// part; a whole date typed with its separators gives that date from whichever part it was started in.
// What the box shows when typing ends is the date it holds: a date left incomplete, or a day the month
// does not have, shows the date held before again. Patterns with month names keep the ordinary editing.
class DateBox : public QDateTimeEdit {
    Q_OBJECT

public:
    explicit DateBox(QWidget* parent = nullptr);
    ~DateBox() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The typing rules of the pattern shown, or nothing for a pattern typed the ordinary way.
    DateTyping* Typing();
    bool ShowsNoDate() const;
    int CurrentPart();
    void SelectPart(int part);
    void SelectPartAt(int x);
    void ShowTyped();
    void EndTyping();

    // Worked out again whenever the pattern shown changes (an empty pattern has no rules).
    std::optional<DateTyping> m_typing;
    QString m_typingPattern;
};

} // namespace amb
