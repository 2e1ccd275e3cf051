#include "database/ManagerSupport.h"
#include "database/QuerySupport.h"

#include "common/StandardModule.h"

// The report catalogue and the data set of every report. Filters follow one rule: an id filter applies
// from 1 up (0, -998 and -999 mean all), a text filter when it is not empty, compared as given.

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

namespace {

const QString kPersonNames = QStringLiteral("Person.LanguageName, Person.Title, Person.FirstName, Person.MiddleName, "
                                            "Person.LastName, Person.Suffix");
const QString kAddressParts = QStringLiteral("PersonAddress.AddressPart1, PersonAddress.AddressPart2, "
                                             "PersonAddress.AddressPart3, PersonAddress.AddressPart4, "
                                             "PersonAddress.AddressPart5");
const QString kByPersonName =
    QStringLiteral("Person.LanguageName, Person.LastName, Person.FirstName, Person.MiddleName");

QString HomeAddressJoin() {
    return FirstContactJoin(QStringLiteral("PersonAddress"), QStringLiteral("PersonAddress"),
                            QStringLiteral("IsHomeAddress"), QStringLiteral("Person.ID"));
}

// City, state and zip code compare the address parts 3, 4 and 5 exactly (letter case aside).
void AddPlace(Conditions& where, const QString& city, const QString& state, const QString& zipCode) {
    where.AddText(QStringLiteral("PersonAddress.AddressPart3"), city);
    where.AddText(QStringLiteral("PersonAddress.AddressPart4"), state);
    where.AddText(QStringLiteral("PersonAddress.AddressPart5"), zipCode);
}

// The person filters that the member list and the member labels share.
Conditions MemberConditions(int32_t classification, int32_t memberStatus, int32_t sex, int32_t maritalStatus,
                            int16_t baptized, const QString& city, const QString& state, const QString& zipCode) {
    Conditions where;
    if (baptized == 1 || baptized == -1)
        where.Add(QStringLiteral("Person.IsBaptized"), Variant(baptized == 1));
    where.AddId(QStringLiteral("Person.MemberClassificationID"), classification);
    where.AddId(QStringLiteral("Person.MemberStatusID"), memberStatus);
    where.AddId(QStringLiteral("Person.SexID"), sex);
    where.AddId(QStringLiteral("Person.MaritalStatusID"), maritalStatus);
    AddPlace(where, city, state, zipCode);
    return where;
}

// The head of each family (or group) with the head's first contact rows; a family without a head is
// in no family data set.
QString FamilyHeadFrom() {
    return QStringLiteral(" FROM Family JOIN PersonToFamily ON Family.ID=PersonToFamily.FamilyID AND "
                          "PersonToFamily.IsHeadOfFamily=1 JOIN Person ON PersonToFamily.PersonID=Person.ID");
}
QString GroupHeadFrom() {
    return QStringLiteral(" FROM \"Group\" JOIN PersonToGroup ON \"Group\".ID=PersonToGroup.GroupID AND "
                          "PersonToGroup.IsHeadOfGroup=1 JOIN Person ON PersonToGroup.PersonID=Person.ID "
                          "LEFT JOIN GroupType ON \"Group\".GroupTypeID=GroupType.ID");
}

} // namespace

RecordsetPtr Manager::GetLookupReport(EnumLookupOption en) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetLookupReport()"), [&] {
        const QString options = BuildLookUpOptionQuery(en, QStringLiteral("Report"), false);
        const QString base = QStringLiteral("SELECT ID, Report AS Name FROM Report");
        const QString sql = options.isEmpty()
                                ? QString(base + QStringLiteral(" ORDER BY Report, ID"))
                                : QString(base + options + QStringLiteral(" ORDER BY Name COLLATE NOCASE, ID"));
        return ExecuteSelect(sql);
    });
}

RecordsetPtr Manager::GetReportByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportByID()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT Report.* FROM Report WHERE Report.ID=?"), {n});
    });
}

