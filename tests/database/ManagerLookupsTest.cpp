#include "tests/support/DatabaseTest.h"

using amb::EnumLookupOption;
using platform::Dictionary;
using platform::Variant;
using test::Column;

namespace {

class LookupTest : public test::DatabaseTest {};

EnumLookupOption Option(int bits) {
    return static_cast<EnumLookupOption>(bits);
}

platform::DictionaryPtr Entry(const QString& column, int id, const QString& name, const Variant& order = 0) {
    return test::Record({{"ID", id}, {column, name}, {"OrderIndex", order}});
}

} // namespace

TEST_F(LookupTest, SentinelRowsAndOrderForEveryOption) {
    // A marked entry never shows; names sort without regard to case; sentinels sort with the names.
    ASSERT_GT(db->UpdateGroupType(Entry("GroupType", 0, "athletics")), 0);
    ASSERT_EQ(db->DeleteGroupType(3), 1); // "Committee"
    const QStringList names = {"athletics", "Bible Study", "Cell Group", "Choir", "Ministry"};

    auto rs = db->GetLookupGroupType(Option(0));
    EXPECT_EQ(Column(rs, "Name"), names);
    EXPECT_EQ(rs->FieldNames(), (QStringList{"ID", "Name"}));

    rs = db->GetLookupGroupType(Option(1));
    EXPECT_EQ(Column(rs, "Name"), QStringList{""} + names);
    EXPECT_EQ(rs->Rows().front()[0], Variant(-998));

    rs = db->GetLookupGroupType(Option(2));
    EXPECT_EQ(Column(rs, "Name"), QStringList{"<All>"} + names);
    EXPECT_EQ(rs->Rows().front()[0], Variant(-999));

    rs = db->GetLookupGroupType(Option(3));
    EXPECT_EQ(Column(rs, "ID").mid(0, 2), (QStringList{"-998", "-999"}));
    EXPECT_EQ(rs->RecordCount(), 7);

    // The contact kinds carry IsUpdatable, true on the sentinel rows; the fixed lists carry none.
    rs = db->GetLookupPhoneNumberName(Option(3));
    ASSERT_TRUE(rs->HasField("IsUpdatable"));
    EXPECT_EQ(Column(rs, "Name"), (QStringList{"", "<All>", "Cell", "Fax", "Home", "Other", "Work"}));
    EXPECT_EQ(rs->Rows()[0][2], Variant(true));
    EXPECT_EQ(rs->Rows()[2][2], Variant(false)); // Cell is built in
    rs = db->GetLookupSex(Option(1));
    EXPECT_EQ(Column(rs, "Name"), (QStringList{"", "Female", "Male"}));
    EXPECT_FALSE(rs->HasField("IsUpdatable"));
    EXPECT_EQ(test::NotNull(db->GetLookupState(Option(0))).RecordCount(), 51);

    // A table without rows has no sentinel rows either: no set, or an empty one with ReturnEOF.
    raw->Execute("DELETE FROM MemberStatus");
    EXPECT_EQ(db->GetLookupMemberStatus(Option(3)), nullptr);
    db->SetReturnEOF(true);
    rs = db->GetLookupMemberStatus(Option(3));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(TakeFailures().isEmpty());
}

