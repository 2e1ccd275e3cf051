// A text that is not a date, typed into each date box of the windows in both languages: the box keeps
// the date held before, Tab and the window's command refuse it with the message naming the box, and
// nothing is stored or handed on; Esc shows the held date again, and that date is what is used.

#include "common/ReportCatalogue.h"
#include "tests/support/DateClicks.h"
#include "tests/windows/offering/OfferingFixture.h"

namespace {

using amb::EnumSupportedLocaleID;
namespace res = amb::res;
using test::Child;
using test::Click;

enum class Window { Person, NewPerson, Offering, Expense, BatchRow, Report };

struct Box {
    Window window;
    const char* picker;
    int32_t label;      // the text that names the box: its label's, or its tick box's
    const char* stored; // the column read back, or the key handed to the report
    const char* report = nullptr;
};
constexpr Box kBoxes[] = {
    {.window = Window::Person, .picker = "dtpDOB", .label = res::kLabelDateOfBirth, .stored = "DOB"},
    {.window = Window::Person, .picker = "dtpMarried", .label = res::kTextAnniversary, .stored = "DateMarried"},
    {.window = Window::Person, .picker = "dtpBaptized", .label = res::kCheckBaptized, .stored = "DateBaptized"},
    {.window = Window::Person, .picker = "dtpJoined", .label = res::kCheckIsMember, .stored = "DateJoined"},
    {.window = Window::NewPerson, .picker = "dtpDOB", .label = res::kLabelDateOfBirth, .stored = "DOB"},
    {.window = Window::Offering, .picker = "dtDate", .label = res::kLabelDate, .stored = "OfferingDate"},
    {.window = Window::Expense, .picker = "dtDate", .label = res::kLabelDate, .stored = "ExpenseDate"},
    {.window = Window::BatchRow, .picker = "dtDate", .label = res::kLabelDate, .stored = "OfferingDate"},
    {.window = Window::Report,
     .picker = "dtpExpenseStartDate",
     .label = res::kLabelRangeFrom,
     .stored = "DateStart",
     .report = "Expense List"},
    {.window = Window::Report,
     .picker = "dtpExpenseEndDate",
     .label = res::kLabelRangeTo,
     .stored = "DateEnd",
     .report = "Expense List"},
    {.window = Window::Report,
     .picker = "dtpOfferingStartDate",
     .label = res::kLabelRangeFrom,
     .stored = "DateStart",
     .report = "Offering List"},
    {.window = Window::Report,
     .picker = "dtpOfferingEndDate",
     .label = res::kLabelRangeTo,
     .stored = "DateEnd",
     .report = "Offering List"},
    {.window = Window::Report,
     .picker = "dtpSummaryStartDate",
     .label = res::kLabelRangeFrom,
     .stored = "DateStart",
     .report = "Offering Summary"},
    {.window = Window::Report,
     .picker = "dtpSummaryEndDate",
     .label = res::kLabelRangeTo,
     .stored = "DateEnd",
     .report = "Offering Summary"},
};
static_assert(std::size(kBoxes) == 14, "every date box of the loader's windows");

// Every way a person leaves a date box for the window's command.
enum class WayOut { Enter, KeypadEnter, ClickCommand, ClickNextThenCommand, AltCommand };
constexpr WayOut kWaysOut[] = {WayOut::Enter, WayOut::KeypadEnter, WayOut::ClickCommand, WayOut::ClickNextThenCommand,
                               WayOut::AltCommand};

// The texts typed: the non-dates, and the year of a held 29 February changed to a common year.
constexpr int kLeapYearChanged = static_cast<int>(std::size(test::kNonDates));
constexpr int kTexts = kLeapYearChanged + 1;

class NonDatesTest : public test::OfferingWindowTest, public ::testing::WithParamInterface<EnumSupportedLocaleID> {
protected:
    NonDatesTest()
        : OfferingWindowTest(GetParam(), English() ? 1033 : 1042),
          m_printer(std::make_shared<test::FakeReportPrinter>()) {
        m_hub->SetDateFormat(English() ? QStringLiteral("m/d/yyyy") : QStringLiteral("yyyy-m-d"));
        m_hub->SetReportPrinter(m_printer);
    }
    ~NonDatesTest() override { m_hub->SetReportPrinter(nullptr); }
    static bool English() { return GetParam() == EnumSupportedLocaleID::English; }
    // A report's entry in the report list of the language.
    static QString ReportName(std::string_view internalName) {
        for (const amb::CatalogueReport& report : amb::kReportCatalogue) {
            if (report.name == internalName) {
                const std::string_view name = English() ? report.name : report.korean;
                return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
            }
        }
        ADD_FAILURE() << "no report " << internalName;
        return {};
    }

