#include "common/widgets/DateBox.h"

#include "common/DateText.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <utility>

namespace amb {

namespace {

// A label's text as a name: no mnemonic, no colon, no required-field mark.
QString NameOfLabel(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char('*')))
        text.chop(1);
    return text.trimmed();
}

// A standard editing key, also by the keys people use for it on other desktops.
bool IsKey(const QKeyEvent& key, QKeySequence::StandardKey standard, QKeyCombination usual) {
    return key.matches(standard) || key.keyCombination() == usual;
}

} // namespace

QList<QDateTimeEdit*> DateBoxesIn(QWidget* area) {
    QList<QDateTimeEdit*> boxes;
    if (!area)
        return boxes;
    if (auto* box = qobject_cast<QDateTimeEdit*>(area))
        boxes << box;
    boxes << area->findChildren<QDateTimeEdit*>();
    boxes.removeIf([](const QDateTimeEdit* box) { return !box->inherits("amb::DateBox"); });
    return boxes;
}

void FinishDateTyping(QDateTimeEdit* box) {
    QMetaObject::invokeMethod(box, "FinishTyping", Qt::DirectConnection);
}

bool ShowsNonDate(QDateTimeEdit* box) {
    bool shows = false;
    QMetaObject::invokeMethod(box, "ShowsNonDate", Qt::DirectConnection, Q_RETURN_ARG(bool, shows));
    return shows;
}

QString DateBoxName(QDateTimeEdit* box) {
    QString name;
    QMetaObject::invokeMethod(box, "Name", Qt::DirectConnection, Q_RETURN_ARG(QString, name));
    return name;
}

DateBox::DateBox(QWidget* parent) : QDateTimeEdit(parent) {
    setDisplayFormat(ToQtDatePattern(QString()));
    lineEdit()->installEventFilter(this);
    // A date set or picked replaces whatever text was shown, and what Ctrl+Z would have taken back.
    connect(this, &QDateTimeEdit::dateChanged, this, [this] {
        m_nonDate.reset();
        Mark(false);
        if (!m_editing)
            ForgetEdits();
    });
}

DateBox::~DateBox() {
    if (m_watchingPresses)
        qApp->removeEventFilter(this);
    if (m_calendar)
        m_calendar->removeEventFilter(this);
}

DateTyping* DateBox::Typing() {
    if (m_typingPattern != displayFormat()) {
        m_typingPattern = displayFormat();
        m_typing = DateTyping::ForPattern(m_typingPattern);
    }
    return m_typing ? &*m_typing : nullptr;
}

bool DateBox::ShowsNoDate() const {
    return !specialValueText().isEmpty() && date() == minimumDate();
}

int DateBox::CurrentPart() {
    const QLineEdit* edit = lineEdit();
    const int position = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    if (DateTyping* typing = Typing())
        return typing->PartAt(edit->text(), position);
    return std::max(0, currentSectionIndex());
}

void DateBox::SelectPart(int part) {
    if (ShowsNoDate() || sectionCount() == 0)
        return;
    part = std::clamp(part, 0, sectionCount() - 1);
    // The edit knows where the parts of its own text are, not those of a text typed; told of a new
    // part, it would also make a date of that text.
    if (DateTyping* typing = Typing(); typing && ShowsNonDate()) {
        const DateTyping::Span span = typing->Spans(lineEdit()->text()).at(static_cast<size_t>(part));
        lineEdit()->setSelection(span.start, span.length);
        return;
    }
    setCurrentSectionIndex(part);
    setSelectedSection(sectionAt(part));
}

int DateBox::PartAt(int x) {
    QLineEdit* edit = lineEdit();
    const int position = edit->cursorPositionAt(QPoint(x, edit->height() / 2));
    if (DateTyping* typing = Typing())
        return typing->PartAt(edit->text(), position);
    edit->setCursorPosition(position);
    return currentSectionIndex();
}

void DateBox::SelectPartAt(int x) {
    SelectPart(PartAt(x));
}

bool DateBox::Holds(const QDate& date) const {
    return date.isValid() && date >= minimumDate() && date <= maximumDate() &&
           !(date == minimumDate() && !specialValueText().isEmpty());
}