TEST_F(LookupTest, SavingADeletedNameRevivesThatEntryAndRenamingRenames) {
    const QString column = "PersonTitleName";
    const int32_t id = db->UpdatePersonTitleName(Entry(column, 0, "  Pastor O'Neil  ", 4));
    ASSERT_GT(id, 8);
    auto rs = db->GetPersonTitleNameByID(id);
    EXPECT_EQ(rs->Field(column).ToString(), "Pastor O'Neil");
    EXPECT_EQ(rs->Field("OrderIndex").ToInt(), 4);
    EXPECT_EQ(rs->Field("IsDeleted"), Variant(false));

    ASSERT_EQ(db->DeletePersonTitleName(id), 1);
    EXPECT_EQ(db->GetPersonTitleNameByName("Pastor O'Neil"), nullptr);
    rs = db->GetPersonTitleNameByID(id); // reads by id see marked rows
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Field("IsDeleted"), Variant(true));
    EXPECT_FALSE(rs->Field("DateDeleted").IsNull());

    // A new entry of that name (any letter case) brings the old one back under its own id.
    const int before = Count("SELECT COUNT(*) FROM PersonTitleName");
    EXPECT_EQ(db->UpdatePersonTitleName(Entry(column, 0, "pastor o'neil")), id);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonTitleName"), before);
    rs = db->GetPersonTitleNameByName("PASTOR O'NEIL");
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Field("ID").ToInt(), id);
    EXPECT_TRUE(rs->Field("DateDeleted").IsNull());

    // Renaming an existing entry renames it, even to the name of a marked entry.
    ASSERT_EQ(db->DeletePersonTitleName(1), 1); // "Mr."
    EXPECT_EQ(db->UpdatePersonTitleName(Entry(column, id, "Mr.")), id);
    EXPECT_EQ(test::NotNull(db->GetPersonTitleNameByID(id)).Field(column).ToString(), "Mr.");
    EXPECT_EQ(test::NotNull(db->GetPersonTitleNameByID(1)).Field("IsDeleted"), Variant(true));

    // Korean names go through every path.
    const int32_t korean = db->UpdateGroupPositionName(Entry("GroupPositionName", 0, "권사"));
    ASSERT_GT(korean, 0);
    EXPECT_EQ(test::NotNull(db->GetGroupPositionNameByName("권사")).Field("ID").ToInt(), korean);
}

TEST_F(LookupTest, ProtectedKindsAndInsertOnlyColumns) {
    // Built-in kinds (IsUpdatable false) are never marked; a kind added here is, and gets IsUpdatable.
    EXPECT_EQ(db->DeleteAddressName(1), -1);
    EXPECT_EQ(db->DeletePhoneNumberName(4), -1);
    EXPECT_EQ(db->DeleteEMailAddressName(2), -1);
    EXPECT_EQ(test::NotNull(db->GetAddressNameByID(1)).Field("IsDeleted"), Variant(false));
    const int32_t id = db->UpdateAddressName(Entry("AddressName", 0, "Summer"));
    EXPECT_EQ(test::NotNull(db->GetAddressNameByID(id)).Field("IsUpdatable"), Variant(true));
    EXPECT_EQ(db->DeleteAddressName(id), 1);
    EXPECT_EQ(db->DeleteAddressName(id), 1); // marking again counts too
    EXPECT_EQ(db->DeleteAddressName(999), -1);

    // Renaming a built-in kind keeps it protected; a new marital status allows no wedding date.
    EXPECT_EQ(db->UpdateAddressName(Entry("AddressName", 1, "House")), 1);
    EXPECT_EQ(test::NotNull(db->GetAddressNameByID(1)).Field("IsUpdatable"), Variant(false));
    const int32_t status = db->UpdateMaritalStatus(Entry("MaritalStatus", 0, "Engaged"));
    EXPECT_EQ(test::NotNull(db->GetMaritalStatusByID(status)).Field("DateAllowed"), Variant(false));
    EXPECT_EQ(test::NotNull(db->GetMaritalStatusByID(2)).Field("DateAllowed"), Variant(true));

    // The fixed and the table-less lists.
    EXPECT_EQ(db->UpdateState(Entry("State", 0, "XX")), 1);
    EXPECT_EQ(db->DeleteState(1), 1);
    EXPECT_EQ(test::NotNull(db->GetStateByName("ny")).Field("State").ToString(), "NY");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM State"), 51);
    EXPECT_EQ(db->UpdateAgeClassification(Entry("AgeClassification", 0, "x")), 0);
    EXPECT_EQ(db->DeleteAgeClassification(1), 0);
    EXPECT_EQ(db->GetLookupAgeClassification(Option(3)), nullptr);
    // Each refused delete wrote its line.
    EXPECT_EQ(TakeFailedMembers(),
              (QStringList{"IDatabaseManager_DeleteAddressName()", "IDatabaseManager_DeletePhoneNumberName()",
                           "IDatabaseManager_DeleteEMailAddressName()", "IDatabaseManager_DeleteAddressName()"}));
}

