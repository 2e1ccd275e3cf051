#include "common/GlobalModule.h"
#include "common/ReportCatalogue.h"
#include "tests/support/DateClicks.h"
#include "tests/windows/offering/OfferingFixture.h"

#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

using namespace amb::res;
using test::Child;
using test::Choose;
using test::Click;
using test::TypeText;

using Items = std::vector<std::pair<QString, platform::Variant>>;

QStringList KeysOf(const Items& items) {
    QStringList keys;
    for (const auto& [key, value] : items)
        keys << key;
    return keys;
}

platform::Variant ItemOf(const Items& items, const char* key) {
    for (const auto& [k, value] : items)
        if (k == QLatin1String(key))
            return value;
    ADD_FAILURE() << "no key " << key;
    return {};
}

void ClickTabHeader(QDialog& dialog, int tab) {
    test::ClickTab(dialog, "tabMain", tab);
}

// Clicks the export option on its round mark, as the mouse does.
void ChooseExport(QDialog& dialog) {
    test::ChooseExport(dialog);
    ASSERT_TRUE(Child<QRadioButton>(dialog, "optDestination1")->isChecked());
}

int CurrentTab(QDialog& dialog) {
    return Child<QTabWidget>(dialog, "tabMain")->currentIndex();
}

class ReportFormTest : public test::OfferingWindowTest {
protected:
    ReportFormTest() : m_printer(std::make_shared<test::FakeReportPrinter>()) { m_hub->SetReportPrinter(m_printer); }
    ~ReportFormTest() override { m_hub->SetReportPrinter(nullptr); }

    // Opens the report window and runs `step` in it.
    void InWindow(const std::function<void(QDialog&)>& step) {
        m_steps.Add(QStringLiteral("ReportForm"), step);
        EXPECT_EQ(m_loader->ShowReportWindow(), 1);
    }
    // Chooses the report and moves to the options step.
    void ToOptions(QDialog& dialog, const QString& report) {
        ClickTabHeader(dialog, 0);
        Choose(dialog, "cboReport", report);
        Click(dialog, "cmdNext");
        ASSERT_EQ(CurrentTab(dialog), 1);
    }
    // From the options step through the destination step to the hand-off.
    void Finish(QDialog& dialog) {
        Click(dialog, "cmdNext");
        ASSERT_EQ(CurrentTab(dialog), 2);
        EXPECT_EQ(test::TextOf(dialog, "cmdNext"), Text(kCaptionFinish));
        Click(dialog, "cmdNext");
    }
    QGroupBox* ShownFrame(QDialog& dialog) {
        QGroupBox* shown = nullptr;
        for (int i = 0; i < 7; ++i) {
            auto* frame = Child<QGroupBox>(dialog, QStringLiteral("fraReportOption%1").arg(i).toLatin1().constData());
            if (frame->isVisible()) {
                EXPECT_EQ(shown, nullptr) << "two frames shown";
                shown = frame;
            }
        }
        return shown;
    }

    std::shared_ptr<test::FakeReportPrinter> m_printer;
    test::WindowSteps m_steps;
};

