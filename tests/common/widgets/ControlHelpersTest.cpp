#include "common/widgets/ControlHelpers.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ComboBoxHelpers.h"

#include "platform/com/Error.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

using platform::Variant;

platform::RecordsetPtr Lookup() {
    return std::make_shared<platform::Recordset>(
        QStringList{QStringLiteral("ID"), QStringLiteral("Name")},
        std::vector<platform::Recordset::Row>{{Variant(int32_t{-998}), Variant(QString())},
                                              {Variant(int32_t{1}), Variant(QStringLiteral("Home "))},
                                              {Variant(int32_t{2}), Variant(QStringLiteral("직장"))},
                                              {Variant(int32_t{3}), Variant(QStringLiteral("home"))}});
}

} // namespace

TEST(ComboHelpers, FillAndSelect) {
    QComboBox box;
    box.addItem(QStringLiteral("stale"));
    QSignalSpy changed(&box, &QComboBox::currentIndexChanged);

    auto rs = Lookup();
    rs->MoveNext();
    amb::FillComboBox(&box, rs, QStringLiteral("name"), QStringLiteral("id"), true);
    ASSERT_EQ(box.count(), 4);
    EXPECT_EQ(box.itemText(1), QStringLiteral("Home"));
    EXPECT_EQ(box.itemData(0).toInt(), -998);
    EXPECT_EQ(box.itemData(2).toInt(), 2);
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(changed.count(), 1) << "only the final selection is announced";
    EXPECT_FALSE(rs->IsClosed());
    EXPECT_EQ(rs->AbsolutePosition(), 0) << "kept open at its first row";

    amb::FillComboBox(&box, rs, QStringLiteral("Name"), QStringLiteral("ID"), false);
    EXPECT_TRUE(rs->IsClosed());

    // Exact text, case and blanks count; by id through AsLong; no match selects the first entry.
    amb::SelectComboItem(&box, Variant(QStringLiteral("home")), false);
    EXPECT_EQ(box.currentIndex(), 3);
    amb::SelectComboItem(&box, Variant(QStringLiteral("직장")), false);
    EXPECT_EQ(box.currentIndex(), 2);
    amb::SelectComboItem(&box, Variant(QStringLiteral("HOME")), false);
    EXPECT_EQ(box.currentIndex(), 0);
    amb::SelectComboItem(&box, Variant(QStringLiteral(" 1 ")), true);
    EXPECT_EQ(box.currentIndex(), 1);
    amb::SelectComboItem(&box, Variant(int32_t{3}), true);
    EXPECT_EQ(box.currentIndex(), 3);
    amb::SelectComboItem(&box, Variant(int32_t{77}), true);
    EXPECT_EQ(box.currentIndex(), 0);

    // No result set: empty box; an unknown column is the caller's error and leaves no half fill behind
    // that signals anything.
    amb::FillComboBox(&box, nullptr, QStringLiteral("Name"), QStringLiteral("ID"), false);
    EXPECT_EQ(box.count(), 0);
    amb::SelectComboItem(&box, Variant(int32_t{1}), true);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_THROW(amb::FillComboBox(&box, Lookup(), QStringLiteral("Nope"), QStringLiteral("ID"), false),
                 platform::Error);
    EXPECT_EQ(box.count(), 0);
    auto empty =
        std::make_shared<platform::Recordset>(QStringList{"ID", "Name"}, std::vector<platform::Recordset::Row>{});
    amb::FillComboBox(&box, empty, QStringLiteral("Name"), QStringLiteral("ID"), false);
    EXPECT_EQ(box.currentIndex(), -1);
}

TEST(ControlHelpers, TextSelectionHideAndTwips) {
    QLineEdit line(QStringLiteral("  ab  "));
    amb::SelectAllText(&line);
    EXPECT_EQ(line.selectionStart(), 0);
    EXPECT_EQ(line.selectedText(), QStringLiteral("  ")) << "length of the trimmed text, from the start";
    QPlainTextEdit note(QStringLiteral("가나다 "));
    amb::SelectAllText(&note);
    EXPECT_EQ(note.textCursor().selectedText(), QStringLiteral("가나다"));

    QComboBox editable;
    editable.setEditable(true);
    editable.setEditText(QStringLiteral("Kim "));
    amb::SelectAllComboText(&editable);
    EXPECT_EQ(editable.lineEdit()->selectedText(), QStringLiteral("Kim"));
    QComboBox dropDown;
    dropDown.addItem(QStringLiteral("x"));
    amb::SelectAllComboText(&dropDown); // nothing to select in a drop-down list
    amb::SelectAllText(nullptr);

    QDialog window;
    auto* button = new QPushButton(&window);
    window.show();
    amb::HideControl(button, true);
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(button->isEnabled());
    amb::HideControl(button, false);
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
    QAction action(QStringLiteral("&Open"));
    amb::HideControl(&action, true);
    EXPECT_FALSE(action.isVisible());
    EXPECT_FALSE(action.isEnabled());

    const int32_t across = amb::PixelsToTwips(100, 0);
    EXPECT_GT(across, 0);
    EXPECT_EQ(amb::PixelsToTwips(0, 1), 0);
    EXPECT_EQ(amb::PixelsToTwips(100, 2), 0);
    EXPECT_EQ(amb::PixelsToTwips(-100, 0), -across);
}

TEST(BusyState, FlagCursorAndInputOnEveryPath) {
    QDialog window;
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    try {
        amb::BusyScope busy(&window);
        EXPECT_TRUE(amb::IsBusy(&window));
        EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
        EXPECT_TRUE(window.isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(clicks, 0) << "input to a busy window is dropped";
        { amb::BusyScope nested(&window); }
        EXPECT_TRUE(amb::IsBusy(&window)) << "an inner scope restores the outer busy state";

        // A message box opened from a busy window still takes input.
        QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("m"), QMessageBox::Ok, &window);
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
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
}
