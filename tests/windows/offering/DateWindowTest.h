#pragma once

// The date boxes of the person, offering, expense, batch and report windows, opened over a real db.mdb
// in either language, and what their windows stored or handed on.

#include "common/ReportCatalogue.h"
#include "tests/support/DateClicks.h"
#include "tests/windows/offering/OfferingFixture.h"

namespace test {

enum class Window { Person, NewPerson, Offering, Expense, BatchRow, Report };

struct Box {
    Window window;
    const char* picker;
    int32_t label;      // the text that names the box: its label's, or its tick box's
    const char* stored; // the column read back, or the key handed to the report
    const char* report = nullptr;
};
constexpr Box kBoxes[] = {
    {.window = Window::Person, .picker = "dtpDOB", .label = amb::res::kLabelDateOfBirth, .stored = "DOB"},
    {.window = Window::Person, .picker = "dtpMarried", .label = amb::res::kTextAnniversary, .stored = "DateMarried"},
    {.window = Window::Person, .picker = "dtpBaptized", .label = amb::res::kCheckBaptized, .stored = "DateBaptized"},
    {.window = Window::Person, .picker = "dtpJoined", .label = amb::res::kCheckIsMember, .stored = "DateJoined"},
    {.window = Window::NewPerson, .picker = "dtpDOB", .label = amb::res::kLabelDateOfBirth, .stored = "DOB"},
    {.window = Window::Offering, .picker = "dtDate", .label = amb::res::kLabelDate, .stored = "OfferingDate"},
    {.window = Window::Expense, .picker = "dtDate", .label = amb::res::kLabelDate, .stored = "ExpenseDate"},
    {.window = Window::BatchRow, .picker = "dtDate", .label = amb::res::kLabelDate, .stored = "OfferingDate"},
    {.window = Window::Report,
     .picker = "dtpExpenseStartDate",
     .label = amb::res::kLabelRangeFrom,
     .stored = "DateStart",
     .report = "Expense List"},
    {.window = Window::Report,
     .picker = "dtpExpenseEndDate",
     .label = amb::res::kLabelRangeTo,
     .stored = "DateEnd",
     .report = "Expense List"},
    {.window = Window::Report,
     .picker = "dtpOfferingStartDate",
     .label = amb::res::kLabelRangeFrom,
     .stored = "DateStart",
     .report = "Offering List"},
    {.window = Window::Report,
     .picker = "dtpOfferingEndDate",
     .label = amb::res::kLabelRangeTo,
     .stored = "DateEnd",
     .report = "Offering List"},
    {.window = Window::Report,
     .picker = "dtpSummaryStartDate",
     .label = amb::res::kLabelRangeFrom,
     .stored = "DateStart",
     .report = "Offering Summary"},
    {.window = Window::Report,
     .picker = "dtpSummaryEndDate",
     .label = amb::res::kLabelRangeTo,
     .stored = "DateEnd",
     .report = "Offering Summary"},
};
static_assert(std::size(kBoxes) == 14, "every date box of the loader's windows");

class DateWindowTest : public OfferingWindowTest, public ::testing::WithParamInterface<amb::EnumSupportedLocaleID> {
protected:
    DateWindowTest()
        : OfferingWindowTest(GetParam(), English() ? 1033 : 1042), m_printer(std::make_shared<FakeReportPrinter>()) {
        m_hub->SetDateFormat(English() ? QStringLiteral("m/d/yyyy") : QStringLiteral("yyyy-m-d"));
        m_hub->SetReportPrinter(m_printer);
    }
    ~DateWindowTest() override { m_hub->SetReportPrinter(nullptr); }
    static bool English() { return GetParam() == amb::EnumSupportedLocaleID::English; }
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
        const QString table = box.window == Window::Person || box.window == Window::NewPerson ? QStringLiteral("Person")
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
            return db->UpdateExpense(Record({{"ID", 0},
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
                ClickTab(dialog, "tabMain", 0);
                Choose(dialog, "cboReport", ReportName(box.report));
                Click(dialog, "cmdNext");
            } else if (box.window == Window::BatchRow) {
                Choose(dialog, "cboOfferingTypeName", TypeName("OfferingTypeName", 1));
                TypeText(dialog, "txtAmount", QStringLiteral("25"));
            } else if (box.window == Window::NewPerson) {
                // A new person offers no date of birth until its tick box is ticked (today's date).
                TypeText(dialog, English() ? "txtLastName" : "txtLanguageName", QStringLiteral("Park"));
                ClickWidget(Child<QWidget>(dialog, box.picker)->findChild<QCheckBox*>());
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
                ClickTool(batch, "tbarBatch", 1);
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

    // A case over one box: its record, what was stored before its window opened, and the date held then.
    struct Opened {
        int32_t id = 0;
        QString before;
        QDate held;
    };
    // Opens the box's window on a new record and runs `step` on the box's edit once it shows; `held`
    // starts as the edit's date, and a step that makes another date held first changes it.
    Opened InBox(const Box& box, int32_t giver,
                 const std::function<void(QDialog&, QDateTimeEdit* edit, QDate& held)>& step) {
        Opened opened{.id = NewRecord(box, giver), .before = Stored(), .held = {}};
        m_printer->dictionaries.clear();
        InWindow(box, opened.id, [&](QDialog& dialog) {
            auto* edit = Child<QWidget>(dialog, box.picker)->findChild<QDateTimeEdit*>();
            opened.held = edit->date();
            step(dialog, edit, opened.held);
        });
        return opened;
    }

    // No message was left, and what the command stored or handed on has `date`: the report's range, the
    // row a batch submitted, the record saved (the newest, for a new person).
    void ExpectDateUsed(const Box& box, int32_t id, const QDate& date) {
        EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
        m_messages.Clear();
        if (box.window != Window::Report) {
            EXPECT_EQ(StoredDate(box, box.window == Window::BatchRow ? 0 : id), date);
            return;
        }
        ASSERT_EQ(m_printer->dictionaries.size(), 1u);
        for (const auto& [key, value] : m_printer->dictionaries.back()) {
            if (key == QLatin1String(box.stored)) {
                EXPECT_EQ(value.ToDateTime(), QDateTime(date, QTime(0, 0)));
            }
        }
    }

    // After the window: no message was left, and what the command stored or handed on has the date held
    // (a report's range, a batch row); an editing window, cancelled, stored nothing.
    // (A date typed whole before, as `held`, was not stored: the window was cancelled.)
    void ExpectHeldDateUsed(const Box& box, int32_t id, const QString& before, const QDate& held,
                            bool heldWasStored = true) {
        if (box.window == Window::Report || box.window == Window::BatchRow) {
            ExpectDateUsed(box, id, held);
            return;
        }
        EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join(QLatin1Char('|')).toStdString();
        m_messages.Clear();
        EXPECT_EQ(Stored(), before) << "nothing is saved";
        if (id && heldWasStored) {
            EXPECT_EQ(StoredDate(box, id), held);
        }
    }

    std::shared_ptr<FakeReportPrinter> m_printer;
    WindowSteps m_steps;
};

} // namespace test
