#include "common/widgets/ListKeys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace amb {

namespace {

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Without Shift, Ctrl or Alt; the keypad's Enter and Delete count as the plain keys.
bool IsPlain(const QKeyEvent* key) {
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool HasSelectedRow(const QAbstractItemView* list) {
    const QItemSelectionModel* selection = list->selectionModel();
    return selection && selection->hasSelection();
}

} // namespace

bool SelectCurrentRow(QAbstractItemView* list) {
    QItemSelectionModel* selection = list->selectionModel();
    if (!selection)
        return false;
    if (selection->hasSelection())
        return true;
    const QModelIndex current = selection->currentIndex();
    if (!current.isValid())
        return false;
    selection->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

namespace {

class ListKeyFilter : public QObject {
public:
    ListKeyFilter(QAbstractItemView* list, ListKeyCommands commands)
        : QObject(list), m_list(list), m_commands(std::move(commands)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_list || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!IsPlain(key))
            return false;
        const std::function<void()>* command = nullptr;
        if (IsEnter(key)) {
            // The row with the focus is the one Enter opens, selected or not; with none, nothing happens.
            if (!SelectCurrentRow(m_list)) {
                event->accept();
                return true;
            }
            command = &m_commands.open;
        } else if (key->key() == Qt::Key_Insert)
            command = &m_commands.create;
        else if (key->key() == Qt::Key_Delete && HasSelectedRow(m_list))
            command = &m_commands.remove;
        if (!command)
            return false;
        if (*command)
            (*command)();
        event->accept();
        return true;
    }

private:
    QAbstractItemView* m_list;
    ListKeyCommands m_commands;
};

// Enter on a focused toolbar button presses it, as it presses a focused push button. Insert there is
// the list's Insert: a list window opens with the focus on New, and Insert is the list's New key.
class ToolButtonKeys : public QObject {
public:
    ToolButtonKeys(QObject* parent, QAbstractItemView* list) : QObject(parent), m_list(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (!button || !IsPlain(key))
            return false;
        if (key->key() == Qt::Key_Insert && m_list) {
            QCoreApplication::sendEvent(m_list, key);
            return true;
        }
        if (!IsEnter(key))
            return false;
        if (button->isEnabled())
            button->click();
        event->accept();
        return true;
    }

private:
    QPointer<QAbstractItemView> m_list;
};

} // namespace

void BindListKeys(QAbstractItemView* list, ListKeyCommands commands) {
    list->installEventFilter(new ListKeyFilter(list, std::move(commands)));
}

std::function<void()> PressOf(QAction* button) {
    return [button] {
        if (button && button->isEnabled() && button->isVisible())
            button->trigger();
    };
}

void MakeToolbarTabbable(QToolBar* bar, QAbstractItemView* list) {
    auto* keys = new ToolButtonKeys(bar, list);
    QWidget* previous = nullptr;
    for (QAction* action : bar->actions()) {
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        if (!button)
            continue; // a separator
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(keys);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
    if (previous && list)
        QWidget::setTabOrder(previous, list);
}

void ClearListSelection(QAbstractItemView* list) {
    if (QItemSelectionModel* selection = list->selectionModel()) {
        selection->clearSelection();
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

} // namespace amb
