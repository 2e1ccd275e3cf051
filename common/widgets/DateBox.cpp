#include "common/widgets/DateBox.h"

#include "common/DateText.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>

#include <algorithm>

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
    // Shown as typed; the box keeps the date it held until typing ends.
    DateTyping* typing = Typing();
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
    const QDate typed = typing->Date();
    if (Holds(typed)) {
        setDate(typed);
        ShowHeld(); // typed with other digits ("03") than the box shows, or the date held already
    } else if (typing->Text() != textFromDateTime(dateTime())) {
        ShowNonDate(typing->Text());
    }
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
    if ((modifiers & Qt::AltModifier) && ((code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9)))
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
    if (editable && (IsKey(*event, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z) ||
                     IsKey(*event, QKeySequence::Redo, Qt::CTRL | Qt::Key_Y))) {
        // Typing clears both lists: Esc takes it back.
        if (IsKey(*event, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z))
            TakeBack(m_undo, m_redo);
        else
            TakeBack(m_redo, m_undo);
        event->accept();
        return;
    }
    const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!typing || command || isReadOnly() || ShowsNoDate()) {
        EndTyping();
        // A cut or any other edit of the line itself (a word or the line deleted) ends as typing ends.
        if (command && editable)
            EditInLine([this, event] { QDateTimeEdit::keyPressEvent(event); });
        else
            QDateTimeEdit::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Backspace:
        if (typing->Erase())
            ShowTyped();
        event->accept();
        return;
    case Qt::Key_Delete:
        event->accept();
        return;
    default:
        break;
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
        if (typing->Type(text.at(0)))
            ShowTyped();
        else
            QApplication::beep();
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

void DateBox::wheelEvent(QWheelEvent* event) {
    EndTyping();
    QDateTimeEdit::wheelEvent(event);
}

QAbstractSpinBox::StepEnabled DateBox::stepEnabled() const {
    // The held date is never stepped behind a text that is not a date, nor one being typed.
    if (ShowsNonDate() || (m_typing && m_typing->Active()))
        return StepNone;
    return QDateTimeEdit::stepEnabled();
}

void DateBox::contextMenuEvent(QContextMenuEvent* event) {
    EndTyping();
    event->accept();
    QPointer<QMenu> menu = lineEdit()->createStandardContextMenu();
    if (!menu)
        return;
    // The edit's own entries as the platform shows them (known by their text), done here rather than by
    // the edit; the steps as the platform's spin box adds them.
    const auto take = [&menu](const char* text) {
        const QList<QAction*> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(), [text](const QAction* action) {
            return action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr(text);
        });
        if (found == actions.end())
            return static_cast<QAction*>(nullptr);
        QAction* standard = *found;
        auto* action = new QAction(standard->icon(), standard->text(), menu);
        action->setEnabled(standard->isEnabled());
        menu->insertAction(standard, action);
        menu->removeAction(standard);
        return action;
    };
    const int part = CurrentPart();
    const StepEnabled steps = stepEnabled();
    const struct {
        QAction* action;
        std::function<void()> run;
    } entries[] = {
        {take("&Undo"), [this] { TakeBack(m_undo, m_redo); }},
        {take("&Redo"), [this] { TakeBack(m_redo, m_undo); }},
        {take("Cu&t"), [this] { EditInLine([this] { lineEdit()->cut(); }); }},
        {take("&Paste"), [this, part] { Paste(QGuiApplication::clipboard()->text(), part); }},
        {take("Delete"), [this] { EditInLine([this] { lineEdit()->del(); }); }},
        {take("Select All"), [this] { selectAll(); }},
        {menu->addAction(QAbstractSpinBox::tr("&Step up")), [this] { stepBy(1); }},
        {menu->addAction(QAbstractSpinBox::tr("Step &down")), [this] { stepBy(-1); }},
    };
    if (entries[0].action)
        entries[0].action->setEnabled(!m_undo.empty());
    if (entries[1].action)
        entries[1].action->setEnabled(!m_redo.empty());
    if (entries[5].action)
        entries[5].action->setText(QAbstractSpinBox::tr("&Select All"));
    entries[6].action->setEnabled(steps & StepUpEnabled);
    entries[7].action->setEnabled(steps & StepDownEnabled);
    menu->insertSeparator(entries[6].action);

    const QPointer<DateBox> that = this;
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : mapToGlobal(QPoint(event->pos().x(), 0)) + QPoint(width() / 2, height() / 2);
    const QAction* chosen = menu->exec(at);
    if (that && chosen) {
        for (const auto& entry : entries)
            if (entry.action == chosen)
                entry.run();
    }
    delete menu.data();
}

