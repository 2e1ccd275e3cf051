#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"
#include "reports/Criteria.h"
#include "reports/PersonFields.h"
#include "reports/Printer.h"
#include "reports/PrinterName.h"

#include <QLocale>

#include <functional>

// The reports of the catalogue (the Report table): the balance sheet and the two summaries, the lists
// and the mailing labels. They differ only in their data set, their criteria text, the order of the
// two first checks and, for the column views, two captions; one procedure runs them all.

namespace amb::reports {

namespace {

using platform::RecordsetPtr;
using Arguments = Printer::Arguments;

namespace keys = report_keys;

RecordsetPtr MemberList(IDatabaseManager& db, const Arguments& a) {
    const MemberFilters f = MemberFiltersOf(a);
    return db.GetReportMemberList(f.classification, f.ageClassification, f.memberStatus, f.sex, f.maritalStatus,
                                  f.baptized, f.city, f.state, f.zipCode);
}

// The balance sheet's "Balance": the offering less the expense, so that the report's sum of it is the
// exact balance.
platform::reportengine::RowSourcePtr WithBalance(const RecordsetPtr& set) {
    const int expense = set->FieldIndex(QStringLiteral("ExpenseAmount"));
    const int offering = set->FieldIndex(QStringLiteral("OfferingAmount"));
    return std::make_shared<const ComputedRows>(
        std::make_shared<platform::reportengine::RecordsetRowSource>(set),
        std::vector<ComputedRows::Field>{
            {QStringLiteral("Balance"), [=](const platform::reportengine::RowSource& rows, int row) {
                 return platform::Variant(rows.Value(row, offering).ToCurrency() -
                                          rows.Value(row, expense).ToCurrency());
             }}});
}

// The month's full name in the locale, as the criteria text names it.
platform::reportengine::RowSourcePtr WithMonthName(const RecordsetPtr& set) {
    const int month = set->FieldIndex(QStringLiteral("Month"));
    return std::make_shared<const ComputedRows>(
        std::make_shared<platform::reportengine::RecordsetRowSource>(set),
        std::vector<ComputedRows::Field>{
            {QStringLiteral("MonthName"), [=](const platform::reportengine::RowSource& rows, int row) {
                 const int m = rows.Value(row, month).ToInt();
                 return platform::Variant(m >= 1 && m <= 12 ? QLocale().standaloneMonthName(m) : QString());
             }}});
}

QString DateRange(const Arguments& a, const platform::Recordset&) {
    return DateRangeText(a.Date(keys::kDateStart), a.Date(keys::kDateEnd));
}
QString MemberCriteria(const Arguments& a, const platform::Recordset& rows) {
    return MemberListCriteria(MemberFiltersOf(a), rows);
}

} // namespace

struct Printer::CatalogueReport {
    using DataFn = std::function<RecordsetPtr(IDatabaseManager&, const Arguments&)>;
    using CriteriaFn = std::function<QString(const Arguments&, const platform::Recordset&)>;
    using RowsFn = std::function<platform::reportengine::RowSourcePtr(const RecordsetPtr&)>;

    CatalogueReport(QString procedure, DataFn data, CriteriaFn criteria = nullptr, bool byMembership = false,
                    RowsFn rows = nullptr)
        : Procedure(std::move(procedure)), Data(std::move(data)), Criteria(std::move(criteria)),
          ByMembership(byMembership), Rows(std::move(rows)) {}

