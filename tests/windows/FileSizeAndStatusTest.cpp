#include "windows/forms/options/FileSizeText.h"
#include "windows/forms/status/StatusForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QProgressBar>

#include <climits>

namespace {

using amb::windows::FormatFileSize;

TEST(FileSizeText, DecimalUnitsTwoDecimalsInTheUsersNumberFormat) {
    struct Case {
        qint64 bytes;
        const char* english;
        const char* c;
    };
    const Case cases[] = {
        {0, "(0.00 KB)", "(0.00 KB)"},
        {1536, "(1.54 KB)", "(1.54 KB)"},
        {999999, "(1,000.00 KB)", "(1000.00 KB)"},
        {1000000, "(1.00 MB)", "(1.00 MB)"},
        {3000000000LL, "(3,000.00 MB)", "(3000.00 MB)"},
    };
    const QLocale saved;
    for (const Case& c : cases) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_EQ(FormatFileSize(c.bytes).toStdString(), c.english);
        QLocale::setDefault(QLocale::c());
        EXPECT_EQ(FormatFileSize(c.bytes).toStdString(), c.c);
    }
    QLocale::setDefault(saved);
}

TEST(StatusForm, RangesValuesAndStepsStayWithinTheBars) {
    amb::windows::StatusForm form;
    EXPECT_EQ(form.windowTitle(), "Status");
    auto* main = form.findChild<QProgressBar*>("pbarMain");
    auto* sub = form.findChild<QProgressBar*>("pbarSub");
    auto* message = form.findChild<QLabel*>("lblMsg");
    auto* subMessage = form.findChild<QLabel*>("lblMsgSub");
    ASSERT_TRUE(main && sub && message && subMessage);

    struct Case {
        int32_t min, max, subMin, subMax;
        int32_t wantMax, wantSubMax;
    };
    const Case ranges[] = {{0, 10, 5, 5, 10, 6}, {3, 3, -2, -2, 4, -1}, {-5, 20, 0, 1, 20, 1}};
    for (const Case& c : ranges) {
        int32_t min = c.min, max = c.max, subMin = c.subMin, subMax = c.subMax;
        form.SetProgress("old", c.max, false);
        form.SetSubProgress("old", c.subMax, false);
        form.InitializeProgressBars(min, max, subMin, subMax);
        EXPECT_EQ(max, c.wantMax);
        EXPECT_EQ(subMax, c.wantSubMax);
        EXPECT_EQ(main->minimum(), c.min);
        EXPECT_EQ(main->maximum(), c.wantMax);
        EXPECT_EQ(main->value(), c.min);
        EXPECT_EQ(sub->value(), c.subMin);
        EXPECT_TRUE(message->text().isEmpty() && subMessage->text().isEmpty());
    }

    int32_t min = 0, max = 4, subMin = 0, subMax = 2;
    form.InitializeProgressBars(min, max, subMin, subMax);
    struct Step {
        int32_t value;
        int32_t shown;
    };
    for (const Step& step : {Step{2, 2}, Step{9, 4}, Step{-7, 0}, Step{INT_MAX, 4}}) {
        form.SetProgress("step", step.value, true);
        EXPECT_EQ(main->value(), step.shown) << step.value;
    }
    form.SetSubProgress("sub", 1, false);
    for (int i = 0; i < 5; ++i)
        form.IncrementSubProgress(QString::number(i));
    EXPECT_EQ(sub->value(), 2);
    EXPECT_EQ(subMessage->text(), "4");
    EXPECT_EQ(main->value(), 4);
    form.IncrementProgress("at the end");
    EXPECT_EQ(main->value(), 4);
    EXPECT_EQ(message->text(), "at the end");

    // A maximum that the raise by one does not bring above its minimum is refused and changes nothing.
    int32_t badMin = 10, badMax = 9, fine = 0, fineMax = 1;
    EXPECT_ANY_THROW(form.InitializeProgressBars(badMin, badMax, fine, fineMax));
    EXPECT_EQ(badMax, 9);
    EXPECT_EQ(main->maximum(), 4);
}

} // namespace
