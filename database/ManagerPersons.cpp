#include "database/ManagerSupport.h"

#include "common/StandardModule.h"

namespace amb::database {

using platform::RecordsetPtr;
using platform::Variant;

namespace {

// The person's columns that a save copies from the record dictionary.
const QStringList& PersonFields() {
    static const QStringList fields = {QStringLiteral("LanguageName"),
                                       QStringLiteral("FirstName"),
                                       QStringLiteral("MiddleName"),
                                       QStringLiteral("LastName"),
                                       QStringLiteral("Title"),
                                       QStringLiteral("Suffix"),
                                       QStringLiteral("DOB"),
                                       QStringLiteral("SexID"),
                                       QStringLiteral("MaritalStatusID"),
                                       QStringLiteral("MemberStatusID"),
                                       QStringLiteral("DateMarried"),
                                       QStringLiteral("Occupation"),
                                       QStringLiteral("IsBaptized"),
                                       QStringLiteral("DateBaptized"),
                                       QStringLiteral("MemberClassificationID"),
                                       QStringLiteral("IsMember"),
                                       QStringLiteral("DateJoined"),
                                       QStringLiteral("Note")};
    return fields;
}

// "1" and the id with at least five digits: 42 gives "100042", 123456 gives "1123456".
QString EnvelopCodeOf(int32_t id) {
    return QLatin1Char('1') + QString::number(id).rightJustified(5, QLatin1Char('0'));
}

QString MonthText(int month) {
    return QString::number(month).rightJustified(2, QLatin1Char('0'));
}

} // namespace

RecordsetPtr Manager::GetPersonByID(int32_t n) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonByID()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT (Person.LastName || ', ' || Person.FirstName) AS FullName, Person.*, Sex.Sex, "
                           "MaritalStatus.MaritalStatus, MemberClassification.MemberClassification, "
                           "MemberStatus.MemberStatus "
                           "FROM Person LEFT JOIN Sex ON Person.SexID=Sex.ID "
                           "LEFT JOIN MaritalStatus ON Person.MaritalStatusID=MaritalStatus.ID "
                           "LEFT JOIN MemberClassification ON Person.MemberClassificationID=MemberClassification.ID "
                           "LEFT JOIN MemberStatus ON Person.MemberStatusID=MemberStatus.ID "
                           "WHERE Person.ID=?"),
            {n});
    });
}

// Each person once, with the first home address, personal e-mail and home phone row; a person who
// lacks one of them is still found, with empty values. Plain outer joins over the covering contact
// indexes are the cheapest way to those rows; ordered by the contact rows' ids, a person's first
// combination is the one with its first row of each kind, and the others are dropped.
RecordsetPtr Manager::GetPersonBySearchText(const QString& sSearchText) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetPersonBySearchText()"), [&]() -> RecordsetPtr {
        WriteTraceLine(kObjectName, QStringLiteral("ExecuteSelect()"), QString(), 0);
        static const QString select = QStringLiteral(
            "SELECT Person.*, Sex.Sex, PersonAddress.AddressPart1, PersonAddress.AddressPart2, "
            "PersonAddress.AddressPart3, PersonAddress.AddressPart4, PersonAddress.AddressPart5, "
            "PersonEMailAddress.EMailAddress, PersonPhoneNumber.PhoneNumber "
            "FROM Person LEFT JOIN Sex ON Sex.ID=Person.SexID "
            "LEFT JOIN PersonAddress ON PersonAddress.PersonID=Person.ID AND PersonAddress.IsHomeAddress=1 "
            "LEFT JOIN PersonEMailAddress ON PersonEMailAddress.PersonID=Person.ID "
            "AND PersonEMailAddress.IsPersonalEMailAddress=1 "
            "LEFT JOIN PersonPhoneNumber ON PersonPhoneNumber.PersonID=Person.ID "
            "AND PersonPhoneNumber.IsHomePhoneNumber=1 ");
        static const QString order =
            QStringLiteral(" AND +Person.IsDeleted=0 "
                           "ORDER BY Person.ID, PersonAddress.ID, PersonEMailAddress.ID, PersonPhoneNumber.ID");
        // The empty text lists everyone with a name that "begins with" it, which is any name at all: a
        // plain pass over the persons, where the name indexes would only add work.
        auto rs =
            sSearchText.isEmpty()
                ? QueryAll(select +
                           QStringLiteral("WHERE (Person.LastName IS NOT NULL OR Person.LanguageName IS NOT NULL)") +
                           order)
                : QueryAll(select +
                               QStringLiteral("WHERE Person.ID IN (SELECT ID FROM Person WHERE LastName LIKE ?1 "
                                              "ESCAPE '\\' UNION SELECT ID FROM Person WHERE LanguageName LIKE "
                                              "?1 ESCAPE '\\')") +
                               order,
                           {BeginsWithPattern(sSearchText)});
        rs->DropRepeatedRows(rs->FieldIndex(QStringLiteral("ID")));
        if (rs->RecordCount() == 0 && !ReturnEOF())
            return nullptr;
        return rs;
    });
}

