#pragma once

// Driving the administration windows as a person does: the list window opens the name and user
// windows inside its own modal show, so one script answers every window by its name.

#include "tests/support/DatabaseWindowTest.h"

#include <QHeaderView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <deque>
#include <functional>
#include <ostream>

// Readable failures: texts and lists of texts print as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{' << texts.join(QStringLiteral(" | ")).toStdString() << '}';
}

namespace test {

// Steps for the windows a test opens, taken in order: the first window shown gets the first step.
class WindowSteps {
public:
    using Step = std::function<void(QDialog&)>;
    WindowSteps() : m_script([this](QDialog& dialog) { Next(dialog); }) {}

    WindowSteps& Then(const char* window, Step step) {
        m_steps.push_back({QString::fromLatin1(window), std::move(step)});
        return *this;
    }
    int Runs() const { return m_script.Runs(); }
    bool Done() const { return m_steps.empty(); }

private:
    void Next(QDialog& dialog) {
        if (m_steps.empty()) {
            ADD_FAILURE() << "no step for " << dialog.objectName().toStdString();
            return;
        }
        auto [window, step] = std::move(m_steps.front());
        m_steps.pop_front();
        EXPECT_EQ(dialog.objectName(), window);
        step(dialog);
    }

    std::deque<std::pair<QString, Step>> m_steps;
    ModalScript m_script;
};

inline QTreeWidget* List(QDialog& dialog) {
    return Child<QTreeWidget>(dialog, "lstvwList");
}

// The texts of one column, top to bottom.
inline QStringList Column(QDialog& dialog, int column = 0) {
    QStringList texts;
    QTreeWidget* list = List(dialog);
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

// Clicks the row with this text in the first column; false when there is none.
inline bool ClickRow(QDialog& dialog, const QString& text, bool twice = false) {
    QTreeWidget* list = List(dialog);
    const auto found = list->findItems(text, Qt::MatchExactly, 0);
    if (found.isEmpty())
        return false;
    list->scrollToItem(found.first());
    const QPoint centre = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    return true;
}

inline void ClickHeader(QDialog& dialog, int column) {
    QHeaderView* header = List(dialog)->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
}

// The toolbar button of an action ("tbarListNew", "tbarListEdit", "tbarListDelete").
inline QToolButton* ToolButton(QDialog& dialog, const char* action) {
    auto* bar = Child<QToolBar>(dialog, "tbarList");
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(bar->findChild<QAction*>(action)));
    EXPECT_NE(button, nullptr) << action;
    return button;
}

inline void ClickTool(QDialog& dialog, const char* action) {
    if (QToolButton* button = ToolButton(dialog, action))
        QTest::mouseClick(button, Qt::LeftButton);
}

inline bool ToolEnabled(QDialog& dialog, const char* action) {
    QToolButton* button = ToolButton(dialog, action);
    return button && button->isEnabled();
}

} // namespace test
