#pragma once

#include "contracts/Enums.h"
#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>

namespace amb::reports {

// The texts that describe a report's filters in its page header (parameter field 3), and the
// membership filter of the member reports.

// A date as "m/d/yy": month and day without leading zeros, a two-digit year, joined by the separator
// of the locale's short date format ("/" in the United States, "." in Germany).
QString CriteriaDate(const QDateTime& date, const QLocale& locale = QLocale());
// "Date range: 1/3/05-3/31/05".
QString DateRangeText(const QDateTime& start, const QDateTime& end, const QLocale& locale = QLocale());

// Items appended in a fixed order, each after "; " unless it is the first.
class CriteriaText {
public:
    CriteriaText() = default;
    explicit CriteriaText(QString first) : m_text(std::move(first)) {}
    // Appends label and value; nothing when `set` is false.
    CriteriaText& Add(bool set, const QString& label, const QString& value);
    const QString& Text() const { return m_text; }

private:
    QString m_text;
};

// The filters of the member contact list, the envelope-code list and the member mailing labels, in the
// order the printer reads them.
struct MemberFilters {
    int32_t classification = 0;
    int32_t ageClassification = 0;
    int32_t memberStatus = 0;
    int32_t sex = 0;
    int32_t maritalStatus = 0;
    int16_t baptized = 0;
    int16_t isMember = 0; // 1 members, -1 the others, 0 everyone
    QString city;
    QString state;
    QString zipCode;
};

// Look-up values come from the data set's current (first) row.
QString ExpenseListCriteria(const QDateTime& start, const QDateTime& end, int32_t expenseType,
                            const platform::Recordset& rows);
// The giver is named by the display name of the name locale, as in the report's rows.
QString OfferingListCriteria(const QDateTime& start, const QDateTime& end, int32_t offeringType, int32_t person,
                             const platform::Recordset& rows, EnumSupportedLocaleID nameLocale);
QString PlaceCriteria(const QString& city, const QString& state, const QString& zipCode);
QString GroupListCriteria(int32_t groupType, const platform::Recordset& rows);
// The membership item shows the chosen value ("True" for members, "False" for the others), since
// every row left by the filter has it.
QString MemberListCriteria(const MemberFilters& filters, const platform::Recordset& rows);
// "Date: " and the month's full name in the locale; empty for month 0.
QString BirthdayListCriteria(int32_t month, const QLocale& locale = QLocale());

// The rows whose IsMember matches the filter (1 members, -1 the others); the set itself for 0. Nothing
// when no row is left, so the report answers "no record selected" as for an empty query.
platform::RecordsetPtr FilterByMembership(const platform::RecordsetPtr& rows, int16_t isMember);

} // namespace amb::reports