TEST_F(ReportFormTest, OpensOnTheFirstReportWithThePrinterChosen) {
    m_hub->SetDefaultAddressFormat(amb::EnumAddressFormat::UnknownFormat);
    InWindow([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), Text(kTitleReport));
        EXPECT_EQ(CurrentTab(dialog), 0);
        EXPECT_EQ(dialog.focusWidget(), Child<QWidget>(dialog, "cboReport")) << "it opens on the list of reports";
        EXPECT_EQ(test::TextOf(dialog, "cboReport"), QStringLiteral("Balance Sheet"));
        EXPECT_FALSE(Child<QWidget>(dialog, "cmdPrev")->isEnabled());
        EXPECT_EQ(test::TextOf(dialog, "cmdNext"), Text(kCaptionNext));
        EXPECT_EQ(test::TextOf(dialog, "cmdCancel"), Text(kCaptionCancel));
        EXPECT_TRUE(Child<QRadioButton>(dialog, "optDestination0")->isChecked());
        for (const char* off : {"cboExportType", "txtFile", "cmdBrowse", "txtCity", "cboState", "txtFamilyZipCode"})
            EXPECT_FALSE(Child<QWidget>(dialog, off)->isEnabled()) << off;
        // The first report is chosen as any later one: its export type is selected.
        EXPECT_EQ(test::TextOf(dialog, "cboExportType"), QStringLiteral("Portable Document Format (*.pdf)"));
        EXPECT_EQ(Child<QComboBox>(dialog, "cboMonth")->itemText(3), QLocale().monthName(3));

        // The tab header of the last step goes there at once.
        ClickTabHeader(dialog, 2);
        EXPECT_EQ(CurrentTab(dialog), 2);
        ChooseExport(dialog);
        EXPECT_TRUE(Child<QWidget>(dialog, "txtFile")->isEnabled());
        // So Browse opens the file dialog at once.
        m_steps.Add(QStringLiteral("cmndlgNew"), [&](QDialog& files) {
            EXPECT_EQ(static_cast<QFileDialog&>(files).defaultSuffix(), QStringLiteral("pdf"));
            files.reject();
        });
        Click(dialog, "cmdBrowse");
        EXPECT_TRUE(m_messages.Texts().isEmpty());

        ToOptions(dialog, QStringLiteral("Member Contact List"));
        EXPECT_EQ(ShownFrame(dialog), Child<QGroupBox>(dialog, "fraReportOption3"));
        // Each step starts on its first control.
        EXPECT_EQ(dialog.focusWidget(), Child<QWidget>(dialog, "cboClassification"));
        EXPECT_FALSE(Child<QWidget>(dialog, "cboAgeClassification")->isVisible());
        EXPECT_FALSE(Child<QWidget>(dialog, "cboMemberAddressName")->isVisible());
        Click(dialog, "cmdPrev");
        ToOptions(dialog, QStringLiteral("Member Mailing Label - Avery 5260"));
        EXPECT_TRUE(Child<QWidget>(dialog, "cboMemberAddressName")->isVisible());
        EXPECT_EQ(test::TextOf(dialog, "cboMemberAddressName"), QStringLiteral("Home"));
        Click(dialog, "cmdNext");
        EXPECT_EQ(dialog.focusWidget()->objectName(), QStringLiteral("optDestination1")) << "the chosen destination";
        EXPECT_EQ(test::TextOf(dialog, "cboExportType"), QStringLiteral("Portable Document Format (*.pdf)"));
        Click(dialog, "cmdCancel");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(m_printer->calls.isEmpty());
}

TEST_F(ReportFormTest, AnEmptyCatalogueRefusesToLeaveTheFirstStep) {
    raw->Execute(QStringLiteral("DELETE FROM Report"));
    InWindow([&](QDialog& dialog) {
        Click(dialog, "cmdNext");
        ClickTabHeader(dialog, 2);
        EXPECT_EQ(CurrentTab(dialog), 0);
        EXPECT_EQ(m_messages.Texts(), QStringList(2, Text(kMsgSelectReport)));
    });
}

struct LayoutCase {
    const char* report;
    std::function<void(QDialog&)> options;
    QStringList keys;
    std::function<void(const Items&)> check;
};

