#include "common/widgets/DateBox.h"

#include "common/DateText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace amb {

DateBox::DateBox(QWidget* parent) : QDateTimeEdit(parent) {
    setDisplayFormat(ToQtDatePattern(QString()));
    lineEdit()->installEventFilter(this);
}

DateBox::~DateBox() = default;

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
    setCurrentSectionIndex(part);
    setSelectedSection(sectionAt(part));
}

void DateBox::SelectPartAt(int x) {
    QLineEdit* edit = lineEdit();
    const int position = edit->cursorPositionAt(QPoint(x, edit->height() / 2));
    if (DateTyping* typing = Typing()) {
        SelectPart(typing->PartAt(edit->text(), position));
        return;
    }
    edit->setCursorPosition(position);
    SelectPart(currentSectionIndex());
}

void DateBox::ShowTyped() {
    DateTyping* typing = Typing();
    const QDate typed = typing->Date();
    const bool holdable = typed.isValid() && typed >= minimumDate() && typed <= maximumDate() &&
                          !(typed == minimumDate() && !specialValueText().isEmpty());
    QLineEdit* edit = lineEdit();
    if (holdable) {
        setDate(typed); // also shows it, when it is the date held already
    } else {
        // Shown as typed until it is a date; the box keeps the date it held meanwhile.
        const QSignalBlocker blocker(edit);
        edit->setText(typing->Text());
    }
    const DateTyping::Span span = typing->Spans(edit->text()).at(static_cast<size_t>(typing->Part()));
    const QSignalBlocker blocker(edit);
    edit->setSelection(span.start, span.length);
}

void DateBox::EndTyping() {
    DateTyping* typing = Typing();
    if (!typing || !typing->Active())
        return;
    const int part = typing->Part();
    typing->End();
    if (lineEdit()->text() != textFromDateTime(dateTime())) {
        QApplication::beep();
        setDate(date());
    }
    if (hasFocus())
        SelectPart(part);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        // Focus had nowhere else to go; the parts are never stepped through with Tab.
        EndTyping();
        event->ignore();
        return;
    }
    DateTyping* typing = Typing();
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
    const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!typing || command || isReadOnly() || ShowsNoDate()) {
        EndTyping();
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
        if (!typing->Active())
            typing->Begin(date(), CurrentPart());
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
    QDateTimeEdit::focusOutEvent(event);
}

void DateBox::mousePressEvent(QMouseEvent* event) {
    EndTyping();
    QDateTimeEdit::mousePressEvent(event);
    // Neither the calendar button nor a step button: a click on the date itself.
    if (!event->isAccepted() && event->button() == Qt::LeftButton && !ShowsNoDate()) {
        SelectPartAt(lineEdit()->mapFrom(this, event->position().toPoint()).x());
        event->accept();
    }
}

bool DateBox::focusNextPrevChild(bool next) {
    EndTyping();
    return QWidget::focusNextPrevChild(next);
}

bool DateBox::eventFilter(QObject* watched, QEvent* event) {
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
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

} // namespace amb
