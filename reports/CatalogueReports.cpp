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

QDateTime Date(const Arguments& a, size_t i) {
    return a.at(i).ToDateTime();
}
int32_t Long(const Arguments& a, size_t i) {
    return a.at(i).ToInt();
}
int16_t Short(const Arguments& a, size_t i) {
    return static_cast<int16_t>(a.at(i).ToInt());
}
QString Text(const Arguments& a, size_t i) {
    return a.at(i).ToString();
}

// The ten member filters, in the dispatch table's order.
MemberFilters Members(const Arguments& a) {
    return MemberFilters{Long(a, 0),  Long(a, 1),  Long(a, 2), Long(a, 3), Long(a, 4),
                         Short(a, 5), Short(a, 6), Text(a, 7), Text(a, 8), Text(a, 9)};
}

RecordsetPtr MemberList(IDatabaseManager& db, const Arguments& a) {
    const MemberFilters f = Members(a);
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
    return DateRangeText(Date(a, 0), Date(a, 1));
}
QString MemberCriteria(const Arguments& a, const platform::Recordset& rows) {
    return MemberListCriteria(Members(a), rows);
}

} // namespace

struct Printer::CatalogueReport {
    using DataFn = std::function<RecordsetPtr(IDatabaseManager&, const Arguments&)>;
    using CriteriaFn = std::function<QString(const Arguments&, const platform::Recordset&)>;
    using RowsFn = std::function<platform::reportengine::RowSourcePtr(const RecordsetPtr&)>;

    CatalogueReport(QString procedure, DataFn data, CriteriaFn criteria = nullptr, int membershipArgument = -1,
                    RowsFn rows = nullptr)
        : Procedure(std::move(procedure)), Data(std::move(data)), Criteria(std::move(criteria)),
          MembershipArgument(membershipArgument), Rows(std::move(rows)) {}

    QString Procedure;
    DataFn Data;
    // The criteria text of parameter field 3; none for the mailing labels, which set no parameter.
    CriteriaFn Criteria;
    // The argument holding the membership filter the rows are narrowed by, or -1.
    int MembershipArgument = -1;
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
        if (kind.MembershipArgument >= 0)
            rows = FilterByMembership(rows, Short(args, size_t(kind.MembershipArgument)));
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
        [member](IDatabaseManager& db, const Arguments& a) { return (db.*member)(Date(a, 0), Date(a, 1)); }, DateRange);
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
                                          return db.GetReportExpenseList(Date(a, 0), Date(a, 1), Long(a, 2));
                                      },
                                      [](const Arguments& a, const platform::Recordset& rows) {
                                          return ExpenseListCriteria(Date(a, 0), Date(a, 1), Long(a, 2), rows);
                                      }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintOfferingList(const Arguments& args) {
    const EnumSupportedLocaleID nameLocale = Hub()->NameLocaleID();
    const CatalogueReport kind{QStringLiteral("PrintOfferingList()"),
                               [](IDatabaseManager& db, const Arguments& a) {
                                   return db.GetReportOfferingList(Date(a, 0), Date(a, 1), Long(a, 2), Long(a, 3));
                               },
                               [nameLocale](const Arguments& a, const platform::Recordset& rows) {
                                   return OfferingListCriteria(Date(a, 0), Date(a, 1), Long(a, 2), Long(a, 3), rows,
                                                               nameLocale);
                               }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintFamilyContactList(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintFamilyContactList()"),
                                      [](IDatabaseManager& db, const Arguments& a) {
                                          return db.GetReportFamilyList(Text(a, 0), Text(a, 1), Text(a, 2));
                                      },
                                      [](const Arguments& a, const platform::Recordset&) {
                                          return PlaceCriteria(Text(a, 0), Text(a, 1), Text(a, 2));
                                      }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintFamilyMailingLabel(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintFamilyMailingLabel()"),
                                      [](IDatabaseManager& db, const Arguments& a) {
                                          return db.GetReportFamilyMailingLabel(Text(a, 0), Text(a, 1), Text(a, 2));
                                      }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintGroupContactList(const Arguments& args) {
    static const CatalogueReport kind{
        QStringLiteral("PrintGroupContactList()"),
        [](IDatabaseManager& db, const Arguments& a) { return db.GetReportGroupList(Long(a, 0)); },
        [](const Arguments& a, const platform::Recordset& rows) { return GroupListCriteria(Long(a, 0), rows); }};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintGroupMailingLabel(const Arguments& args) {
    static const CatalogueReport kind{
        QStringLiteral("PrintGroupMailingLabel()"),
        [](IDatabaseManager& db, const Arguments& a) { return db.GetReportGroupMailingLabel(Long(a, 0)); }};
    return PrintCatalogueReport(kind, args);
}

// IsMember (the seventh argument) narrows the member reports (D32).
EnumReportError Printer::PrintMemberContactList(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintMemberContactList()"), MemberList, MemberCriteria, 6};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintEnvelopCodeList(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintEnvelopCodeList()"), MemberList, MemberCriteria, 6};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintMemberMailingLabel(const Arguments& args) {
    static const CatalogueReport kind{QStringLiteral("PrintMemberMailingLabel()"),
                                      [](IDatabaseManager& db, const Arguments& a) {
                                          const MemberFilters f = Members(a);
                                          return db.GetReportMemberMailingLabel(
                                              f.classification, f.ageClassification, f.memberStatus, f.sex,
                                              f.maritalStatus, f.baptized, f.city, f.state, f.zipCode, Text(a, 10));
                                      },
                                      nullptr, 6};
    return PrintCatalogueReport(kind, args);
}

EnumReportError Printer::PrintMonthlyBirthdayList(const Arguments& args) {
    static const CatalogueReport kind{
        QStringLiteral("PrintMonthlyBirthdayList()"),
        [](IDatabaseManager& db, const Arguments& a) { return db.GetReportMonthlyBirthdayList(Long(a, 0)); },
        [](const Arguments& a, const platform::Recordset&) { return BirthdayListCriteria(Long(a, 0)); }, -1,
        WithMonthName};
    return PrintCatalogueReport(kind, args);
}

} // namespace amb::reports
