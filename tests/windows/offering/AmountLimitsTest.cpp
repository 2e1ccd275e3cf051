#include "tests/windows/offering/OfferingFixture.h"

#include "common/Values.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

namespace {

using namespace amb::res;
using test::Child;

// The amount box as a person fills it: a click into it, everything selected, the text typed.
void TypeAmount(QDialog& dialog, const QString& text) {
    auto* box = Child<QLineEdit>(dialog, "txtAmount");
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

void ClickButton(QDialog& dialog, const char* name) {
    auto* button = Child<QPushButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

class AmountLimitsTest : public test::OfferingWindowTest,
                         public ::testing::WithParamInterface<amb::EnumSupportedLocaleID> {
protected:
    AmountLimitsTest()
        : OfferingWindowTest(GetParam()),
          m_locale(GetParam() == amb::EnumSupportedLocaleID::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                                     : QLocale(QLocale::Korean, QLocale::SouthKorea)) {}
    QString Tag() const { return GetParam() == amb::EnumSupportedLocaleID::English ? "en" : "ko"; }

    // Types each amount and presses OK; the window refuses it with the given text and stays.
    void ExpectRefused(QDialog& dialog, const QString& amount, int32_t message) {
        m_messages.Clear();
        TypeAmount(dialog, amount);
        ClickButton(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(message)}) << amount.toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), Child<QWidget>(dialog, "txtAmount"));
        EXPECT_EQ(test::TextOf(dialog, "txtAmount"), amount) << "the typed amount stays to be corrected";
    }

    int64_t StoredTicks() { return Value(QStringLiteral("SELECT Amount FROM PersonOffering")).ToCurrency().Ticks(); }

    test::LocaleScope m_locale;
};

TEST_P(AmountLimitsTest, TheBatchGridRefusesWhatCannotBeStoredAndShowsTheLargestAmountWhole) {
    test::WindowSteps steps;
    steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
            test::Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 2));
            ExpectRefused(dialog, QStringLiteral("1,000,000,000.00"), kMsgAmountOutOfRange);
            ExpectRefused(dialog, QStringLiteral("-1,000,000,000"), kMsgAmountOutOfRange);
            ExpectRefused(dialog, QStringLiteral("12.345"), kMsgAmountDecimals);
            m_messages.Clear();
            TypeAmount(dialog, QStringLiteral("999,999,999.99"));
            ClickButton(dialog, "cmdOK");
            EXPECT_TRUE(m_messages.Shown().empty());
            EXPECT_EQ(test::TextOf(dialog, "txtAmount"), QString()) << "ready for the next entry";
            ClickButton(dialog, "cmdCancel");
        });
        test::ToolButton(batch, "tbarBatch", 1)->trigger();
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        ASSERT_EQ(list->topLevelItemCount(), 1) << "only the amount that can be stored reached the grid";
        const QString shown = list->topLevelItem(0)->text(3);
        EXPECT_EQ(shown, amb::FormatAmount(platform::Currency::FromTicks(9'999'999'999'900)));
        EXPECT_TRUE(shown.contains(QStringLiteral("999,999,999.99"))) << shown.toStdString();
        // The text and the item view's margins on both sides fit the column: nothing is elided.
        const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        EXPECT_LE(list->fontMetrics().horizontalAdvance(shown) + margin, list->columnWidth(3)) << shown.toStdString();
        if (const QString folder = qEnvironmentVariable("AMB_SHOTS_DIR"); !folder.isEmpty())
            batch.grab().save(QDir(folder).filePath(QStringLiteral("BatchForm-largest-amount-%1.png").arg(Tag())));
        ClickButton(batch, "cmdSubmit");
        EXPECT_TRUE(m_messages.Shown().empty());
    });
    m_loader->ShowBatchOfferingWindow();
    ASSERT_EQ(Offerings(), 1);
    EXPECT_EQ(StoredTicks(), 9'999'999'999'900);
}

TEST_P(AmountLimitsTest, TheSingleWindowRefusesWhatCannotBeStoredAndStoresNothing) {
    test::WindowSteps steps;
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        test::Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 2));
        ExpectRefused(dialog, QStringLiteral("1,000,000,000.00"), kMsgAmountOutOfRange);
        ExpectRefused(dialog, QStringLiteral("99999999999999"), kMsgAmountOutOfRange);
        ExpectRefused(dialog, QStringLiteral("0.005"), kMsgAmountDecimals);
        ClickButton(dialog, "cmdCancel");
    });
    m_loader->ShowOfferingWindow(0, amb::EnumOfferingWindowType::Individual);
    EXPECT_EQ(Offerings(), 0);

    // The largest amount goes through the same window and is stored to the cent.
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        test::Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 2));
        TypeAmount(dialog, QStringLiteral("-999,999,999.99"));
        ClickButton(dialog, "cmdOK");
    });
    m_messages.Clear();
    m_loader->ShowOfferingWindow(0, amb::EnumOfferingWindowType::Individual);
    EXPECT_TRUE(m_messages.Shown().empty());
    ASSERT_EQ(Offerings(), 1);
    EXPECT_EQ(StoredTicks(), -9'999'999'999'900);
}

TEST_P(AmountLimitsTest, AHandEditedAmountThatCannotBeReadOpensEmptyAndIsStoredOnlyAsTyped) {
    raw->Execute("INSERT INTO PersonOffering (OfferingDate, OfferingTypeID, Amount, PersonID) VALUES "
                 "('2024-06-02 00:00:00', 2, '12,34', 0)");
    const int32_t id = Count(QStringLiteral("SELECT ID FROM PersonOffering"));
    test::WindowSteps steps;
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        // Never shown as 1,234.00 or as 0.00 to be stored again unasked.
        EXPECT_EQ(test::TextOf(dialog, "txtAmount"), QString());
        m_messages.Clear();
        ClickButton(dialog, "cmdOK");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgEnterAmount)});
        EXPECT_EQ(Value(QStringLiteral("SELECT Amount FROM PersonOffering")).ToString(), QStringLiteral("12,34"));
        m_messages.Clear();
        TypeAmount(dialog, QStringLiteral("12.50"));
        ClickButton(dialog, "cmdOK");
        EXPECT_TRUE(m_messages.Shown().empty());
    });
    m_loader->ShowOfferingWindow(id, amb::EnumOfferingWindowType::Individual);
    EXPECT_EQ(StoredTicks(), 125000);
}

INSTANTIATE_TEST_SUITE_P(Languages, AmountLimitsTest,
                         ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean));

} // namespace