TEST_F(LookupTest, BadEntriesFailCleanly) {
    const QString column = "OfferingTypeName";
    const int before = Count("SELECT COUNT(*) FROM OfferingTypeName");
    auto noId = std::make_shared<Dictionary>();
    noId->SetItem(column, "Gift");
    EXPECT_EQ(db->UpdateOfferingTypeName(noId), -1);
    EXPECT_EQ(db->UpdateOfferingTypeName(nullptr), -1);
    EXPECT_EQ(db->UpdateOfferingTypeName(Entry(column, 0, QString(10000, QChar(u'x')))), -1);
    EXPECT_EQ(db->UpdateOfferingTypeName(Entry(column, 0, "Gift\nLine")), -1);
    EXPECT_EQ(db->UpdateOfferingTypeName(Entry(column, 0, "   ")), -1);
    EXPECT_EQ(db->UpdateOfferingTypeName(Entry(column, 0, "Gift", "99999999999")), -1);
    auto textId = Entry(column, 0, "Gift");
    textId->SetItem("ID", "1 OR 1=1");
    EXPECT_EQ(db->UpdateOfferingTypeName(textId), -1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM OfferingTypeName"), before);
    const QStringList failures = TakeFailures();
    EXPECT_EQ(failures.size(), 7);
    for (const QString& line : failures)
        EXPECT_TRUE(line.startsWith("!!!") &&
                    line.contains("AmbDatabase.Manager.IDatabaseManager_UpdateOfferingTypeName()"))
            << line.toStdString();
    // The next call works.
    EXPECT_GT(db->UpdateOfferingTypeName(Entry(column, 0, "Gift")), 0);
}

namespace {

// A row that names a look-up entry by id, and how it is saved.
struct LookupIdCase {
    const char* table;
    const char* column;
    const char* list;
    bool listMarksDeleted; // the list has IsDeleted
    platform::DictionaryPtr (*row)();
    int32_t (amb::IDatabaseManager::*save)(const platform::DictionaryPtr&);
};

const LookupIdCase kLookupIds[] = {
    {.table = "Person",
     .column = "SexID",
     .list = "Sex",
     .listMarksDeleted = false,
     .row =
         [] {
             return test::Record({{"ID", 0}, {"LastName", "Kim"}});
         },
     .save = &amb::IDatabaseManager::UpdatePerson},
    {.table = "Person",
     .column = "MaritalStatusID",
     .list = "MaritalStatus",
     .listMarksDeleted = true,
     .row =
         [] {
             return test::Record({{"ID", 0}, {"LastName", "Kim"}});
         },
     .save = &amb::IDatabaseManager::UpdatePerson},
    {.table = "Person",
     .column = "MemberStatusID",
     .list = "MemberStatus",
     .listMarksDeleted = true,
     .row =
         [] {
             return test::Record({{"ID", 0}, {"LastName", "Kim"}});
         },
     .save = &amb::IDatabaseManager::UpdatePerson},
    {.table = "Person",
     .column = "MemberClassificationID",
     .list = "MemberClassification",
     .listMarksDeleted = true,
     .row =
         [] {
             return test::Record({{"ID", 0}, {"LastName", "Kim"}});
         },
     .save = &amb::IDatabaseManager::UpdatePerson},
    {.table = "Group",
     .column = "GroupTypeID",
     .list = "GroupType",
     .listMarksDeleted = true,
     .row =
         [] {
             return test::Record({{"ID", 0}, {"Name", "Choir"}});
         },
     .save = &amb::IDatabaseManager::UpdateGroup},
    {.table = "PersonOffering",
     .column = "OfferingTypeID",
     .list = "OfferingTypeName",
     .listMarksDeleted = true,
     .row =
         [] {
             return test::Record({{"ID", 0}, {"PersonID", 0}, {"OfferingDate", "3/5/2024"}, {"Amount", "5.00"}});
         },
     .save = &amb::IDatabaseManager::UpdatePersonOffering},
    {.table = "Expense",
     .column = "ExpenseTypeID",
     .list = "ExpenseTypeName",
     .listMarksDeleted = true,
     .row =
         [] {
             return test::Record({{"ID", 0}, {"ExpenseName", "Paper"}, {"ExpenseDate", "3/5/2024"}, {"Amount", "5"}});
         },
     .save = &amb::IDatabaseManager::UpdateExpense},
};

} // namespace

// An id that names no entry of its list is refused with its log line and changes nothing; what a
// window may send for "none", an entry marked deleted and the value the row holds are kept.
TEST_F(LookupTest, ALookUpIdMustNameAnEntryOfItsList) {
    for (const LookupIdCase& c : kLookupIds) {
        SCOPED_TRACE(c.column);
        const QString table = QStringLiteral("\"%1\"").arg(QLatin1String(c.table));
        const QString list = QLatin1String(c.list);
        const auto save = [&](const Variant& value, int32_t id = 0) {
            auto row = c.row();
            row->SetItem("ID", id);
            row->SetItem(c.column, value);
            return (db.get()->*c.save)(row);
        };
        const auto rows = [&] { return Count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)); };
        const int before = rows();
        for (const Variant& unknown : {Variant(99), Variant(-1), Variant("99")}) {
            EXPECT_EQ(save(unknown), -1) << unknown.ToString().toStdString();
            const QStringList lines = TakeFailures();
            ASSERT_EQ(lines.size(), 1);
            EXPECT_TRUE(lines[0].contains(c.column)) << lines[0].toStdString();
        }
        EXPECT_EQ(rows(), before);

        const int32_t entry = Count(QStringLiteral("SELECT MIN(ID) FROM \"%1\"").arg(list));
        std::vector<Variant> accepted = {Variant(0), Variant::Null(), Variant(""), Variant(-998), Variant(entry)};
        if (c.listMarksDeleted) {
            raw->Execute(QStringLiteral("UPDATE \"%1\" SET IsDeleted=1 WHERE ID=?").arg(list), {entry + 1});
            accepted.push_back(Variant(entry + 1));
        }
        int32_t saved = 0;
        for (const Variant& value : accepted) {
            saved = save(value);
            EXPECT_GT(saved, 0) << value.ToString().toStdString();
        }
        EXPECT_TRUE(TakeFailures().isEmpty());

        // A value the row holds already (its entry removed from the list since) saves again; another does not.
        raw->Execute(QStringLiteral("UPDATE %1 SET %2=77 WHERE ID=?").arg(table, QLatin1String(c.column)), {saved});
        EXPECT_EQ(save(77, saved), saved);
        EXPECT_EQ(save(78, saved), -1);
        EXPECT_EQ(TakeFailures().size(), 1);
        EXPECT_EQ(Count(QStringLiteral("SELECT %1 FROM %2 WHERE ID=?").arg(QLatin1String(c.column), table), {saved}),
                  77);
    }
}

TEST_F(LookupTest, AMembershipOfNobodyIsRefusedWithItsLogLine) {
    const int32_t family = db->UpdateFamily(test::Record({{"ID", 0}, {"Name", "Kim Family"}}));
    ASSERT_GT(family, 0);
    for (const Variant& person : {Variant("abc"), Variant(0), Variant::Null()}) {
        EXPECT_EQ(db->UpdatePersonToFamily(test::Record({{"ID", 0}, {"PersonID", person}, {"FamilyID", family}})), -1);
        EXPECT_EQ(TakeFailures().size(), 1) << person.ToString().toStdString();
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonToFamily"), 0);
}
