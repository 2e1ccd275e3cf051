#include "tests/windows/offering/OfferingFixture.h"

#include <QDir>
#include <QLabel>
#include <QTabBar>

namespace {

using namespace amb::res;
using test::Child;
using test::Click;

// Every label and button the user sees shows a text of the interface language.
void ExpectNoEmptyCaption(QDialog& dialog) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisible() && label->buddy()) {
            EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
        }
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->icon().isNull()) {
            EXPECT_FALSE(button->text().isEmpty()) << button->objectName().toStdString();
        }
    }
}

// With AMB_SHOTS_DIR set, the dialog as it looks now (a step of a window that stays open).
void Shot(QDialog& dialog, const QString& name) {
    const QString folder = qEnvironmentVariable("AMB_SHOTS_DIR");
    if (!folder.isEmpty())
        dialog.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

class OfferingFormLanguagesTest : public test::OfferingWindowTest,
                                  public ::testing::WithParamInterface<amb::EnumSupportedLocaleID> {
protected:
    OfferingFormLanguagesTest() : OfferingWindowTest(GetParam()) {}
    QString Tag() const { return GetParam() == amb::EnumSupportedLocaleID::English ? "en" : "ko"; }
};

TEST_P(OfferingFormLanguagesTest, TheWindowsShowTheirTextsInTheInterfaceLanguage) {
    test::WindowSteps steps;
    steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        EXPECT_EQ(batch.windowTitle(), Text(kTitleBatchOffering));
        steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
            ExpectNoEmptyCaption(dialog);
            EXPECT_EQ(test::TextOf(dialog, "cmdOK"), Text(kCaptionNext));
            test::Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 2));
            test::TypeText(dialog, "txtAmount", QStringLiteral("12.5"));
            Click(dialog, "cmdOK");
            Click(dialog, "cmdCancel");
        });
        test::ToolButton(batch, "tbarBatch", 1)->trigger();
        ExpectNoEmptyCaption(batch);
        Click(batch, "cmdSubmit");
        EXPECT_EQ(test::Rows(batch, "lstvwList").size(), 1);
        Shot(batch, "BatchForm-submitted-" + Tag());
    });
    m_loader->ShowBatchOfferingWindow();
    steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), Text(kTitleExpense));
        ExpectNoEmptyCaption(dialog);
    });
    m_loader->ShowExpenseWindow(0, amb::EnumOfferingWindowType::Individual);
    steps.Add(QStringLiteral("ReportForm"), [&](QDialog& dialog) {
        auto* tabs = Child<QTabWidget>(dialog, "tabMain");
        test::Choose(dialog, "cboReport",
                     Value("SELECT Report FROM Report WHERE InternalName='Offering List'").ToString());
        for (int tab = 0; tab < 3; ++tab) {
            EXPECT_EQ(tabs->currentIndex(), tab);
            EXPECT_FALSE(tabs->tabText(tab).isEmpty());
            ExpectNoEmptyCaption(dialog);
            Shot(dialog, QStringLiteral("ReportForm-step%1-").arg(tab) + Tag());
            if (tab < 2)
                Click(dialog, "cmdNext");
        }
    });
    m_loader->ShowReportWindow();
    EXPECT_EQ(steps.Runs(), 4);
}

INSTANTIATE_TEST_SUITE_P(Languages, OfferingFormLanguagesTest,
                         ::testing::Values(amb::EnumSupportedLocaleID::English, amb::EnumSupportedLocaleID::Korean));

} // namespace
