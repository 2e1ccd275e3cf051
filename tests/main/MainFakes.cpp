#include "tests/main/MainFakes.h"

#include "platform/data/Currency.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"

#include <algorithm>

namespace test {

namespace {

using platform::Variant;

platform::RecordsetPtr SetOrNothing(QStringList columns, std::vector<platform::Recordset::Row> rows) {
    if (rows.empty())
        return nullptr;
    return std::make_shared<platform::Recordset>(std::move(columns), std::move(rows));
}

Variant DateOrNull(const QDate& date) {
    return date.isValid() ? Variant(platform::Naive(date)) : Variant::Null();
}

} // namespace

FakeDatabase::FakeDatabase() {
    const QDate today = platform::Now().date();
    const auto day = [&](int d) { return QDate(1970, today.month(), d); };
    persons = {{1, "Young", "Kim", "김영", day(20), false, {}, true},
               {2, "Sarah", "kim", "김사라", day(3), true, QDate(1995, today.month(), 11), true},
               {3, "John", "Lee", "이요한", QDate(1980, 1 + today.month() % 12, 5), false, {}, false},
               {4, "Mary", "Smith", "스미스", QDate(), false, {}, true},
               {5, QString(), QString(), "김철수", day(9), false, {}, true}};
    familyHeads = {1};
    groupHeads = {3};
    offerings = {{11, platform::MakeDateTime(today.year(), today.month(), 2), "Kim", "Tithe", 1000},
                 {12, platform::MakeDateTime(today.year(), today.month(), 9), QString(), "Mission", 900},
                 {13, platform::MakeDateTime(today.year(), today.month(), 5), "Lee", "Tithe", 10000}};
    expenses = {{21, platform::MakeDateTime(today.year(), today.month(), 1), "Rent", "Building", 120000}};
}

platform::DictionaryPtr FakeDatabase::GetMemberRecordStat() {
    calls << "GetMemberRecordStat";
    if (countsUnreadable)
        return nullptr;
    return std::make_shared<platform::Dictionary>(std::initializer_list<std::pair<QString, Variant>>{
        {"TotalMemberRecordCount", static_cast<int32_t>(persons.size())},
        {"TotalFamilyRecordCount", 3},
        {"TotalGroupRecordCount", 2}});
}

platform::RecordsetPtr FakeDatabase::GetLookupGroupType(amb::EnumLookupOption) {
    if (noGroupTypes)
        return SetOrNothing({"ID", "Name"}, {});
    return SetOrNothing({"ID", "Name"}, {{-999, "<All>"}, {1, "Music"}, {2, "Study"}});
}

platform::RecordsetPtr FakeDatabase::GetPersonBySearchText(const QString& sSearchText) {
    calls << QStringLiteral("GetPersonBySearchText(%1)").arg(sSearchText);
    if (whileSearchingPersons)
        whileSearchingPersons();
    std::vector<platform::Recordset::Row> rows;
    for (const FakePerson& p : persons) {
        if (!p.last.startsWith(sSearchText, Qt::CaseInsensitive) &&
            !p.language.startsWith(sSearchText, Qt::CaseInsensitive))
            continue;
        rows.push_back({p.id, p.first, QString(), p.last, QString(), QString(), p.language, "M", DateOrNull(p.dob),
                        "1 Main St", QString(), "Springfield", "IL", QString(), "555-0100", "a@b.org",
                        p.id == 3 ? Variant::Null() : Variant(p.isMember)});
    }
    return SetOrNothing({"ID", "FirstName", "MiddleName", "LastName", "Title", "Suffix", "LanguageName", "Sex", "DOB",
                         "AddressPart1", "AddressPart2", "AddressPart3", "AddressPart4", "AddressPart5", "PhoneNumber",
                         "EMailAddress", "IsMember"},
                        std::move(rows));
}

platform::RecordsetPtr FakeDatabase::GetFamilyBySearchText(const QString& sSearchText) {
    calls << QStringLiteral("GetFamilyBySearchText(%1)").arg(sSearchText);
    const std::vector<platform::Recordset::Row> all = {
        {31, "Kim Family", "Young", QString(), "Kim", QString(), QString(), "김영"},
        {32, "Lee Family", "John", QString(), "Lee", QString(), QString(), "이요한"}};
    std::vector<platform::Recordset::Row> rows;
    std::copy_if(all.begin(), all.end(), std::back_inserter(rows),
                 [&](const auto& row) { return row[1].ToString().startsWith(sSearchText, Qt::CaseInsensitive); });
    return SetOrNothing({"ID", "Name", "FirstName", "MiddleName", "LastName", "Title", "Suffix", "LanguageName"},
                        std::move(rows));
}

platform::RecordsetPtr FakeDatabase::GetGroupByGroupTypeID(int32_t n) {
    calls << QStringLiteral("GetGroupByGroupTypeID(%1)").arg(n);
    if (groupsUnreadable)
        return nullptr;
    std::vector<platform::Recordset::Row> rows;
    if (n < 1 || n == 1)
        rows.push_back({41, "Choir", "Music", "Sarah", QString(), "kim", QString(), QString(), "김사라"});
    if (n < 1 || n == 2)
        rows.push_back({42, "Bible Study", "Study", "John", QString(), "Lee", QString(), QString(), "이요한"});
    return SetOrNothing(
        {"ID", "Name", "GroupType", "FirstName", "MiddleName", "LastName", "Title", "Suffix", "LanguageName"},
        std::move(rows));
}

platform::RecordsetPtr FakeDatabase::GetOfferingByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) {
    calls << "GetOfferingByDateRange";
    std::vector<platform::Recordset::Row> rows;
    for (const FakeMoney& m : offerings) {
        if (m.date < dtStart || m.date > dtEnd)
            continue;
        rows.push_back({m.id, m.date, m.name.isEmpty() ? Variant::Null() : Variant("Giver"), QString(),
                        m.name.isEmpty() ? Variant::Null() : Variant(m.name), QString(), QString(), m.type,
                        platform::Currency::FromTicks(m.cents * 100)});
    }
    return SetOrNothing({"ID", "OfferingDate", "FirstName", "MiddleName", "LastName", "Suffix", "LanguageName",
                         "OfferingTypeName", "Amount"},
                        std::move(rows));
}