RecordsetPtr Manager::GetImportantDateByMonth(int16_t nMonth) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetImportantDateByMonth()"), [&] {
        return ExecuteSelect(
            QStringLiteral("SELECT ID, LanguageName, Title, FirstName, MiddleName, LastName, Suffix, DOB AS \"Date\", "
                           "'Birthday' AS Reason, CAST(substr(DOB, 9, 2) AS INTEGER) AS \"Day\" "
                           "FROM Person WHERE substr(DOB, 6, 2)=?1 "
                           "UNION SELECT ID, LanguageName, Title, FirstName, MiddleName, LastName, Suffix, "
                           "DateMarried AS \"Date\", 'Anniversary' AS Reason, "
                           "CAST(substr(DateMarried, 9, 2) AS INTEGER) AS \"Day\" "
                           "FROM Person WHERE MaritalStatusID=2 AND substr(DateMarried, 6, 2)=?1 "
                           "ORDER BY \"Day\", ID"),
            {MonthText(nMonth)}, {{QStringLiteral("Date"), platform::SqlColumnType::DateTime}});
    });
}

RecordsetPtr Manager::GetMailingAddress(const QString& sAddressName) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetMailingAddress()"), [&] {
        QString sql = QStringLiteral(
            "SELECT PersonAddress.*, Person.LanguageName, Person.Title, Person.FirstName, Person.MiddleName, "
            "Person.LastName, Person.Suffix "
            "FROM PersonAddress LEFT JOIN Person ON PersonAddress.PersonID=Person.ID "
            "WHERE Person.IsDeleted=0 AND PersonAddress.IsHomeAddress=1 ");
        platform::SqlParams params;
        if (!sAddressName.isEmpty()) {
            sql += QStringLiteral("AND PersonAddress.Name LIKE ? ESCAPE '\\' ");
            params.emplace_back(BeginsWithPattern(sAddressName));
        }
        sql += QStringLiteral("ORDER BY Person.LanguageName, Person.LastName, Person.FirstName, Person.MiddleName");
        return ExecuteSelect(sql, params);
    });
}

platform::DictionaryPtr Manager::GetMemberRecordStat() {
    return ReadMember<platform::DictionaryPtr>(QStringLiteral("IDatabaseManager_GetMemberRecordStat()"), [&] {
        // The family and group counts are the heads of families and groups, as the record tree shows
        // them.
        const auto rs = QueryAll(
            QStringLiteral("SELECT (SELECT COUNT(*) FROM Person WHERE IsDeleted=0) AS TotalMemberRecordCount, "
                           "(SELECT COUNT(*) FROM PersonToFamily WHERE IsHeadOfFamily=1) AS TotalFamilyRecordCount, "
                           "(SELECT COUNT(*) FROM PersonToGroup WHERE IsHeadOfGroup=1) AS TotalGroupRecordCount"));
        auto dict = std::make_shared<platform::Dictionary>();
        for (const QString& key : rs->FieldNames())
            dict->SetItem(key, Variant(AsLong(rs->Field(key))));
        return dict;
    });
}

int32_t Manager::UpdatePerson(const platform::DictionaryPtr& dict) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdatePerson()"), [&] {
        const platform::Dictionary& record = RecordOf(dict);
        auto& db = Connection();
        // The person, its envelope code and its built-in contact rows are stored together or not at all.
        platform::SqliteTransaction transaction(db);
        const bool exists = RowExists(QStringLiteral("Person"), RecordId(record));
        RowSave save;
        save.Table = QStringLiteral("Person");
        save.InsertOnly = {{QStringLiteral("DateEntered"), Variant(platform::Now())},
                           {QStringLiteral("DateDeleted"), Variant::Null()},
                           {QStringLiteral("IsDeleted"), Variant(false)}};
        if (exists)
            save.Always.push_back({QStringLiteral("DateUpdated"), Variant(platform::Now())});
        save.Fields = PersonFields();
        const int32_t id = SaveRow(save, record);
        if (exists)
            SaveMemberRole(id, record);
        if (!exists) {
            WriteTraceLine(kObjectName, QStringLiteral("IDatabaseManager_SetEnvelopCode()"), QString(), 0);
            RunStatement(QStringLiteral("UPDATE Person SET EnvelopCode=? WHERE ID=? AND EnvelopCode IS NULL"),
                         {EnvelopCodeOf(id), id});
            CreateBuiltInContactRows(id);
        }
        transaction.Commit();
        return id;
    });
}

int32_t Manager::SetEnvelopCode(int32_t nPerson) {
    return ActionMember(QStringLiteral("IDatabaseManager_SetEnvelopCode()"), [&] {
        return ExecuteUpdate(QStringLiteral("UPDATE Person SET EnvelopCode=? WHERE ID=? AND EnvelopCode IS NULL"),
                             {EnvelopCodeOf(nPerson), nPerson});
    });
}

int32_t Manager::DeletePerson(int32_t n) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeletePerson()"), [&] {
        if (QueryAll(QStringLiteral("SELECT 1 FROM PersonToFamily WHERE IsHeadOfFamily=1 AND PersonID=? LIMIT 1"), {n})
                ->RecordCount() > 0)
            return -2;
        if (QueryAll(QStringLiteral("SELECT 1 FROM PersonToGroup WHERE IsHeadOfGroup=1 AND PersonID=? LIMIT 1"), {n})
                ->RecordCount() > 0)
            return -3;
        return ExecuteUpdate(QStringLiteral("UPDATE Person SET IsDeleted=1, DateDeleted=? WHERE ID=?"),
                             {Variant(platform::Now()), n});
    });
}

} // namespace amb::database
