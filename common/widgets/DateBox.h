#pragma once

#include "common/widgets/DateTyping.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

namespace amb {

// Sent to a date box's window when the user tries to leave the box while it shows a text that is not a
// date; the window accepts it and says so. Left unaccepted, the box only beeps. Its type is fixed, as
// every library's copy of the box must agree on it.
class DateRefusedEvent : public QEvent {
public:
    static constexpr Type kType = static_cast<Type>(QEvent::User + 359);
    explicit DateRefusedEvent(QDateTimeEdit* box) : QEvent(kType), m_box(box) { setAccepted(false); }
    QDateTimeEdit* Box() const { return m_box; }

private:
    QDateTimeEdit* m_box;
};

// Set on a window's Cancel or Close button: a click on it leaves the window without reading its dates,
// so a box showing a text that is not a date lets it through.
inline constexpr char kLeavesWithoutSaving[] = "leavesWithoutSaving";

// The date boxes of `area` (itself included) and what a window asks of them, through their meta-object:
// a library with a copy of DateBox of its own reaches the boxes of another copy too.
QList<QDateTimeEdit*> DateBoxesIn(QWidget* area);
void FinishDateTyping(QDateTimeEdit* box);
bool ShowsNonDate(QDateTimeEdit* box);
QString DateBoxName(QDateTimeEdit* box);

// A date box that takes a date as it is typed. Tab and Shift+Tab leave the box, and reaching it by
// either selects its first part; a click selects the part under the pointer and typing replaces that
// part; a whole date typed with its separators gives that date from whichever part it was started in.
// No key typed is dropped: once one has no place, the keys typed so far are shown as their text pasted
// would be. While typing the box keeps the date it held before; when typing ends it holds the date typed, or,
// for a text that is not a date of its range (2/30, 13/1, a year out of range), it keeps that text
// shown and marked, still holds the date held before, and refuses every way out (Tab, Shift+Tab, Enter,
// a click elsewhere in its window, a command's key) until a date is typed or Esc shows the held date
// again; the edit's own corrections never run over that text. A paste (the keys, the middle button,
// the context menu) is read as that text typed where it lands: a date, or else the text alone, marked.
// A cut or a deletion (Backspace and Delete over a selection, outside typing) leaves what remains, read as typed;
// Ctrl+Z and Ctrl+Y take back and redo a paste or a cut, never typing. Over a text that is not a date the steps change
// nothing. F4 and Alt+Down open the calendar the arrow opens. Patterns with month names keep the ordinary editing.
class DateBox : public QDateTimeEdit {
    Q_OBJECT

public:
    explicit DateBox(QWidget* parent = nullptr);
    ~DateBox() override;

    // Ends a run of typing as leaving the box does, so that the date is read as typed.
    Q_INVOKABLE void FinishTyping();
    // The box shows a text that is not a date; date() is still the date held before.
    Q_INVOKABLE bool ShowsNonDate() const;
    // The box's name for its messages: its accessible name, or the text of the label it is the buddy of.
    Q_INVOKABLE QString Name() const;

protected:
    bool event(QEvent* event) override;
    QValidator::State validate(QString& input, int& position) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    // The typing rules of the pattern shown, or nothing for a pattern typed the ordinary way.
    DateTyping* Typing();
    bool ShowsNoDate() const;
    int CurrentPart();
    void SelectPart(int part);
    int PartAt(int x);
    void SelectPartAt(int x);
    bool Holds(const QDate& date) const;
    void ShowTyped();
    void EndTyping();
    // Shows the held date again, or keeps `text` (not a date) shown and marked.
    void ShowHeld();
    void ShowNonDate(const QString& text);
    void ShowText(const QString& text);
    void Mark(bool nonDate);
    // Where every run of keys ends, typed or brought in: the date it makes is held, or else its text is
    // shown marked (part by part when it was typed with every key in its place).
    void ShowRun(const DateTyping& run, bool partByPart);
    // Reads `text` as typed from `part` of the text `shown`, through the same run typing goes through.
    void ReadAsTyped(const QString& shown, int part, const QString& text);
    // Shows a whole text as typing it from the first part ends.
    void ShowAsTyped(const QString& text);
    void Paste(const QString& text, int part);
    // Runs an edit of the line edit's own (a cut, a deletion) without its corrections, and reads what
    // it leaves as typed.
    void EditInLine(const std::function<void()>& edit);
    // Keeps `before` for Ctrl+Z when an edit replaced it.
    void Remember(const QString& before);
    void ForgetEdits();
    // Ctrl+Z or Ctrl+Y: the text of one list shown again, as typed; the text it replaces goes to the other.
    void TakeBack(std::vector<QString>& from, std::vector<QString>& to);
    void OpenCalendar();
    // The calendar of the arrow, created on first use, and what it opens over; a day picked there is
    // shown as held.
    void WatchCalendar();
    bool RefuseLeaving();
    void Refuse();
    // A key that runs a command of the window or moves into another of its controls.
    bool IsCommandKey(const QKeyEvent& key) const;
    // Presses elsewhere in the window are watched while the box has the focus or shows a non-date.
    void UpdatePressWatch();
    bool RefusePress(QObject* target);

    // Worked out again whenever the pattern shown changes (an empty pattern has no rules).
    std::optional<DateTyping> m_typing;
    QString m_typingPattern;
    std::optional<QString> m_nonDate; // shown while not a date (even empty); dropped when anything else replaces it
    std::vector<QString> m_undo;      // texts a paste or a cut replaced
    std::vector<QString> m_redo;
    bool m_editing = false;       // a paste, cut or Ctrl+Z of the box itself sets the date, keeping the lists
    bool m_lineEditing = false;   // the line edit edits its text itself, uncorrected
    QPointer<QWidget> m_calendar; // the calendar's drop-down window
    // A text that is not a date, shown when the calendar opened over it, and the date then held.
    std::optional<QString> m_nonDateUnderCalendar;
    QDate m_heldUnderCalendar;
    bool m_marked = false;
    bool m_showingText = false;
    bool m_watchingPresses = false;
    bool m_refuseKey = false; // a command's key taken from the window, refused when it arrives
    int m_eventDepth = 0;
};

} // namespace amb