void DateBox::ShowTyped() {
    DateTyping* typing = Typing();
    if (!typing->Placed()) {
        // A key with no place: what was typed is shown as its text pasted shows, never a date of the rest.
        ShowRun(*typing, false);
        return;
    }
    if (m_nonDate) {
        m_nonDate.reset();
        Mark(false);
        UpdatePressWatch();
    }
    // Shown as typed; the box keeps the date it held until typing ends.
    QLineEdit* edit = lineEdit();
    ShowText(typing->Text());
    const QSignalBlocker blocker(edit);
    const DateTyping::Span span = typing->Spans(edit->text()).at(static_cast<size_t>(typing->Part()));
    edit->setSelection(span.start, span.length);
}

void DateBox::EndTyping() {
    DateTyping* typing = Typing();
    if (!typing || !typing->Active())
        return;
    const int part = typing->Part();
    typing->End();
    ShowRun(*typing, true);
    if (hasFocus())
        SelectPart(part);
}

void DateBox::FinishTyping() {
    EndTyping();
}

bool DateBox::ShowsNonDate() const {
    return m_nonDate && lineEdit()->text() == *m_nonDate;
}

QString DateBox::Name() const {
    if (!accessibleName().isEmpty())
        return NameOfLabel(accessibleName());
    for (const QLabel* label : window()->findChildren<QLabel*>())
        if (label->buddy() == this || (label->buddy() && label->buddy() == parentWidget()))
            return NameOfLabel(label->text());
    return parentWidget() ? NameOfLabel(parentWidget()->accessibleName()) : QString();
}

void DateBox::ShowHeld() {
    m_nonDate.reset();
    Mark(false);
    UpdatePressWatch();
    // Shown by the edit itself, which then knows again where its parts are.
    ShowText(QString());
    setDateTime(dateTime());
}

void DateBox::ShowNonDate(const QString& text) {
    m_nonDate = text;
    ShowText(text);
    Mark(true);
    UpdatePressWatch();
}

void DateBox::ShowText(const QString& text) {
    // Neither the edit's signals nor its validator, which would make a date of "2/30/2026".
    const QSignalBlocker blocker(lineEdit());
    m_showingText = true;
    lineEdit()->setText(text);
    m_showingText = false;
}

QValidator::State DateBox::validate(QString& input, int& position) const {
    if (m_showingText || m_lineEditing)
        return QValidator::Intermediate;
    return QDateTimeEdit::validate(input, position);
}

void DateBox::Mark(bool nonDate) {
    if (nonDate == m_marked)
        return;
    m_marked = nonDate;
    QPalette palette = lineEdit()->palette();
    const QPalette plain = QApplication::palette(lineEdit());
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::Highlight})
        palette.setColor(role, nonDate ? QColor(0xc0, 0x00, 0x00) : plain.color(role));
    lineEdit()->setPalette(palette);
    // Told of a caret moved or a text changed, the edit would make a date of a text that is not one.
    lineEdit()->blockSignals(nonDate);
}

bool DateBox::RefuseLeaving() {
    EndTyping();
    if (!ShowsNonDate())
        return false;
    Refuse();
    return true;
}

void DateBox::Refuse() {
    DateRefusedEvent refused(this);
    QCoreApplication::sendEvent(window(), &refused);
    if (!refused.isAccepted()) {
        QApplication::beep();
        setFocus(Qt::OtherFocusReason);
    }
}

bool DateBox::IsCommandKey(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const int code = key.key();
    if (code == Qt::Key_Alt || code == Qt::Key_Control || code == Qt::Key_Shift || code == Qt::Key_Meta)
        return false;
    // Alt with a letter or digit is a button's, a label's, a tab's or a menu's mnemonic; nothing in
    // the box itself answers to it.
    if ((modifiers & Qt::AltModifier) &&
        ((code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9)))
        return true;
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : window()->findChildren<QAction*>())
        if (action->isEnabled() && action->shortcuts().contains(pressed))
            return true;
    for (const QAbstractButton* button : window()->findChildren<QAbstractButton*>())
        if (button->isEnabled() && !button->shortcut().isEmpty() && button->shortcut() == pressed)
            return true;
    return false;
}

