#include "common/widgets/ControlHelpers.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ComboBoxHelpers.h"

#include "platform/com/Error.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using platform::Variant;

TEST(ComboHelpers, FillAndSelect) {
    QComboBox box;
    box.addItem("stale");
    QSignalSpy changed(&box, &QComboBox::currentIndexChanged);
    const auto lookup = [] {
        return std::make_shared<platform::Recordset>(
            QStringList{"ID", "Name"},
            std::vector<platform::Recordset::Row>{{-998, QString()}, {1, "Home "}, {2, "직장"}, {3, "home"}});
    };
    auto rs = lookup();
    rs->MoveNext();
    amb::FillComboBox(&box, rs, "name", "id", true);
    ASSERT_EQ(box.count(), 4);
    EXPECT_EQ(box.itemText(1), "Home");
    EXPECT_EQ(box.itemData(0).toInt(), -998);
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(changed.count(), 1) << "only the final selection is announced";
    EXPECT_EQ(rs->AbsolutePosition(), 0) << "kept open at its first row";
    amb::FillComboBox(&box, rs, "Name", "ID", false);
    EXPECT_TRUE(rs->IsClosed());

    // Exact text, case and blanks count; by id through AsLong; no match selects the first entry.
    const std::tuple<Variant, bool, int> selections[] = {
        {"home", false, 3}, {"직장", false, 2}, {"HOME", false, 0}, {" 1 ", true, 1}, {int32_t{77}, true, 0}};
    for (const auto& [value, byId, index] : selections) {
        amb::SelectComboItem(&box, value, byId);
        EXPECT_EQ(box.currentIndex(), index) << value.ToString().toStdString();
    }

    // No result set: an empty box; an unknown column is the caller's error and leaves no half fill behind.
    amb::FillComboBox(&box, nullptr, "Name", "ID", false);
    EXPECT_EQ(box.count(), 0);
    amb::SelectComboItem(&box, Variant(int32_t{1}), true);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_THROW(amb::FillComboBox(&box, lookup(), "Nope", "ID", false), platform::Error);
    EXPECT_EQ(box.count(), 0);
}

TEST(ControlHelpers, TextSelectionHideAndTwips) {
    QLineEdit line("  ab  ");
    amb::SelectAllText(&line);
    EXPECT_EQ(line.selectionStart(), 0);
    EXPECT_EQ(line.selectedText(), "  ") << "length of the trimmed text, from the start";
    QPlainTextEdit note("가나다 ");
    amb::SelectAllText(&note);
    EXPECT_EQ(note.textCursor().selectedText(), "가나다");
    QComboBox editable;
    editable.setEditable(true);
    editable.setEditText("Kim ");
    amb::SelectAllComboText(&editable);
    EXPECT_EQ(editable.lineEdit()->selectedText(), "Kim");
    QComboBox dropDown;
    amb::SelectAllComboText(&dropDown); // nothing to select in a drop-down list
    amb::SelectAllText(nullptr);

    QDialog window;
    auto* button = new QPushButton(&window);
    window.show();
    amb::HideControl(button, true);
    EXPECT_FALSE(button->isVisible() || button->isEnabled());
    amb::HideControl(button, false);
    EXPECT_TRUE(button->isVisible() && button->isEnabled());
    QAction action("&Open");
    amb::HideControl(&action, true);
    EXPECT_FALSE(action.isVisible() || action.isEnabled());

    const int32_t across = amb::PixelsToTwips(100, 0);
    EXPECT_GT(across, 0);
    EXPECT_EQ(amb::PixelsToTwips(100, 2), 0);
    EXPECT_EQ(amb::PixelsToTwips(-100, 0), -across);
}

TEST(BusyState, FlagCursorAndInputOnEveryPath) {
    QDialog window;
    auto* button = new QPushButton("OK", &window);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    try {
        amb::BusyScope busy(&window);
        EXPECT_TRUE(amb::IsBusy(&window));
        EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(clicks, 0) << "input to a busy window is dropped";
        { amb::BusyScope nested(&window); }
        EXPECT_TRUE(amb::IsBusy(&window)) << "an inner scope restores the outer busy state";

        // A message box opened from a busy window still takes input.
        QMessageBox box(QMessageBox::Information, "t", "m", QMessageBox::Ok, &window);
        QTimer::singleShot(0, &box, [&box] { QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton); });
        EXPECT_EQ(box.exec(), QMessageBox::Ok);
        throw std::runtime_error("handler failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(amb::IsBusy(&window)) << "ended on the failure path";
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    // A window's own cursor comes back; a window deleted while busy is forgotten.
    window.setCursor(Qt::CrossCursor);
    amb::SetBusy(&window, true);
    amb::SetBusy(&window, false);
    EXPECT_EQ(window.cursor().shape(), Qt::CrossCursor);
    {
        auto* doomed = new QDialog;
        amb::BusyScope busy(doomed);
        delete doomed;
    }
    amb::SetBusy(nullptr, true);
}

TEST(BusyState, InputQueuedWhileBusyIsDroppedForEveryWindow) {
    QDialog window;
    QDialog other;
    auto* button = new QPushButton("OK", &window);
    auto* otherButton = new QPushButton("Other", &other);
    int clicks = 0;
    for (QPushButton* b : {button, otherButton})
        QObject::connect(b, &QPushButton::clicked, [&clicks] { ++clicks; });
    window.show();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));

    // The work runs without dispatching events: what was clicked meanwhile is still queued at its end.
    const auto queueClick = [](QWidget* target) {
        const QPointF at = QRectF(target->rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(
                target,
                new QMouseEvent(type, at, target->mapToGlobal(at), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
    };
    {
        amb::BusyScope busy(&window);
        queueClick(button);
        queueClick(otherButton);
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(button, new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 0);
    // A timer or a posted call is not input: it still runs.
    bool ran = false;
    {
        amb::BusyScope busy(&window);
        QMetaObject::invokeMethod(
            &window, [&ran] { ran = true; }, Qt::QueuedConnection);
    }
    EXPECT_TRUE(ran);
    QTest::mouseClick(otherButton, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2) << "input after the work is taken";
}