TEST_F(ReportFormTest, EachLayoutHandsOnItsKeysInOrderWithTypedValues) {
    const int32_t person = NewPerson(QStringLiteral("Choi"), QStringLiteral("Min"));
    const QDateTime first(QDate(2026, 12, 1), QTime(0, 0));
    const QDateTime last(QDate(2026, 12, 31), QTime(0, 0));
    const std::vector<LayoutCase> cases = {
        {"Expense List",
         [&](QDialog& d) { Choose(d, "cboExpenseType", QStringLiteral("Rent")); },
         {"DateStart", "DateEnd", "ExpenseTypeID"},
         [&](const Items& i) {
             EXPECT_EQ(ItemOf(i, "DateStart").ToDateTime(), first);
             EXPECT_EQ(ItemOf(i, "DateEnd").ToDateTime(), last);
             EXPECT_EQ(ItemOf(i, "ExpenseTypeID").ToInt(), 3);
         }},
        {"Family Contact List",
         [&](QDialog& d) {
             TypeText(d, "txtFamilyCity", QStringLiteral("  Seoul "));
             Choose(d, "cboFamilyState", QStringLiteral("CA"));
         },
         {"City", "State", "ZipCode"},
         [&](const Items& i) {
             EXPECT_EQ(ItemOf(i, "City").ToString(), QStringLiteral("Seoul"));
             EXPECT_EQ(ItemOf(i, "State").ToString(), QStringLiteral("CA"));
             EXPECT_EQ(ItemOf(i, "ZipCode").GetType(), platform::Variant::Type::String);
         }},
        {"Group Mailing Label - Avery 5160",
         [&](QDialog& d) { Choose(d, "cboGroupType", QStringLiteral("Choir")); },
         {"GroupTypeID"},
         [&](const Items& i) { EXPECT_EQ(ItemOf(i, "GroupTypeID").ToInt(), 2); }},
        {"Member Mailing Label - Avery 5160",
         [&](QDialog& d) { Choose(d, "cboIsMember", Text(kTextNo)); },
         {"MemberClassificationID", "AgeClassificationID", "MemberStatusID", "SexID", "MaritalStatusID", "IsBaptized",
          "IsMember", "City", "State", "ZipCode", "AddressName"},
         [&](const Items& i) {
             for (const char* id : {"MemberClassificationID", "MemberStatusID", "SexID", "MaritalStatusID"})
                 EXPECT_EQ(ItemOf(i, id).ToInt(), -998) << id;
             EXPECT_EQ(ItemOf(i, "AgeClassificationID").ToInt(), 0);
             EXPECT_EQ(ItemOf(i, "IsBaptized").ToInt(), 0);
             EXPECT_EQ(ItemOf(i, "IsMember").ToInt(), -1);
             EXPECT_EQ(ItemOf(i, "City").ToString(), QString());
             EXPECT_EQ(ItemOf(i, "AddressName").ToString(), QStringLiteral("Home"));
         }},
        {"Offering List",
         [&](QDialog& d) {
             m_steps.Add(QStringLiteral("SearchForm"), [&](QDialog& search) {
                 EXPECT_EQ(search.parentWidget(), &d);
                 test::SearchFor(search, QStringLiteral("Choi"));
                 test::ClickRow(search, "lstvwResult", 0);
                 Click(search, "cmdOK");
             });
             Click(d, "cmdSearch");
             EXPECT_EQ(test::TextOf(d, "txtMember"), amb::FormatPersonName("Min", "", "Choi", "", ""));
         },
         {"DateStart", "DateEnd", "OfferingTypeID", "PersonID"},
         [&](const Items& i) {
             EXPECT_EQ(ItemOf(i, "OfferingTypeID").ToInt(), -998);
             EXPECT_EQ(ItemOf(i, "PersonID").ToInt(), person);
         }},
        {"Offering Summary",
         [](QDialog&) {},
         {"DateStart", "DateEnd"},
         [&](const Items& i) { EXPECT_EQ(ItemOf(i, "DateEnd").ToDateTime(), last); }},
        {"Monthly Birthday List",
         [](QDialog&) {},
         {"Month"},
         [&](const Items& i) { EXPECT_EQ(ItemOf(i, "Month").ToInt(), 0); }},
    };
    InWindow([&](QDialog& dialog) {
        for (const LayoutCase& c : cases) {
            SCOPED_TRACE(c.report);
            m_printer->calls.clear();
            ToOptions(dialog, QString::fromLatin1(c.report));
            c.options(dialog);
            Finish(dialog);
            ASSERT_FALSE(m_printer->dictionaries.empty());
            EXPECT_EQ(KeysOf(m_printer->dictionaries.back()), c.keys);
            c.check(m_printer->dictionaries.back());
            EXPECT_EQ(m_printer->calls,
                      (QStringList{"Clear", "PrintToFile=0", QStringLiteral("ReportName=") + c.report, "PrintReport"}));
            EXPECT_EQ(test::TextOf(dialog, "cmdCancel"), Text(kCaptionClose));
        }
        // Clear forgets the giver; a month chosen is its number.
        ToOptions(dialog, QStringLiteral("Offering List"));
        Click(dialog, "cmdClear");
        EXPECT_EQ(test::TextOf(dialog, "txtMember"), QString());
        Finish(dialog);
        EXPECT_EQ(ItemOf(m_printer->dictionaries.back(), "PersonID").ToInt(), 0);
        ToOptions(dialog, QStringLiteral("Monthly Birthday List"));
        Choose(dialog, "cboMonth", QLocale().monthName(3));
        Finish(dialog);
        EXPECT_EQ(ItemOf(m_printer->dictionaries.back(), "Month").ToInt(), 3);
    });
    EXPECT_TRUE(m_messages.Shown().empty());
}