RecordsetPtr Manager::GetReportByName(const QString& s) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportByName()"), [&] {
        return ExecuteSelect(QStringLiteral("SELECT Report.* FROM Report WHERE InternalName=? ORDER BY ID"), {s});
    });
}

int32_t Manager::UpdateReport(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateReport()"), [&] {
        RowSave save;
        save.Table = QStringLiteral("Report");
        save.Fields = {QStringLiteral("Report"), QStringLiteral("InternalName"), QStringLiteral("FileName"),
                       QStringLiteral("OptionIndex")};
        return SaveRow(save, RecordOf(dict));
    });
}

int32_t Manager::DeleteReport(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteReport()"),
                        [&] { return ExecuteUpdate(QStringLiteral("DELETE FROM Report WHERE ID=?"), {n}); });
}

// Every expense of the range, and the offerings summed per day and type, in date order (on one day the
// expenses first, each kind in the order entered). UNION ALL, so two equal expenses of one day both
// count; outer joins, so an amount of an unknown type still counts.
RecordsetPtr Manager::GetReportBalanceSheet(const QDateTime& dtStart, const QDateTime& dtEnd) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportBalanceSheet()"), [&] {
        const auto [start, end] = DayRange(dtStart, dtEnd);
        return ExecuteSelect(
            QStringLiteral("SELECT Expense.ExpenseDate AS \"Date\", ExpenseTypeName.ExpenseTypeName AS \"Type\", "
                           "Expense.ExpenseName AS Description, "
                           "StoredAmount(Expense.Amount, 'Expense', Expense.ID) AS ExpenseAmount, 0 AS OfferingAmount, "
                           "0 AS IsOffering, Expense.ID AS RowOrder FROM Expense "
                           "LEFT JOIN ExpenseTypeName ON Expense.ExpenseTypeID=ExpenseTypeName.ID "
                           "WHERE Expense.ExpenseDate BETWEEN ?1 AND ?2 "
                           "UNION ALL "
                           "SELECT PersonOffering.OfferingDate, OfferingTypeName.OfferingTypeName, '', 0, "
                           "SUM(StoredAmount(PersonOffering.Amount, 'PersonOffering', PersonOffering.ID)), 1, "
                           "MIN(PersonOffering.ID) FROM PersonOffering "
                           "LEFT JOIN OfferingTypeName ON PersonOffering.OfferingTypeID=OfferingTypeName.ID "
                           "WHERE PersonOffering.OfferingDate BETWEEN ?1 AND ?2 "
                           "GROUP BY PersonOffering.OfferingDate, PersonOffering.OfferingTypeID "
                           "ORDER BY 1, 6, 7"),
            {start, end},
            {{QStringLiteral("Date"), platform::SqlColumnType::DateTime},
             {QStringLiteral("Type"), platform::SqlColumnType::Text},
             {QStringLiteral("Description"), platform::SqlColumnType::Text},
             {QStringLiteral("ExpenseAmount"), platform::SqlColumnType::Currency},
             {QStringLiteral("OfferingAmount"), platform::SqlColumnType::Currency}});
    });
}

RecordsetPtr Manager::GetReportExpenseList(const QDateTime& dtStart, const QDateTime& dtEnd, int32_t nExpenseType) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportExpenseList()"), [&] {
        const auto [start, end] = DayRange(dtStart, dtEnd);
        Conditions where{QString(), {start, end}};
        where.AddId(QStringLiteral("Expense.ExpenseTypeID"), nExpenseType);
        return ExecuteSelect(
            QStringLiteral("SELECT Expense.*, ExpenseTypeName.ExpenseTypeName FROM Expense "
                           "JOIN ExpenseTypeName ON Expense.ExpenseTypeID=ExpenseTypeName.ID "
                           "WHERE Expense.ExpenseDate BETWEEN ? AND ?") +
                where.Sql +
                QStringLiteral(" ORDER BY Expense.ExpenseDate, ExpenseTypeName.ExpenseTypeName, Expense.ID"),
            where.Params);
    });
}