    // Every row of the tables a window could write, as text.
    QString Stored() {
        QString rows;
        for (const char* table : {"Person", "PersonOffering", "Expense"}) {
            const platform::RecordsetPtr all = raw->Query(QStringLiteral("SELECT * FROM %1").arg(table));
            for (const auto& row : all->Rows())
                for (const platform::Variant& value : row)
                    rows += value.ToString() + QLatin1Char('|');
        }
        return rows;
    }
    QDate StoredDate(const Box& box, int32_t id) {
        const QString table = box.window == Window::Person || box.window == Window::NewPerson
                                  ? QStringLiteral("Person")
                              : box.window == Window::Expense ? QStringLiteral("Expense")
                                                              : QStringLiteral("PersonOffering");
        const QString where = id ? QStringLiteral("ID=%1").arg(id) : QStringLiteral("1 ORDER BY ID DESC LIMIT 1");
        return amb::AsDate(Value(QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(box.stored, table, where))).date();
    }
    // The record the window opens on (none for a batch row or the report).
    int32_t NewRecord(const Box& box, int32_t giver) {
        switch (box.window) {
        case Window::Person: {
            const int32_t id = NewPerson(QStringLiteral("Lee"));
            raw->Execute(QStringLiteral("UPDATE Person SET SexID=2, MemberStatusID=1, MaritalStatusID=2, IsBaptized=1, "
                                        "IsMember=1, DOB=?, DateMarried=?, DateBaptized=?, DateJoined=? WHERE ID=?"),
                         {QDateTime(QDate(1988, 4, 9), QTime(0, 0)), QDateTime(QDate(2015, 6, 20), QTime(0, 0)),
                          QDateTime(QDate(2001, 4, 15), QTime(0, 0)), QDateTime(QDate(2003, 9, 7), QTime(0, 0)), id});
            return id;
        }
        case Window::Offering:
            return NewOffering(giver, 2, QDateTime(QDate(2026, 1, 5), QTime(0, 0)), platform::Currency::FromUnits(10));
        case Window::Expense:
            return db->UpdateExpense(test::Record({{"ID", 0},
                                                   {"ExpenseName", "Candles"},
                                                   {"ExpenseTypeID", 1},
                                                   {"ExpenseDate", QDateTime(QDate(2026, 12, 7), QTime(0, 0))},
                                                   {"Amount", platform::Currency::FromUnits(12)}}));
        case Window::NewPerson:
        case Window::BatchRow:
        case Window::Report:
            break;
        }
        return 0;
    }
    // Opens the box's window and runs `step` in it once it shows the box.
    void InWindow(const Box& box, int32_t id, const std::function<void(QDialog&)>& step) {
        const bool person = box.window == Window::Person || box.window == Window::NewPerson;
        const QString form = person                         ? QStringLiteral("MemberForm")
                             : box.window == Window::Report ? QStringLiteral("ReportForm")
                                                            : QStringLiteral("OfferingExpenseForm");
        m_steps.Add(form, [&](QDialog& dialog) {
            if (box.window == Window::Report) {
                test::ClickTab(dialog, "tabMain", 0);
                test::Choose(dialog, "cboReport", ReportName(box.report));
                Click(dialog, "cmdNext");
            } else if (box.window == Window::BatchRow) {
                test::Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 1));
                test::TypeText(dialog, "txtAmount", QStringLiteral("25"));
            } else if (box.window == Window::NewPerson) {
                // A new person offers no date of birth until its tick box is ticked (today's date).
                test::TypeText(dialog, English() ? "txtLastName" : "txtLanguageName", QStringLiteral("Park"));
                test::ClickWidget(Child<QWidget>(dialog, box.picker)->findChild<QCheckBox*>());
            }
            step(dialog);
        });
        switch (box.window) {
        case Window::Person:
        case Window::NewPerson:
            m_loader->ShowPersonWindow(id, amb::EnumFamilyGroup::None, 0);
            break;
        case Window::Offering:
            m_loader->ShowOfferingWindow(id, amb::EnumOfferingWindowType::Individual);
            break;
        case Window::Expense:
            m_loader->ShowExpenseWindow(id, amb::EnumOfferingWindowType::Individual);
            break;
        case Window::BatchRow:
            // The row goes to the grid; Submit stores it.
            m_steps.Add(QStringLiteral("BatchForm"), [](QDialog& batch) {
                test::ClickTool(batch, "tbarBatch", 1);
                Click(batch, "cmdSubmit");
                Click(batch, "cmdCancel");
            });
            m_loader->ShowBatchOfferingWindow();
            break;
        case Window::Report:
            m_loader->ShowReportWindow();
            break;
        }
    }

    // After the window: no message was left, and what the command stored or handed on has the date held
    // (a report's range, a batch row); an editing window, cancelled, stored nothing.
    // (A date typed whole before, as `held`, was not stored: the window was cancelled.)
    void ExpectHeldDateUsed(const Box& box, int32_t id, const QString& before, const QDate& held,
                            bool heldWasStored = true) {
        EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
        m_messages.Clear();
        switch (box.window) {
        case Window::Report:
            ASSERT_EQ(m_printer->dictionaries.size(), 1u);
            for (const auto& [key, value] : m_printer->dictionaries.back()) {
                if (key == QLatin1String(box.stored)) {
                    EXPECT_EQ(value.ToDateTime(), QDateTime(held, QTime(0, 0)));
                }
            }
            break;
        case Window::BatchRow:
            EXPECT_EQ(StoredDate(box, 0), held) << "the row submitted has the date held";
            break;
        default:
            EXPECT_EQ(Stored(), before) << "nothing is saved";
            if (id && heldWasStored) {
                EXPECT_EQ(StoredDate(box, id), held);
            }
            break;
        }
    }

    std::shared_ptr<test::FakeReportPrinter> m_printer;
    test::WindowSteps m_steps;
};

