#pragma once

#include "tests/support/FailingDatabaseManager.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

#include <vector>

namespace test {

struct FakePerson {
    int32_t id;
    QString first, last, language;
    QDate dob;
    bool married = false;
    QDate married_on;
    bool isMember = true;
};

struct FakeMoney {
    int32_t id;
    QDateTime date;
    QString name; // the giver's last name or the expense name; empty: no giver
    QString type;
    qint64 cents;
};

// A congregation in memory, searched as the database manager searches.
class FakeDatabase : public FailingDatabaseManager {
public:
    FakeDatabase();

    platform::DictionaryPtr GetMemberRecordStat() override;
    platform::RecordsetPtr GetLookupGroupType(amb::EnumLookupOption en) override;
    platform::RecordsetPtr GetPersonBySearchText(const QString& sSearchText) override;
    platform::RecordsetPtr GetFamilyBySearchText(const QString& sSearchText) override;
    platform::RecordsetPtr GetGroupByGroupTypeID(int32_t n) override;
    platform::RecordsetPtr GetOfferingByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetExpenseByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetImportantDateByMonth(int16_t nMonth) override;
    platform::RecordsetPtr GetUserByID(int32_t n) override;
    int32_t DeletePerson(int32_t n) override;
    amb::EnumDatabaseFailure LastReadFailure() override {
        return groupsUnreadable || countsUnreadable ? amb::EnumDatabaseFailure::Damaged
                                                    : amb::EnumDatabaseFailure::None;
    }

    std::vector<FakePerson> persons;
    std::vector<FakeMoney> offerings;
    std::vector<FakeMoney> expenses;
    // Heads of families and groups: their deletes are refused.
    std::vector<int32_t> familyHeads, groupHeads;
    bool userIsAdmin = false;
    QString username = QStringLiteral("aDMIN user");
    // The look-up of group types holds none.
    bool noGroupTypes = false;
    // The group list, or the tree's counts, cannot be read: the file is damaged.
    bool groupsUnreadable = false;
    bool countsUnreadable = false;
    QStringList calls;
    // Called inside each person search, while the query runs.
    std::function<void()> whileSearchingPersons;
};

} // namespace test