RecordsetPtr Manager::GetReportExpenseSummary(const QDateTime& dtStart, const QDateTime& dtEnd) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportExpenseSummary()"), [&] {
        const auto [start, end] = DayRange(dtStart, dtEnd);
        return ExecuteSelect(
            QStringLiteral("SELECT Expense.*, ExpenseTypeName.ExpenseTypeName FROM Expense "
                           "LEFT JOIN ExpenseTypeName ON Expense.ExpenseTypeID=ExpenseTypeName.ID "
                           "WHERE Expense.ExpenseDate BETWEEN ? AND ? "
                           "ORDER BY ExpenseTypeName.ExpenseTypeName, Expense.ExpenseDate, Expense.ID"),
            {start, end});
    });
}

RecordsetPtr Manager::GetReportOfferingList(const QDateTime& dtStart, const QDateTime& dtEnd, int32_t nOfferingType,
                                            int32_t nPerson) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportOfferingList()"), [&] {
        const auto [start, end] = DayRange(dtStart, dtEnd);
        Conditions where{QString(), {start, end}};
        where.AddId(QStringLiteral("PersonOffering.OfferingTypeID"), nOfferingType);
        where.AddId(QStringLiteral("PersonOffering.PersonID"), nPerson);
        return ExecuteSelect(
            QStringLiteral("SELECT PersonOffering.*, OfferingTypeName.OfferingTypeName, ") + kPersonNames +
                QStringLiteral(" FROM PersonOffering "
                               "LEFT JOIN OfferingTypeName ON PersonOffering.OfferingTypeID=OfferingTypeName.ID "
                               "LEFT JOIN Person ON PersonOffering.PersonID=Person.ID "
                               "WHERE PersonOffering.OfferingDate BETWEEN ? AND ?") +
                where.Sql +
                QStringLiteral(" ORDER BY PersonOffering.OfferingDate, OfferingTypeName.OfferingTypeName, ") +
                kByPersonName + QStringLiteral(", PersonOffering.ID"),
            where.Params);
    });
}

RecordsetPtr Manager::GetReportOfferingSummary(const QDateTime& dtStart, const QDateTime& dtEnd) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportOfferingSummary()"), [&] {
        const auto [start, end] = DayRange(dtStart, dtEnd);
        return ExecuteSelect(
            QStringLiteral("SELECT PersonOffering.*, OfferingTypeName.OfferingTypeName, Person.LanguageName, "
                           "Person.FirstName, Person.MiddleName, Person.LastName, Person.Suffix, "
                           "Person.EnvelopCode FROM PersonOffering "
                           "LEFT JOIN OfferingTypeName ON PersonOffering.OfferingTypeID=OfferingTypeName.ID "
                           "LEFT JOIN Person ON PersonOffering.PersonID=Person.ID "
                           "WHERE PersonOffering.OfferingDate BETWEEN ? AND ? "
                           "ORDER BY OfferingTypeName.OfferingTypeName, ") +
                kByPersonName +
                QStringLiteral(", PersonOffering.OfferingDate, PersonOffering.Amount, PersonOffering.ID"),
            {start, end});
    });
}

RecordsetPtr Manager::GetReportGroupList(int32_t nGroupType) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportGroupList()"), [&] {
        Conditions where;
        where.AddId(QStringLiteral("\"Group\".GroupTypeID"), nGroupType);
        return ExecuteSelect(QStringLiteral("SELECT \"Group\".*, GroupType.GroupType, ") + kPersonNames +
                                 QStringLiteral(", ") + MemberContactColumns() + GroupHeadFrom() +
                                 MemberContactJoins(QStringLiteral("Person.ID")) + QStringLiteral(" WHERE 1") +
                                 where.Sql +
                                 QStringLiteral(" ORDER BY GroupType.GroupType, \"Group\".Name, \"Group\".ID"),
                             where.Params);
    });
}

