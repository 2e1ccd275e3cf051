// What reaches a date box other than the keys typed: a paste, a cut, Ctrl+Z and Ctrl+Y, the context
// menu, the steps and the calendar.

#include "common/widgets/DateBox.h"
#include "common/widgets/InterfaceLocale.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace amb {

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
    const auto take = [&menu](const char* text, const QString& shownAs = QString()) {
        const QList<QAction*> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(), [text](const QAction* action) {
            return action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr(text);
        });
        if (found == actions.end())
            return static_cast<QAction*>(nullptr);
        QAction* standard = *found;
        auto* action = new QAction(standard->icon(), shownAs.isEmpty() ? standard->text() : shownAs, menu);
        action->setEnabled(standard->isEnabled());
        menu->insertAction(standard, action);
        menu->removeAction(standard);
        return action;
    };
    const int part = CurrentPart();
    const StepEnabled steps = stepEnabled();
    const struct {
        QAction* action;
        std::optional<bool> enabled; // unless the platform's
        std::function<void()> run;
    } entries[] = {
        {.action = take("&Undo"), .enabled = !m_undo.empty(), .run = [this] { TakeBack(m_undo, m_redo); }},
        {.action = take("&Redo"), .enabled = !m_redo.empty(), .run = [this] { TakeBack(m_redo, m_undo); }},
        {.action = take("Cu&t"), .enabled = {}, .run = [this] { EditInLine([this] { lineEdit()->cut(); }); }},
        {.action = take("&Paste"),
         .enabled = {},
         .run = [this, part] { Paste(QGuiApplication::clipboard()->text(), part); }},
        {.action = take("Delete"), .enabled = {}, .run = [this] { EditInLine([this] { lineEdit()->del(); }); }},
        {.action = take("Select All", QAbstractSpinBox::tr("&Select All")),
         .enabled = {},
         .run = [this] { selectAll(); }},
        {.action = menu->addSeparator(), .enabled = {}, .run = {}},
        {.action = menu->addAction(QAbstractSpinBox::tr("&Step up")),
         .enabled = (steps & StepUpEnabled) != 0,
         .run = [this] { stepBy(1); }},
        {.action = menu->addAction(QAbstractSpinBox::tr("Step &down")),
         .enabled = (steps & StepDownEnabled) != 0,
         .run = [this] { stepBy(-1); }},
    };
    for (const auto& entry : entries)
        if (entry.action && entry.enabled)
            entry.action->setEnabled(*entry.enabled);

    const QPointer<DateBox> that = this;
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : mapToGlobal(QPoint(event->pos().x(), 0)) + QPoint(width() / 2, height() / 2);
    const QAction* chosen = menu->exec(at);
    if (that && chosen) {
        for (const auto& entry : entries)
            if (entry.action == chosen && entry.run)
                entry.run();
    }
    delete menu.data();
}

void DateBox::ShowRun(const DateTyping& run, bool partByPart) {
    const QDate typed = run.Date();
    if (Holds(typed)) {
        setDate(typed);
        ShowHeld(); // typed with other digits ("03") than the box shows, or the date held already
    } else {
        // Typed into some parts, the others as they were; a whole text stays as it came, as a paste's.
        ShowNonDate(partByPart && run.Placed() && !run.Whole() ? run.Text() : run.Keys());
    }
}

void DateBox::ReadAsTyped(const QString& shown, int part, const QString& text) {
    const QScopedValueRollback<bool> editing(m_editing, true);
    DateTyping* typing = Typing();
    if (!typing) {
        const QDate typed = QDate::fromString(text.trimmed(), displayFormat());
        if (Holds(typed)) {
            setDate(typed);
            ShowHeld();
        } else {
            ShowNonDate(text.trimmed());
        }
        return;
    }
    typing->Begin(shown, date(), part);
    for (const QChar key : text)
        typing->Type(key);
    typing->End();
    ShowRun(*typing, false);
}

void DateBox::ShowAsTyped(const QString& text) {
    ReadAsTyped(QString(), 0, text);
}

void DateBox::Paste(const QString& pasted, int part) {
    if (pasted.trimmed().isEmpty())
        return;
    // Not mixed into what was shown: the text alone, or the date it makes from where it landed.
    const QString before = lineEdit()->text();
    ReadAsTyped(before, part, pasted);
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
    // Months and days named in the interface's language, whatever the program-wide locale.
    calendar->setLocale(InterfaceLocale());
    calendar->setAccessibleName(Name());
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
