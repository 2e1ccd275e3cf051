#include "reports/Criteria.h"

#include "common/GlobalModule.h"
#include "common/StandardModule.h"
#include "common/Values.h"

namespace amb::reports {

namespace {

// The first character of the short date format that is not part of a field.
QString DateSeparator(const QLocale& locale) {
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat))
        if (!c.isLetter() && c != u'\'' && !c.isSpace())
            return QString(c);
    return QStringLiteral("/");
}

QString FirstRowText(const platform::Recordset& rows, const char* field) {
    return rows.IsEOF() ? QString() : AsString(rows.Field(QLatin1String(field)));
}

} // namespace

QString CriteriaDate(const QDateTime& date, const QLocale& locale) {
    const QDate day = date.date();
    const QString separator = DateSeparator(locale);
    return QString::number(day.month()) + separator + QString::number(day.day()) + separator +
           QStringLiteral("%1").arg(((day.year() % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
}

QString DateRangeText(const QDateTime& start, const QDateTime& end, const QLocale& locale) {
    return QStringLiteral("Date range: ") + CriteriaDate(start, locale) + QLatin1Char('-') + CriteriaDate(end, locale);
}

CriteriaText& CriteriaText::Add(bool set, const QString& label, const QString& value) {
    if (!set)
        return *this;
    if (!m_text.isEmpty())
        m_text += QStringLiteral("; ");
    m_text += label + value;
    return *this;
}

QString ExpenseListCriteria(const QDateTime& start, const QDateTime& end, int32_t expenseType,
                            const platform::Recordset& rows) {
    return CriteriaText(DateRangeText(start, end))
        .Add(expenseType > 0, QStringLiteral("Expense type: "), FirstRowText(rows, "ExpenseTypeName"))
        .Text();
}

QString OfferingListCriteria(const QDateTime& start, const QDateTime& end, int32_t offeringType, int32_t person,
                             const platform::Recordset& rows, EnumSupportedLocaleID nameLocale) {
    const QString giver = person > 0 && !rows.IsEOF() ? DisplayName(rows, nameLocale) : QString();
    return CriteriaText(DateRangeText(start, end))
        .Add(offeringType > 0, QStringLiteral("Offering type: "), FirstRowText(rows, "OfferingTypeName"))
        .Add(person > 0, QStringLiteral("Member: "), giver)
        .Text();
}

namespace {
CriteriaText& AddPlace(CriteriaText& text, const QString& city, const QString& state, const QString& zipCode) {
    return text.Add(!city.isEmpty(), QStringLiteral("City: "), city)
        .Add(!state.isEmpty(), QStringLiteral("State: "), state)
        .Add(!zipCode.isEmpty(), QStringLiteral("Zip code: "), zipCode);
}
} // namespace

QString PlaceCriteria(const QString& city, const QString& state, const QString& zipCode) {
    CriteriaText text;
    return AddPlace(text, city, state, zipCode).Text();
}

QString GroupListCriteria(int32_t groupType, const platform::Recordset& rows) {
    return CriteriaText().Add(groupType > 0, QStringLiteral("Group type: "), FirstRowText(rows, "GroupType")).Text();
}

QString MemberListCriteria(const MemberFilters& f, const platform::Recordset& rows) {
    CriteriaText text;
    text.Add(f.classification > 0, QStringLiteral("Classification: "), FirstRowText(rows, "MemberClassification"))
        .Add(f.memberStatus > 0, QStringLiteral("Status: "), FirstRowText(rows, "MemberStatus"))
        .Add(f.sex > 0, QStringLiteral("Sex: "), FirstRowText(rows, "Sex"))
        .Add(f.maritalStatus > 0, QStringLiteral("Marital status: "), FirstRowText(rows, "MaritalStatus"))
        .Add(f.baptized != 0, QStringLiteral("Baptized: "), FirstRowText(rows, "IsBaptized"))
        .Add(f.isMember != 0, QStringLiteral("Registerd Member: "), platform::Variant(f.isMember > 0).ToString());
    return AddPlace(text, f.city, f.state, f.zipCode).Text();
}

QString BirthdayListCriteria(int32_t month, const QLocale& locale) {
    const bool set = month >= 1 && month <= 12;
    return CriteriaText()
        .Add(set, QStringLiteral("Date: "), set ? locale.standaloneMonthName(month) : QString())
        .Text();
}

platform::RecordsetPtr FilterByMembership(const platform::RecordsetPtr& rows, int16_t isMember) {
    if (!rows || isMember == 0)
        return rows;
    const int column = rows->FieldIndex(QStringLiteral("IsMember"));
    std::vector<platform::Recordset::Row> kept;
    for (int row = 0; row < rows->RecordCount(); ++row) {
        if (AsBoolean(rows->Value(row, column)) == (isMember > 0)) {
            platform::Recordset::Row values;
            values.reserve(size_t(rows->FieldCount()));
            for (int c = 0; c < rows->FieldCount(); ++c)
                values.push_back(rows->Value(row, c));
            kept.push_back(std::move(values));
        }
    }
    if (kept.empty())
        return nullptr;
    return std::make_shared<platform::Recordset>(rows->FieldNames(), std::move(kept));
}

} // namespace amb::reports