// Each report of the catalogue shows its layout's frame alone and hands on its layout's keys in
// order; every option a person can change in that frame changes a value of its own. The options
// stay from one report to the next, so each change moves away from what is shown.
TEST_F(ReportFormTest, EveryCatalogueReportShowsTheFrameWhoseOptionsItHandsOn) {
    InWindow([&](QDialog& dialog) {
        for (const amb::CatalogueReport& report : amb::kReportCatalogue) {
            const QString name = QString::fromUtf8(report.name.data(), qsizetype(report.name.size()));
            SCOPED_TRACE(name.toStdString());
            QStringList keys;
            for (const amb::ReportKey& key : amb::LayoutOf(report.options).keys)
                keys << QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
            ToOptions(dialog, name);
            QGroupBox* frame = ShownFrame(dialog);
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(frame->objectName(), QStringLiteral("fraReportOption%1").arg(static_cast<int>(report.options)));
            Finish(dialog);
            ASSERT_FALSE(m_printer->dictionaries.empty());
            const Items before = m_printer->dictionaries.back();
            EXPECT_EQ(KeysOf(before), keys);

            ToOptions(dialog, name);
            int changed = 0;
            for (QComboBox* box : frame->findChildren<QComboBox*>()) {
                if (!box->isVisible() || !box->objectName().startsWith(QLatin1String("cbo")) || box->count() < 2)
                    continue;
                box->setFocus();
                QTest::keyClick(box, box->currentIndex() == box->count() - 1 ? Qt::Key_Home : Qt::Key_End);
                ++changed;
            }
            for (QLineEdit* line : frame->findChildren<QLineEdit*>()) {
                if (!line->isVisible() || !line->objectName().startsWith(QLatin1String("txt")) || line->isReadOnly())
                    continue;
                TypeText(dialog, line->objectName().toLatin1().constData(),
                         line->text() == QLatin1String("Zz") ? QStringLiteral("Yy") : QStringLiteral("Zz"));
                ++changed;
            }
            Finish(dialog);
            const Items after = m_printer->dictionaries.back();
            ASSERT_EQ(KeysOf(after), keys);
            int differ = 0;
            for (size_t i = 0; i < after.size(); ++i)
                differ += after[i].second == before[i].second ? 0 : 1;
            EXPECT_EQ(differ, changed);
        }
    });
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_TRUE(m_writer->logLines.isEmpty()) << m_writer->logLines.join('\n').toStdString();
}