TEST_P(NonDatesTest, ATextThatIsNotADateIsRefusedAndTheHeldDateIsKept) {
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    int index = 0;
    for (const Box& box : kBoxes) {
        for (const test::NonDate& nonDate : test::kNonDates) {
            // Each part clicked, with and without Tab before the command, over the texts of each box.
            const int part = index % 3;
            const bool tabFirst = (index++ / 3) % 2 == 0;
            const QString typed = QString::fromLatin1(English() ? nonDate.mdy : nonDate.ymd);
            SCOPED_TRACE(std::string(box.picker) + " " + typed.toStdString() + " part " + std::to_string(part) +
                         (tabFirst ? " Tab" : ""));
            const int32_t id = NewRecord(box, giver);
            const QString before = Stored();
            QDate held;
            m_printer->dictionaries.clear();
            InWindow(box, id, [&](QDialog& dialog) {
                auto* edit = Child<QWidget>(dialog, box.picker)->findChild<QDateTimeEdit*>();
                held = edit->date();
                const QString expected = Text(res::kMsgNotADate).arg(Text(box.label));
                test::ClickDatePart(edit, part);
                QTest::keyClicks(edit, typed);
                EXPECT_EQ(edit->date(), held) << "nothing is held while typing";
                if (tabFirst) {
                    test::PressTabKey(Qt::Key_Tab);
                    EXPECT_EQ(QApplication::focusWidget(), edit) << "Tab is refused";
                }
                Click(dialog, box.window == Window::Report ? "cmdNext" : "cmdOK");
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(edit->text(), typed) << "kept as typed";
                EXPECT_EQ(edit->date(), held);
                EXPECT_EQ(m_messages.Texts(), QStringList(tabFirst ? 2 : 1, expected));
                EXPECT_EQ(QApplication::focusWidget(), edit);
                m_messages.Clear();
                // Esc shows the held date again; for the report and a batch row the command then goes on.
                QTest::keyClick(edit, Qt::Key_Escape);
                EXPECT_TRUE(dialog.isVisible()) << "Esc took back the text, and left the window open";
                EXPECT_EQ(edit->text(), held.toString(edit->displayFormat()));
                if (box.window == Window::Report) {
                    Click(dialog, "cmdNext");
                    Click(dialog, "cmdNext");
                } else if (box.window == Window::BatchRow) {
                    Click(dialog, "cmdOK");
                }
                Click(dialog, "cmdCancel");
            });
            ExpectHeldDateUsed(box, id, before, held);
        }
    }
}