platform::RecordsetPtr FakeDatabase::GetExpenseByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) {
    calls << "GetExpenseByDateRange";
    std::vector<platform::Recordset::Row> rows;
    for (const FakeMoney& m : expenses) {
        if (m.date >= dtStart && m.date <= dtEnd)
            rows.push_back({m.id, m.date, m.name, m.type, platform::Currency::FromTicks(m.cents * 100)});
    }
    return SetOrNothing({"ID", "ExpenseDate", "ExpenseName", "ExpenseTypeName", "Amount"}, std::move(rows));
}

platform::RecordsetPtr FakeDatabase::GetImportantDateByMonth(int16_t nMonth) {
    calls << QStringLiteral("GetImportantDateByMonth(%1)").arg(nMonth);
    struct Entry {
        int day;
        platform::Recordset::Row row;
    };
    std::vector<Entry> entries;
    for (const FakePerson& p : persons) {
        auto row = [&](const QDate& date, const char* reason) {
            return platform::Recordset::Row{p.id,
                                            p.language,
                                            QString(),
                                            p.first,
                                            QString(),
                                            p.last,
                                            QString(),
                                            platform::Naive(date),
                                            QString::fromLatin1(reason),
                                            date.day()};
        };
        if (p.dob.isValid() && p.dob.month() == nMonth)
            entries.push_back({p.dob.day(), row(p.dob, "Birthday")});
        if (p.married && p.married_on.month() == nMonth)
            entries.push_back({p.married_on.day(), row(p.married_on, "Anniversary")});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.day < b.day; });
    std::vector<platform::Recordset::Row> rows;
    for (auto& entry : entries)
        rows.push_back(std::move(entry.row));
    return SetOrNothing(
        {"ID", "LanguageName", "Title", "FirstName", "MiddleName", "LastName", "Suffix", "Date", "Reason", "Day"},
        std::move(rows));
}

platform::RecordsetPtr FakeDatabase::GetUserByID(int32_t n) {
    calls << QStringLiteral("GetUserByID(%1)").arg(n);
    if (n != 7)
        return nullptr;
    return SetOrNothing({"ID", "Username", "Name", "IsAdmin"}, {{7, username, "Office Admin", userIsAdmin}});
}

int32_t FakeDatabase::DeletePerson(int32_t n) {
    calls << QStringLiteral("DeletePerson(%1)").arg(n);
    if (std::find(familyHeads.begin(), familyHeads.end(), n) != familyHeads.end())
        return -2;
    if (std::find(groupHeads.begin(), groupHeads.end(), n) != groupHeads.end())
        return -3;
    const auto removed = std::erase_if(persons, [&](const FakePerson& p) { return p.id == n; });
    return removed > 0 ? 1 : -1;
}

} // namespace test