TEST_F(ReportFormTest, TheGiverShowsByTheNameLocaleAndACancelledSearchKeepsTheFilter) {
    m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    const int32_t person = NewPerson(QStringLiteral("Kim"), QStringLiteral("Minsu"), QStringLiteral("김민수"));
    InWindow([&](QDialog& dialog) {
        ToOptions(dialog, QStringLiteral("Offering List"));
        m_steps.Add(QStringLiteral("SearchForm"), [&](QDialog& search) {
            test::SearchFor(search, QStringLiteral("김"));
            test::ClickRow(search, "lstvwResult", 0);
            Click(search, "cmdOK");
        });
        Click(dialog, "cmdSearch");
        EXPECT_EQ(test::TextOf(dialog, "txtMember"), QStringLiteral("김민수"));
        m_steps.Add(QStringLiteral("SearchForm"), [&](QDialog& search) { Click(search, "cmdCancel"); });
        Click(dialog, "cmdSearch");
        EXPECT_EQ(test::TextOf(dialog, "txtMember"), QStringLiteral("김민수"));
        Finish(dialog);
        EXPECT_EQ(ItemOf(m_printer->dictionaries.back(), "PersonID").ToInt(), person);
    });
}

// The named control that holds the focus: a date picker for the date box inside it.
QString FocusedControl() {
    static const QRegularExpression named(QStringLiteral("^(cbo|txt|dtp|cmd|opt)"));
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (named.match(w->objectName()).hasMatch())
            return w->objectName();
    return QString();
}

// Each option frame starts on its first control, and Tab goes down each column of the frame, then to
// the next column, reaching no hidden option, and leaves it for the window's buttons.
TEST_F(ReportFormTest, TabWalksEachFrameDownItsColumnsFromItsFirstControl) {
    const struct {
        const char* report;
        QStringList stops;
    } cases[] = {
        {"Expense List", {"dtpExpenseStartDate", "dtpExpenseEndDate", "cboExpenseType"}},
        {"Family Contact List", {"txtFamilyCity", "cboFamilyState", "txtFamilyZipCode"}},
        {"Group Contact List", {"cboGroupType"}},
        {"Member Contact List",
         {"cboClassification", "cboMemberStatus", "cboSex", "cboMaritalStatus", "cboBaptized", "cboIsMember", "txtCity",
          "cboState", "txtZipCode"}},
        {"Member Mailing Label - Avery 5160",
         {"cboClassification", "cboMemberStatus", "cboSex", "cboMaritalStatus", "cboBaptized", "cboIsMember", "txtCity",
          "cboState", "txtZipCode", "cboMemberAddressName"}},
        {"Offering List", {"dtpOfferingStartDate", "dtpOfferingEndDate", "cboOfferingType", "txtMember", "cmdSearch",
                           "cmdClear"}},
        {"Balance Sheet", {"dtpSummaryStartDate", "dtpSummaryEndDate"}},
        {"Monthly Birthday List", {"cboMonth"}},
    };
    InWindow([&](QDialog& dialog) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.report);
            ToOptions(dialog, QString::fromLatin1(c.report));
            QStringList reached{FocusedControl()};
            for (qsizetype i = 0; i < c.stops.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                reached << FocusedControl();
            }
            EXPECT_EQ(reached, c.stops + QStringList{"cmdPrev"});
            Click(dialog, "cmdPrev");
        }
    });
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ReportFormTest, AFileExportNamesItsFileAndTypeAndTheDialogFillsTheName) {
    const QString pdf = m_temp.FilePath(QStringLiteral("summary.pdf"));
    InWindow([&](QDialog& dialog) {
        ToOptions(dialog, QStringLiteral("Offering Summary"));
        Click(dialog, "cmdNext");
        ChooseExport(dialog);
        TypeText(dialog, "txtFile", QStringLiteral("kept"));
        m_steps.Add(QStringLiteral("cmndlgNew"), [&](QDialog& files) {
            EXPECT_EQ(files.windowTitle(), Text(kTitleExportFile));
            files.reject();
        });
        Click(dialog, "cmdBrowse");
        EXPECT_EQ(test::TextOf(dialog, "txtFile"), QStringLiteral("kept"));
        m_steps.Add(QStringLiteral("cmndlgNew"), [&](QDialog& files) {
            auto& chooser = static_cast<QFileDialog&>(files);
            EXPECT_EQ(chooser.defaultSuffix(), QStringLiteral("pdf"));
            chooser.selectFile(pdf);
            static_cast<QDialog&>(chooser).accept();
        });
        Click(dialog, "cmdBrowse");
        EXPECT_EQ(test::TextOf(dialog, "txtFile"), pdf);
        Click(dialog, "cmdNext");
        EXPECT_EQ(m_printer->calls, (QStringList{"Clear", "PrintToFile=1", "ExportFileName=" + pdf, "ExportFileType=1",
                                                 "ReportName=Offering Summary", "PrintReport"}));
        Choose(dialog, "cboExportType", QStringLiteral("Rich Text Format (*.rtf)"));
        Click(dialog, "cmdNext");
        EXPECT_TRUE(m_printer->calls.contains(QStringLiteral("ExportFileType=0")));
    });
    EXPECT_TRUE(m_messages.Shown().empty());
}

