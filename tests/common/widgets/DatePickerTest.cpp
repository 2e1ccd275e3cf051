#include "common/widgets/DatePicker.h"

#include "platform/data/Clock.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QTest>

using platform::Variant;

namespace {

TEST(DatePickerTest, HoldsNoDateUntilTickedAndNeverSendsAnInventedDate) {
    platform::ClockScope clock(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    amb::DatePicker picker;
    picker.SetDateFormat(QStringLiteral("m/d/yy"));
    picker.show();
    // A two-digit year pattern still shows four digits.
    EXPECT_TRUE(picker.DateEdit()->displayFormat().contains(QStringLiteral("yyyy")));

    // Stored Null, text that is no date and the old no-date value all show as no date.
    for (const Variant& none : {Variant::Null(), Variant(QStringLiteral("soon")), Variant(QDate(1900, 1, 1))}) {
        picker.SetValue(Variant(QDate(2001, 2, 3)));
        picker.SetValue(none);
        EXPECT_EQ(picker.Date(), std::nullopt);
        EXPECT_TRUE(picker.Value().IsNull());
        EXPECT_FALSE(picker.DateEdit()->isEnabled());
    }

    // Ticking offers the date held before; unticking sends Null again.
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_EQ(picker.Date(), QDate(2001, 2, 3));
    picker.DateEdit()->setDate(QDate(1999, 12, 31));
    EXPECT_EQ(picker.Value().ToDateTime().date(), QDate(1999, 12, 31));
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_TRUE(picker.Value().IsNull());
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_EQ(picker.Date(), QDate(1999, 12, 31));

    // A disabled picker sends Null whatever it shows.
    picker.setEnabled(false);
    EXPECT_TRUE(picker.Value().IsNull());

    // A picker that never held a date offers today when ticked.
    amb::DatePicker fresh;
    fresh.show();
    QTest::mouseClick(fresh.CheckBox(), Qt::LeftButton);
    EXPECT_EQ(fresh.Date(), QDate(2026, 12, 9));
}

TEST(DatePickerTest, ADateTypedWithItsSeparatorsIsTheDateTyped) {
    platform::ClockScope clock(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    struct Case {
        const char* pattern;
        const char* typed;
        QDate expected;
    };
    // The date box moves on by itself after "3" (no month 30+) or "15": the separator typed next must
    // not skip a part. Two-digit months and days type the same way.
    const Case cases[] = {
        {"m/d/yyyy", "3/15/1980", QDate(1980, 3, 15)}, {"m/d/yyyy", "12/9/2001", QDate(2001, 12, 9)},
        {"m/d/yyyy", "1/2/2003", QDate(2003, 1, 2)},   {"yyyy-m-d", "1980-3-15", QDate(1980, 3, 15)},
        {"m/d/yyyy", "11152020", QDate(2020, 11, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        amb::DatePicker picker;
        picker.SetDateFormat(QString::fromLatin1(c.pattern));
        picker.show();
        QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
        QDateEdit* edit = picker.DateEdit();
        edit->setFocus();
        edit->setCurrentSectionIndex(0);
        edit->setSelectedSection(edit->sectionAt(0));
        QTest::keyClicks(edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(picker.Date(), c.expected);
    }
}

} // namespace