RecordsetPtr Manager::GetReportGroupMailingLabel(int32_t nGroupType) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportGroupMailingLabel()"), [&] {
        Conditions where;
        where.AddId(QStringLiteral("\"Group\".GroupTypeID"), nGroupType);
        return ExecuteSelect(QStringLiteral("SELECT ") + kAddressParts + QStringLiteral(", ") + kPersonNames +
                                 GroupHeadFrom() + HomeAddressJoin() + QStringLiteral(" WHERE 1") + where.Sql +
                                 QStringLiteral(" ORDER BY GroupType.GroupType, \"Group\".Name, \"Group\".ID"),
                             where.Params);
    });
}

RecordsetPtr Manager::GetReportFamilyList(const QString& sCity, const QString& sState, const QString& sZipCode) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportFamilyList()"), [&] {
        Conditions where;
        AddPlace(where, sCity, sState, sZipCode);
        return ExecuteSelect(QStringLiteral("SELECT Family.*, ") + kPersonNames + QStringLiteral(", ") +
                                 MemberContactColumns() + FamilyHeadFrom() +
                                 MemberContactJoins(QStringLiteral("Person.ID")) + QStringLiteral(" WHERE 1") +
                                 where.Sql + QStringLiteral(" ORDER BY Family.Name, Family.ID"),
                             where.Params);
    });
}

RecordsetPtr Manager::GetReportFamilyMailingLabel(const QString& sCity, const QString& sState,
                                                  const QString& sZipCode) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportFamilyMailingLabel()"), [&] {
        Conditions where;
        AddPlace(where, sCity, sState, sZipCode);
        return ExecuteSelect(QStringLiteral("SELECT ") + kAddressParts + QStringLiteral(", ") + kPersonNames +
                                 FamilyHeadFrom() + HomeAddressJoin() + QStringLiteral(" WHERE 1") + where.Sql +
                                 QStringLiteral(" ORDER BY ") + kByPersonName + QStringLiteral(", Family.ID"),
                             where.Params);
    });
}

// The persons not marked deleted with their look-up names and first contact rows. The age
// classification is kept by no column, so it filters nothing.
RecordsetPtr Manager::GetReportMemberList(int32_t nClassification, int32_t /*nAgeClassification*/,
                                          int32_t nMemberStatus, int32_t nSex, int32_t nMaritalStatus,
                                          int16_t nBaptized, const QString& sCity, const QString& sState,
                                          const QString& sZipCode) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportMemberList()"), [&] {
        const Conditions where =
            MemberConditions(nClassification, nMemberStatus, nSex, nMaritalStatus, nBaptized, sCity, sState, sZipCode);
        // Every contact row joined, then each person's first combination kept: far cheaper over all
        // persons than finding each first row on its own. A place is compared with the first home
        // address only, so with a place the address join takes that row alone.
        const bool byPlace = !sCity.isEmpty() || !sState.isEmpty() || !sZipCode.isEmpty();
        WriteTraceLine(kObjectName, QStringLiteral("ExecuteSelect()"), QString(), 0);
        const QString person = QStringLiteral("Person.ID");
        const QString address = QStringLiteral("PersonAddress");
        auto rs = QueryAll(
            QStringLiteral(
                "SELECT Person.*, Sex.Sex, MaritalStatus.MaritalStatus, MemberClassification.MemberClassification, "
                "MemberStatus.MemberStatus, ") +
                MemberContactColumns() +
                // By person id: the contact rows are then read in their indexes' order; the sort comes last.
                QStringLiteral(
                    " FROM Person NOT INDEXED LEFT JOIN Sex ON Person.SexID=Sex.ID "
                    "LEFT JOIN MaritalStatus ON Person.MaritalStatusID=MaritalStatus.ID "
                    "LEFT JOIN MemberClassification ON Person.MemberClassificationID=MemberClassification.ID "
                    "LEFT JOIN MemberStatus ON Person.MemberStatusID=MemberStatus.ID") +
                (byPlace ? FirstContactJoin(address, address, QStringLiteral("IsHomeAddress"), person)
                         : EveryContactJoin(address, address, QStringLiteral("IsHomeAddress"), person)) +
                EveryContactJoin(QStringLiteral("PersonEMailAddress"), QStringLiteral("PersonEMailAddress"),
                                 QStringLiteral("IsPersonalEMailAddress"), person) +
                EveryContactJoin(QStringLiteral("PersonPhoneNumber"), QStringLiteral("HomePhone"),
                                 QStringLiteral("IsHomePhoneNumber"), person) +
                EveryContactJoin(QStringLiteral("PersonPhoneNumber"), QStringLiteral("CellPhone"),
                                 QStringLiteral("IsCellPhoneNumber"), person) +
                QStringLiteral(" WHERE Person.IsDeleted=0") + where.Sql + QStringLiteral(" ORDER BY ") + kByPersonName +
                QStringLiteral(", Person.ID, PersonAddress.ID, PersonEMailAddress.ID, HomePhone.ID, CellPhone.ID"),
            where.Params);
        rs->DropRepeatedRows(rs->FieldIndex(QStringLiteral("ID")));
        if (rs->RecordCount() == 0 && !ReturnEOF())
            return RecordsetPtr();
        return rs;
    });
}