void DateBox::UpdatePressWatch() {
    const bool watch = hasFocus() || ShowsNonDate();
    if (watch == m_watchingPresses)
        return;
    m_watchingPresses = watch;
    if (watch)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool DateBox::RefusePress(QObject* target) {
    // The press has moved the focus already; it must not also reach a command or a list.
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget || widget == this || isAncestorOf(widget) || widget->window() != window())
        return false;
    for (const QWidget* w = widget; w && w != window(); w = w->parentWidget())
        if (w->property(kLeavesWithoutSaving).toBool())
            return false;
    EndTyping();
    if (!ShowsNonDate())
        return false;
    Refuse();
    return true;
}

bool DateBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // A command's key is taken here while the box shows a text that is not a date, so that the
        // command never runs with the date held instead, nor the focus moves on.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
                           key->text().size() == 1 && key->text().at(0).isPrint();
        if (!typed && IsCommandKey(*key)) {
            EndTyping();
            if (ShowsNonDate()) {
                m_refuseKey = true;
                event->accept();
                return true;
            }
        }
    }
    // A date set from outside showed its text over the text typed: that text is gone. (Within an event
    // of its own, the edit may have done so, and the text comes back below.)
    if (m_eventDepth == 0 && m_nonDate && lineEdit()->text() != *m_nonDate) {
        m_nonDate.reset();
        Mark(false);
    }
    // The edit reads its text again on focus changes and Enter and shows the held date over a text
    // that is not one; unless the date changed or this box dropped the text itself, the text stays.
    const std::optional<QString> nonDate = m_nonDate;
    const QDate held = date();
    ++m_eventDepth;
    bool handled = false;
    try {
        handled = QDateTimeEdit::event(event);
    } catch (...) {
        --m_eventDepth;
        throw;
    }
    --m_eventDepth;
    if (nonDate && m_nonDate == nonDate && date() == held && lineEdit()->text() != *nonDate)
        ShowNonDate(*nonDate);
    return handled;
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (std::exchange(m_refuseKey, false)) {
        Refuse();
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The edit would correct the text itself (30 February becomes the 28th) and the window's
        // default button would go on with that date.
        if (RefuseLeaving()) {
            event->accept();
            return;
        }
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        // Focus had nowhere else to go; the parts are never stepped through with Tab.
        if (RefuseLeaving())
            event->accept();
        else
            event->ignore();
        return;
    }
    DateTyping* typing = Typing();
    if (key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        ((typing && typing->Active()) || ShowsNonDate())) {
        // Esc takes back what was typed (the window's own Esc needs a second press).
        const int part = typing && typing->Active() ? typing->Part() : CurrentPart();
        if (typing)
            typing->End();
        ShowHeld();
        ForgetEdits();
        SelectPart(part);
        event->accept();
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End) {
        // Part by part, also with Ctrl (which would otherwise leave the box).
        const int part = typing && typing->Active() ? typing->Part() : CurrentPart();
        EndTyping();
        SelectPart(key == Qt::Key_Home  ? 0
                   : key == Qt::Key_End ? sectionCount() - 1
                                        : part + (key == Qt::Key_Left ? -1 : 1));
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_F4 && modifiers == Qt::NoModifier) || (key == Qt::Key_Down && modifiers == Qt::AltModifier)) {
        // As a drop-down list opens; never a step.
        OpenCalendar();
        event->accept();
        return;
    }
    const bool editable = !isReadOnly() && !ShowsNoDate();
    if (editable && IsKey(*event, QKeySequence::Paste, Qt::CTRL | Qt::Key_V)) {
        EndTyping();
        Paste(QGuiApplication::clipboard()->text(), CurrentPart());
        event->accept();
        return;
    }
    if (editable && IsKey(*event, QKeySequence::Cut, Qt::CTRL | Qt::Key_X)) {
        EndTyping();
        EditInLine([this] { lineEdit()->cut(); });
        event->accept();
        return;
    }
    const bool undo = IsKey(*event, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z);
    if (editable && (undo || IsKey(*event, QKeySequence::Redo, Qt::CTRL | Qt::Key_Y))) {
        // Only a paste or a cut is taken back: typing forgets them, and Esc takes typing back.
        if (undo)
            TakeBack(m_undo, m_redo);
        else
            TakeBack(m_redo, m_undo);
        event->accept();
        return;
    }
    const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!typing || command || isReadOnly() || ShowsNoDate()) {
        EndTyping();
        // Any other edit of the line itself (a word or the whole line deleted) ends as typing ends.
        if (command && editable)
            EditInLine([this, event] { QDateTimeEdit::keyPressEvent(event); });
        else
            QDateTimeEdit::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        if (typing->Active()) {
            if (key == Qt::Key_Backspace && typing->Erase())
                ShowTyped();
        } else if (lineEdit()->hasSelectedText()) {
            // A part or the whole text selected goes as Cut takes it, the clipboard aside.
            EditInLine([this] { lineEdit()->del(); });
        }
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isPrint()) {
        if (!typing->Active()) {
            // Typing goes on over a text that is not a date as over a date.
            typing->Begin(lineEdit()->text(), date(), CurrentPart());
            m_nonDate.reset();
            Mark(false);
            ForgetEdits();
        }
        typing->Type(text.at(0));
        ShowTyped();
        event->accept();
        return;
    }
    EndTyping();
    QDateTimeEdit::keyPressEvent(event);
}