QDate DateBox::DateTyped(const QString& shown, int part, const QString& keys) {
    DateTyping* typing = Typing();
    if (!typing)
        return QDate::fromString(keys, displayFormat());
    typing->Begin(shown, date(), part);
    bool typed = !keys.isEmpty();
    for (const QChar key : keys)
        typed = typed && typing->Type(key);
    const QDate date = typed ? typing->Date() : QDate();
    typing->End();
    return date;
}

void DateBox::ShowRead(const QString& text, const QDate& typed) {
    const QScopedValueRollback<bool> editing(m_editing, true);
    if (Holds(typed)) {
        setDate(typed);
        ShowHeld();
    } else {
        ShowNonDate(text);
    }
}

void DateBox::ShowAsTyped(const QString& text) {
    ShowRead(text, DateTyped(QString(), 0, text));
}

void DateBox::Paste(const QString& pasted, int part) {
    const QString text = pasted.trimmed();
    if (text.isEmpty())
        return;
    // Not mixed into what was shown: the text alone, or the date it makes from where it landed.
    const QString before = lineEdit()->text();
    ShowRead(text, DateTyped(before, part, text));
    Remember(before);
    if (hasFocus())
        SelectPart(part);
}

void DateBox::EditInLine(const std::function<void()>& edit) {
    QLineEdit* line = lineEdit();
    const QString before = line->text();
    const QDate held = date();
    const int part = CurrentPart();
    {
        // Neither told of the change nor validating it, the edit makes no date of what is left.
        const QSignalBlocker blocker(line);
        const QScopedValueRollback<bool> lineEditing(m_lineEditing, true);
        edit();
    }
    if (line->text() == before || date() != held)
        return;
    ShowAsTyped(line->text());
    Remember(before);
    if (hasFocus())
        SelectPart(part);
}

void DateBox::Remember(const QString& before) {
    if (before == lineEdit()->text())
        return;
    m_undo.push_back(before);
    m_redo.clear();
}

void DateBox::ForgetEdits() {
    m_undo.clear();
    m_redo.clear();
}

void DateBox::TakeBack(std::vector<QString>& from, std::vector<QString>& to) {
    if (from.empty())
        return;
    const int part = CurrentPart();
    const QString text = from.back();
    from.pop_back();
    to.push_back(lineEdit()->text());
    ShowAsTyped(text);
    if (hasFocus())
        SelectPart(part);
}

void DateBox::WatchCalendar() {
    m_nonDateUnderCalendar = ShowsNonDate() ? m_nonDate : std::nullopt;
    m_heldUnderCalendar = date();
    if (m_calendar || !calendarPopup())
        return;
    // The box's own calendar, looked and laid out as the edit's own, so that it hears of a day picked
    // before the edit does: the held day picked over a text that is not a date changes no date.
    auto* calendar = new QCalendarWidget(this);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    for (const auto picked : {&QCalendarWidget::clicked, &QCalendarWidget::activated}) {
        connect(calendar, picked, this, [this](QDate day) {
            m_nonDateUnderCalendar.reset();
            if (day == date())
                ShowHeld();
        });
    }
    setCalendarWidget(calendar);
    m_calendar = calendar->window();
    m_calendar->installEventFilter(this);
}

void DateBox::OpenCalendar() {
    EndTyping();
    if (!calendarPopup() || isReadOnly() || ShowsNoDate())
        return;
    WatchCalendar();
    // The platform's edit opens its calendar only for a press on its arrow.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateTimeEdit::mousePressEvent(&press);
}

} // namespace amb