    QString Procedure;
    DataFn Data;
    // The criteria text of parameter field 3; none for the mailing labels, which set no parameter.
    CriteriaFn Criteria;
    // Whether the rows are narrowed by the membership filter ("IsMember").
    bool ByMembership = false;
    // The rows as the report reads them; the data set itself when empty.
    RowsFn Rows;
    // True: the report file before the data (summaries, balance sheet); false: the data first (lists).
    bool PathFirst = false;
};

namespace {

// The column views caption their extra columns with string-table texts, read at print time.
struct ColumnCaption {
    const char* ReportName;
    int Parameter;
    int32_t TextId;
};
const ColumnCaption kColumnCaptions[] = {
    {"Group Contact List - Column View", 4, res::kLabelGroupType},
    {"Member Contact List - Column View", 4, res::kLabelSex},
    {"Member Contact List - Column View", 5, res::kLabelDateOfBirth},
};

bool Absent(const RecordsetPtr& set) {
    return !set || set->RecordCount() == 0;
}

} // namespace

EnumReportError Printer::PrintCatalogueReport(const CatalogueReport& kind, const Arguments& args) {
    return Guard(PrinterObjectName(), kind.Procedure, EnumReportError::SystemError, [&] {
        QString path;
        if (kind.PathFirst) {
            path = MakeReportFilePath(QString());
            if (path.isEmpty())
                return EnumReportError::NoReportFile;
        }
        RecordsetPtr rows = kind.Data(*Database(), args);
        if (kind.ByMembership)
            rows = FilterByMembership(rows, args.Flag(keys::kIsMember));
        if (Absent(rows))
            return EnumReportError::NoRecordSelected;
        if (!kind.PathFirst) {
            path = MakeReportFilePath(QString());
            if (path.isEmpty())
                return EnumReportError::NoReportFile;
        }
        rows->MoveFirst();
        const platform::reportengine::ReportPtr report = OpenReport(path);
        if (kind.Criteria)
            SetDefaultReportParameters(*report, kind.Criteria(args, *rows));
        for (const ColumnCaption& caption : kColumnCaptions)
            if (m_reportName == QLatin1String(caption.ReportName))
                SetParameter(*report, caption.Parameter, LoadResString(Hub(), caption.TextId) + QLatin1Char(':'));
        report->Tables(1).SetDataSource(WithPersonFields(
            kind.Rows ? kind.Rows(rows) : std::make_shared<platform::reportengine::RecordsetRowSource>(rows), Style()));
        Output(*report, true);
        return EnumReportError::Success;
    });
}

namespace {
// The balance sheet and the two summaries: a date range, the report file looked up first.
Printer::CatalogueReport DateRangeReport(const char* procedure,
                                         RecordsetPtr (IDatabaseManager::*member)(const QDateTime&, const QDateTime&)) {
    Printer::CatalogueReport kind(
        QString::fromLatin1(procedure),
        [member](IDatabaseManager& db, const Arguments& a) {
            return (db.*member)(a.Date(keys::kDateStart), a.Date(keys::kDateEnd));
        },
        DateRange);
    kind.PathFirst = true;
    return kind;
}
} // namespace

EnumReportError Printer::PrintBalanceSheet(const Arguments& args) {
    static const CatalogueReport kind = [] {
        CatalogueReport k = DateRangeReport("PrintBalanceSheet()", &IDatabaseManager::GetReportBalanceSheet);
        k.Rows = WithBalance;
        return k;
    }();
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintExpenseSummary(const Arguments& args) {
    static const CatalogueReport kind =
        DateRangeReport("PrintExpenseSummary()", &IDatabaseManager::GetReportExpenseSummary);
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintOfferingSummary(const Arguments& args) {
    static const CatalogueReport kind =
        DateRangeReport("PrintOfferingSummary()", &IDatabaseManager::GetReportOfferingSummary);
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintExpenseList(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintExpenseList()"),
                                      [](IDatabaseManager& db, const Arguments& a) {
                                          return db.GetReportExpenseList(a.Date(keys::kDateStart),
                                                                         a.Date(keys::kDateEnd),
                                                                         a.Id(keys::kExpenseTypeId));
                                      },
                                      [](const Arguments& a, const platform::Recordset& rows) {
                                          return ExpenseListCriteria(a.Date(keys::kDateStart), a.Date(keys::kDateEnd),
                                                                     a.Id(keys::kExpenseTypeId), rows);
                                      }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintOfferingList(const Arguments& args) {
    const EnumSupportedLocaleID nameLocale = Hub()->NameLocaleID();
    const CatalogueReport kind{
        QStringLiteral("PrintOfferingList()"),
        [](IDatabaseManager& db, const Arguments& a) {
            return db.GetReportOfferingList(a.Date(keys::kDateStart), a.Date(keys::kDateEnd),
                                            a.Id(keys::kOfferingTypeId), a.Id(keys::kPersonId));
        },
        [nameLocale](const Arguments& a, const platform::Recordset& rows) {
            return OfferingListCriteria(a.Date(keys::kDateStart), a.Date(keys::kDateEnd), a.Id(keys::kOfferingTypeId),
                                        a.Id(keys::kPersonId), rows, nameLocale);
        }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintFamilyContactList(const Arguments& args) {
    static const CatalogueReport kind{
        QStringLiteral("PrintFamilyContactList()"),
        [](IDatabaseManager& db, const Arguments& a) {
            return db.GetReportFamilyList(a.Text(keys::kCity), a.Text(keys::kState), a.Text(keys::kZipCode));
        },
        [](const Arguments& a, const platform::Recordset&) {
            return PlaceCriteria(a.Text(keys::kCity), a.Text(keys::kState), a.Text(keys::kZipCode));
        }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintFamilyMailingLabel(const Arguments& args) {
    static const CatalogueReport kind{
        QStringLiteral("PrintFamilyMailingLabel()"), [](IDatabaseManager& db, const Arguments& a) {
            return db.GetReportFamilyMailingLabel(a.Text(keys::kCity), a.Text(keys::kState), a.Text(keys::kZipCode));
        }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintGroupContactList(const Arguments& args) {
    static const CatalogueReport kind{
        QStringLiteral("PrintGroupContactList()"),
        [](IDatabaseManager& db, const Arguments& a) { return db.GetReportGroupList(a.Id(keys::kGroupTypeId)); },
        [](const Arguments& a, const platform::Recordset& rows) {
            return GroupListCriteria(a.Id(keys::kGroupTypeId), rows);
        }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintGroupMailingLabel(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintGroupMailingLabel()"),
                                      [](IDatabaseManager& db, const Arguments& a) {
                                          return db.GetReportGroupMailingLabel(a.Id(keys::kGroupTypeId));
                                      }};
    return PrintCatalogueReport(kind, args);
}

// IsMember narrows the member reports (1 members, -1 the others, 0 all): the query has no such
// condition, so the printer filters the rows it reads.
EnumReportError Printer::PrintMemberContactList(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintMemberContactList()"), MemberList, MemberCriteria, true};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintEnvelopCodeList(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintEnvelopCodeList()"), MemberList, MemberCriteria, true};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintMemberMailingLabel(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintMemberMailingLabel()"),
                                      [](IDatabaseManager& db, const Arguments& a) {
                                          const MemberFilters f = MemberFiltersOf(a);
                                          return db.GetReportMemberMailingLabel(f.classification, f.ageClassification,
                                                                                f.memberStatus, f.sex, f.maritalStatus,
                                                                                f.baptized, f.city, f.state, f.zipCode,
                                                                                a.Text(keys::kAddressName));
                                      },
                                      nullptr, true};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintMonthlyBirthdayList(const Arguments& args) {
    static const CatalogueReport kind{
        QStringLiteral("PrintMonthlyBirthdayList()"),
        [](IDatabaseManager& db, const Arguments& a) { return db.GetReportMonthlyBirthdayList(a.Id(keys::kMonth)); },
        [](const Arguments& a, const platform::Recordset&) { return BirthdayListCriteria(a.Id(keys::kMonth)); }, false,
        WithMonthName};
    return PrintCatalogueReport(kind, args);
}

} // namespace amb::reports