void DateBox::focusInEvent(QFocusEvent* event) {
    if (DateTyping* typing = Typing())
        typing->End();
    QDateTimeEdit::focusInEvent(event);
    UpdatePressWatch();
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        SelectPart(0);
        break;
    default:
        break;
    }
}

void DateBox::focusOutEvent(QFocusEvent* event) {
    EndTyping();
    if (ShowsNonDate()) {
        // The edit would read the text again and show a date of its own making over it; only the
        // line edit and the widget hear of the focus leaving.
        lineEdit()->event(event);
        QWidget::focusOutEvent(event);
    } else {
        QDateTimeEdit::focusOutEvent(event);
    }
    UpdatePressWatch();
}

void DateBox::mousePressEvent(QMouseEvent* event) {
    EndTyping();
    WatchCalendar();
    QDateTimeEdit::mousePressEvent(event);
    // Neither the calendar button nor a step button: a click on the date itself.
    if (!event->isAccepted() && event->button() == Qt::LeftButton && !ShowsNoDate()) {
        SelectPartAt(lineEdit()->mapFrom(this, event->position().toPoint()).x());
        event->accept();
    }
}

bool DateBox::focusNextPrevChild(bool next) {
    if (RefuseLeaving())
        return true;
    return QWidget::focusNextPrevChild(next);
}

bool DateBox::eventFilter(QObject* watched, QEvent* event) {
    if (m_watchingPresses && watched != lineEdit() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        if (RefusePress(watched)) {
            event->accept();
            return true;
        }
        return false;
    }
    if (watched == m_calendar && event->type() == QEvent::Hide) {
        // Closed with no day picked (Esc, a click elsewhere), the calendar shows the held date again; a
        // text that is not a date stays, to be refused.
        const std::optional<QString> nonDate = std::exchange(m_nonDateUnderCalendar, std::nullopt);
        watched->event(event);
        if (nonDate && date() == m_heldUnderCalendar)
            ShowNonDate(*nonDate);
        return true;
    }
    if (watched == lineEdit()) {
        if (event->type() == QEvent::MouseButtonPress) {
            EndTyping();
        } else if (event->type() == QEvent::MouseButtonRelease && !ShowsNoDate()) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                lineEdit()->event(event);
                SelectPartAt(mouse->position().toPoint().x());
                return true;
            }
            if (mouse->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
                // The selection pasted where the button is, as the keys paste.
                if (!isReadOnly())
                    Paste(QGuiApplication::clipboard()->text(QClipboard::Selection),
                          PartAt(mouse->position().toPoint().x()));
                return true;
            }
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

} // namespace amb