// Each of the six dates typed as a person types it: the picker shows the date typed and the report
// gets it. The range offered is the current month, 1 to 31 December 2026.
TEST_F(ReportFormTest, TheRangeHandedOnIsTheRangeTyped) {
    using test::Leave;
    using test::Reach;
    const struct {
        const char* report;
        const char* picker;
        const char* key;
        Reach reach;
        const char* typed;
        Leave leave;
        QDate expected;
    } cases[] = {
        {"Expense List", "dtpExpenseStartDate", "DateStart", Reach::ClickMonth, "11/5/2026", Leave::Tab,
         QDate(2026, 11, 5)},
        {"Expense List", "dtpExpenseEndDate", "DateEnd", Reach::ClickDay, "1/15/2027", Leave::ShiftTab,
         QDate(2027, 1, 15)},
        {"Expense List", "dtpExpenseStartDate", "DateStart", Reach::Tab, "10/31/2026", Leave::Tab, QDate(2026, 10, 31)},
        {"Offering List", "dtpOfferingStartDate", "DateStart", Reach::ClickYear, "7/4/2025", Leave::Tab,
         QDate(2025, 7, 4)},
        {"Offering List", "dtpOfferingEndDate", "DateEnd", Reach::ShiftTab, "12/24/2026", Leave::Tab,
         QDate(2026, 12, 24)},
        {"Offering List", "dtpOfferingEndDate", "DateEnd", Reach::ClickDay, "24", Leave::Tab, QDate(2026, 12, 24)},
        {"Offering Summary", "dtpSummaryStartDate", "DateStart", Reach::ShiftTab, "1/1/2026", Leave::ShiftTab,
         QDate(2026, 1, 1)},
        {"Offering Summary", "dtpSummaryStartDate", "DateStart", Reach::ClickMonth, "3", Leave::Tab, QDate(2026, 3, 1)},
        {"Offering Summary", "dtpSummaryEndDate", "DateEnd", Reach::Tab, "12/9/2026", Leave::Tab, QDate(2026, 12, 9)},
        {"Offering Summary", "dtpSummaryEndDate", "DateEnd", Reach::ClickYear, "2027", Leave::Tab, QDate(2027, 12, 31)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picker) + " " + std::to_string(static_cast<int>(c.reach)) + " " + c.typed);
        m_printer->dictionaries.clear();
        InWindow([&](QDialog& dialog) {
            ToOptions(dialog, QString::fromLatin1(c.report));
            auto* picker = Child<QWidget>(dialog, c.picker);
            test::TypeIntoDate(picker, c.reach, QString::fromLatin1(c.typed), c.leave);
            auto* box = picker->findChild<QDateTimeEdit*>();
            EXPECT_EQ(box->date(), c.expected);
            EXPECT_EQ(box->text(), c.expected.toString(QStringLiteral("M/d/yyyy")));
            Finish(dialog);
            Click(dialog, "cmdCancel");
        });
        ASSERT_EQ(m_printer->dictionaries.size(), 1u);
        const Items& handed = m_printer->dictionaries.back();
        EXPECT_EQ(ItemOf(handed, c.key).ToDateTime(), QDateTime(c.expected, QTime(0, 0)));
        // The other end of the range is the one offered.
        const bool start = QLatin1String(c.key) == QLatin1String("DateStart");
        EXPECT_EQ(ItemOf(handed, start ? "DateEnd" : "DateStart").ToDateTime().date(),
                  start ? QDate(2026, 12, 31) : QDate(2026, 12, 1));
        EXPECT_TRUE(m_messages.Shown().empty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
        m_messages.Clear();
    }
}