// Enter, the keypad's Enter, a click on the command, a click into the next control, and the command's
// Alt+letter: each meets the refusal with the text kept as typed and marked, and nothing is stored or
// handed on; after Esc the held date is shown and the command goes on with it. Each box meets every way
// out, and each way out every text over the boxes.
TEST_P(NonDatesTest, EveryWayOutOfTheBoxMeetsTheRefusal) {
    const int32_t giver = NewPerson(QStringLiteral("Kim"));
    int boxIndex = 0;
    for (const Box& box : kBoxes) {
        ++boxIndex;
        for (const WayOut way : kWaysOut) {
            const int textIndex = (boxIndex + static_cast<int>(way)) % kTexts;
            const bool leapYear = textIndex == kLeapYearChanged;
            // An end of a range keeps after its start: 29 February 2028 made 2029 there.
            const bool rangeEnd = box.label == res::kLabelRangeTo;
            const int leapHeld = rangeEnd ? 2028 : 2024;
            const QString typed = leapYear ? QString::number(leapHeld + 1)
                                           : QString::fromLatin1(English() ? test::kNonDates[textIndex].mdy
                                                                           : test::kNonDates[textIndex].ymd);
            SCOPED_TRACE(std::string(box.picker) + " " + std::to_string(boxIndex) + " way " +
                         std::to_string(static_cast<int>(way)) + " " + typed.toStdString());
            const int32_t id = NewRecord(box, giver);
            const QString before = Stored();
            QDate held;
            bool wentOn = false;
            m_printer->dictionaries.clear();
            InWindow(box, id, [&](QDialog& dialog) {
                auto* edit = Child<QWidget>(dialog, box.picker)->findChild<QDateTimeEdit*>();
                const char* commandName = box.window == Window::Report ? "cmdNext" : "cmdOK";
                auto* command = Child<QAbstractButton>(dialog, commandName);
                const QKeySequence mnemonic = QKeySequence::mnemonic(command->text());
                if (way == WayOut::AltCommand && mnemonic.isEmpty())
                    return; // this command has no letter
                if (leapYear) {
                    // Held as typed whole: 29 February 2024; then its year typed over.
                    test::ClickDatePart(edit, 0);
                    QTest::keyClicks(edit, English() ? QStringLiteral("2/29/%1").arg(leapHeld)
                                                     : QStringLiteral("%1-2-29").arg(leapHeld));
                    test::ClickDatePart(edit, English() ? 2 : 0);
                    ASSERT_EQ(edit->date(), QDate(leapHeld, 2, 29));
                } else {
                    test::ClickDatePart(edit, 0);
                }
                held = edit->date();
                QTest::keyClicks(edit, typed);
                const QString shown = edit->text();
                int expectedMessages = 1;
                switch (way) {
                case WayOut::Enter:
                    test::PressKey(dialog, Qt::Key_Return);
                    break;
                case WayOut::KeypadEnter:
                    test::PressKey(dialog, Qt::Key_Enter, Qt::KeypadModifier);
                    break;
                case WayOut::ClickCommand:
                    Click(dialog, commandName);
                    break;
                case WayOut::ClickNextThenCommand:
                    test::ClickWidget(test::TabStopAfter(edit));
                    EXPECT_EQ(QApplication::focusWidget(), edit) << "the click into the next control is refused";
                    Click(dialog, commandName);
                    expectedMessages = 2;
                    break;
                case WayOut::AltCommand:
                    test::PressKey(dialog, static_cast<Qt::Key>(mnemonic[0].key()), Qt::AltModifier);
                    break;
                }
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(edit->text(), shown) << "kept as typed";
                EXPECT_EQ(edit->findChild<QLineEdit*>()->palette().color(QPalette::Text), QColor(0xc0, 0x00, 0x00))
                    << "and marked";
                EXPECT_EQ(edit->date(), held);
                EXPECT_EQ(m_messages.Texts(),
                          QStringList(expectedMessages, Text(res::kMsgNotADate).arg(Text(box.label))));
                EXPECT_EQ(QApplication::focusWidget(), edit);
                m_messages.Clear();
                QTest::keyClick(edit, Qt::Key_Escape);
                EXPECT_EQ(edit->text(), held.toString(edit->displayFormat())) << "shows what it holds";
                if (box.window == Window::Report) {
                    Click(dialog, "cmdNext");
                    Click(dialog, "cmdNext");
                } else if (box.window == Window::BatchRow) {
                    Click(dialog, "cmdOK");
                }
                wentOn = true;
                Click(dialog, "cmdCancel");
            });
            if (wentOn)
                ExpectHeldDateUsed(box, id, before, held, !leapYear);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, NonDatesTest,
                         ::testing::Values(EnumSupportedLocaleID::English, EnumSupportedLocaleID::Korean));

} // namespace