// One label per address row of each filtered person (of the named kind when a name is given); a person
// without any address row gets one label with empty address parts.
RecordsetPtr Manager::GetReportMemberMailingLabel(int32_t nClassification, int32_t /*nAgeClassification*/,
                                                  int32_t nMemberStatus, int32_t nSex, int32_t nMaritalStatus,
                                                  int16_t nBaptized, const QString& sCity, const QString& sState,
                                                  const QString& sZipCode, const QString& sAddressName) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportMemberMailingLabel()"), [&] {
        Conditions where =
            MemberConditions(nClassification, nMemberStatus, nSex, nMaritalStatus, nBaptized, sCity, sState, sZipCode);
        where.AddText(QStringLiteral("PersonAddress.Name"), sAddressName);
        return ExecuteSelect(
            // IsMember lets the printer narrow the labels to members or to the others.
            QStringLiteral("SELECT ") + kAddressParts + QStringLiteral(", ") + kPersonNames +
                QStringLiteral(
                    ", Person.IsMember FROM Person LEFT JOIN PersonAddress ON Person.ID=PersonAddress.PersonID "
                    "WHERE Person.IsDeleted=0") +
                where.Sql + QStringLiteral(" ORDER BY ") + kByPersonName +
                QStringLiteral(", Person.ID, PersonAddress.ID"),
            where.Params);
    });
}

// The month of a stored date is the two characters after its year ("yyyy-MM-dd HH:mm:ss").
RecordsetPtr Manager::GetReportMonthlyBirthdayList(int32_t nMonth) {
    return ReportMember(QStringLiteral("IDatabaseManager_GetReportMonthlyBirthdayList()"), [&] {
        Conditions where;
        if (nMonth > 0)
            where.Add(QStringLiteral("substr(Person.DOB, 6, 2)"),
                      QString::number(nMonth).rightJustified(2, QLatin1Char('0')));
        return ExecuteSelect(QStringLiteral("SELECT ") + kPersonNames +
                                 QStringLiteral(", Person.DOB, CAST(substr(Person.DOB, 6, 2) AS INTEGER) AS \"Month\", "
                                                "CAST(substr(Person.DOB, 9, 2) AS INTEGER) AS \"Day\" FROM Person "
                                                "WHERE Person.IsDeleted=0") +
                                 where.Sql + QStringLiteral(" ORDER BY \"Month\", \"Day\", ") + kByPersonName +
                                 QStringLiteral(", Person.ID"),
                             where.Params);
    });
}

} // namespace amb::database