TEST_F(ReportFormTest, BadRangesAndFileNamesAreRefusedBeforeTheHandOff) {
    QFile plain(m_temp.FilePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    InWindow([&](QDialog& dialog) {
        ToOptions(dialog, QStringLiteral("Balance Sheet"));
        test::EnterDate(dialog, "dtpSummaryStartDate", QDate(2027, 1, 1));
        Click(dialog, "cmdNext");
        EXPECT_EQ(CurrentTab(dialog), 1);
        ClickTabHeader(dialog, 2);
        EXPECT_EQ(CurrentTab(dialog), 1);
        EXPECT_EQ(m_messages.Texts(), QStringList(2, Text(kMsgStartDateAfterEndDate)));
        test::EnterDate(dialog, "dtpSummaryStartDate", QDate(2026, 12, 31));
        Click(dialog, "cmdNext");
        ASSERT_EQ(CurrentTab(dialog), 2);

        m_messages.Clear();
        ChooseExport(dialog);
        const std::pair<QString, int32_t> refusals[] = {
            {QStringLiteral("   "), kMsgFileNameNeeded},
            {m_temp.Path(), kMsgFileNameNeeded},
            {m_temp.FilePath(QStringLiteral("plain/report.pdf")), kMsgFolderNotWritable},
            {m_temp.FilePath(QStringLiteral("missing/report.pdf")), kMsgFolderNotWritable},
        };
        for (const auto& [file, message] : refusals) {
            TypeText(dialog, "txtFile", file);
            m_messages.Clear();
            Click(dialog, "cmdNext");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(message)}) << file.toStdString();
            EXPECT_EQ(dialog.focusWidget(), Child<QWidget>(dialog, "txtFile"));
        }
    });
    EXPECT_TRUE(m_printer->calls.isEmpty());
}

TEST_F(ReportFormTest, AFailedHandOffIsToldAndTheWindowStays) {
    const std::pair<amb::EnumReportError, int32_t> results[] = {
        {amb::EnumReportError::NoRecordSelected, kMsgReportNoRecordSelected},
        {amb::EnumReportError::SystemError, kMsgReportSystemError},
        {static_cast<amb::EnumReportError>(0), kMsgReportSystemError},
    };
    InWindow([&](QDialog& dialog) {
        ToOptions(dialog, QStringLiteral("Expense Summary"));
        Click(dialog, "cmdNext");
        for (const auto& [result, message] : results) {
            m_printer->result = result;
            m_messages.Clear();
            Click(dialog, "cmdNext");
            EXPECT_EQ(m_messages.Texts(), QStringList{Text(message)});
            EXPECT_EQ(test::TextOf(dialog, "cmdCancel"), Text(kCaptionCancel));
            EXPECT_TRUE(dialog.isVisible());
        }
    });
}

} // namespace
