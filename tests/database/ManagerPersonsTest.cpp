#include "tests/support/DatabaseTest.h"

#include <QFileInfo>

using platform::Dictionary;
using platform::Variant;
using test::Column;
using test::Ids;
using test::Record;

namespace {

class PersonTest : public test::DatabaseTest {};

} // namespace

TEST_F(PersonTest, NewPersonGetsEnvelopCodeAndBuiltInRowsTogether) {
    auto dict = Person("O'Neil", "Mary");
    dict->SetItem("DOB", "3/5/1925");
    dict->SetItem("IsBaptized", "True");
    dict->SetItem("SexID", "2");
    const int32_t id = db->UpdatePerson(dict);
    ASSERT_GT(id, 0);

    auto rs = db->GetPersonByID(id);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Field("EnvelopCode").ToString(), "1" + QString::number(id).rightJustified(5, QLatin1Char('0')));
    EXPECT_EQ(rs->Field("FullName").ToString(), "O'Neil, Mary");
    EXPECT_EQ(rs->Field("Sex").ToString(), "Female");
    EXPECT_EQ(rs->Field("DOB").ToDateTime(), platform::MakeDateTime(1925, 3, 5));
    EXPECT_EQ(rs->Field("IsBaptized"), Variant(true));
    EXPECT_TRUE(rs->Field("DateUpdated").IsNull());
    EXPECT_TRUE(rs->Field("MiddleName").IsNull()); // missing from the record

    // One row of each built-in kind, named by its kind, with exactly its own flag.
    auto addresses = db->GetAddressByPersonID(id);
    EXPECT_EQ(Column(addresses, "Name"), (QStringList{"Home", "Work"}));
    EXPECT_EQ(Column(addresses, "IsWorkAddress"), (QStringList{"False", "True"}));
    auto phones = db->GetPhoneNumberByPersonID(id);
    EXPECT_EQ(Column(phones, "Name"), (QStringList{"Cell", "Fax", "Home", "Work"}));
    EXPECT_EQ(Column(phones, "IsCellPhoneNumber"), (QStringList{"True", "False", "False", "False"}));
    EXPECT_EQ(Column(db->GetEMailAddressByPersonID(id), "Name"), (QStringList{"Personal", "Work"}));
    EXPECT_EQ(test::NotNull(db->GetPersonAddressByName(id, "work")).RecordCount(), 1);

    // A later save updates the same person, stamps DateUpdated and blanks what the record leaves out.
    dict->SetItem("ID", id);
    dict->Remove("DOB");
    dict->SetItem("FirstName", "  Maria ");
    EXPECT_EQ(db->UpdatePerson(dict), id);
    rs = db->GetPersonByID(id);
    EXPECT_EQ(rs->Field("FirstName").ToString(), "Maria");
    EXPECT_TRUE(rs->Field("DOB").IsNull());
    EXPECT_FALSE(rs->Field("DateUpdated").IsNull());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM PersonAddress WHERE PersonID=?", {id}), 2);

    // An id that no row has inserts a new person under a new id; the no-date value is stored as Null.
    dict->SetItem("ID", 5000);
    dict->SetItem("DateMarried", Variant(amb::NoDate()));
    dict->SetItem("DateJoined", "1/1/1900");
    const int32_t other = db->UpdatePerson(dict);
    EXPECT_GT(other, id);
    EXPECT_NE(other, 5000);
    EXPECT_TRUE(test::NotNull(db->GetPersonByID(other)).Field("DateMarried").IsNull());
    EXPECT_TRUE(test::NotNull(db->GetPersonByID(other)).Field("DateJoined").IsNull());
    EXPECT_EQ(db->SetEnvelopCode(other), -1); // it has one already
    EXPECT_EQ(TakeFailedMembers(), QStringList{"IDatabaseManager_SetEnvelopCode()"});
}

TEST_F(PersonTest, AFailingPartOfANewPersonLeavesNothing) {
    const auto persons = [&] { return Count("SELECT COUNT(*) FROM Person"); };
    const auto contacts = [&] {
        return Count(
            QStringLiteral("SELECT (SELECT COUNT(*) FROM PersonAddress) + (SELECT COUNT(*) FROM PersonPhoneNumber)"
                           " + (SELECT COUNT(*) FROM PersonEMailAddress)"));
    };
    // The last built-in row cannot be written.
    raw->ExecuteScript(QStringLiteral("CREATE TRIGGER NoWorkMail BEFORE INSERT ON PersonEMailAddress "
                                      "WHEN NEW.IsWorkEMailAddress=1 BEGIN SELECT RAISE(ABORT, 'forced'); END;"));
    EXPECT_EQ(NewPerson("Lee"), -1);
    EXPECT_EQ(persons(), 0);
    EXPECT_EQ(contacts(), 0);
    raw->ExecuteScript("DROP TRIGGER NoWorkMail");

    // A kind that names a built-in row is missing.
    raw->Execute("DELETE FROM PhoneNumberName WHERE ID=4");
    EXPECT_EQ(NewPerson("Lee"), -1);
    EXPECT_EQ(persons(), 0);
    EXPECT_EQ(contacts(), 0);
    raw->Execute("INSERT INTO PhoneNumberName (ID, PhoneNumberName, IsUpdatable) VALUES (4, 'Fax', 0)");

    // Values that do not convert, texts too long or with control characters, and ids that are no numbers.
    const std::pair<const char*, Variant> bad[] = {{"DOB", "31/31/2004"},
                                                   {"DOB", "3/5/04"},
                                                   {"SexID", "male"},
                                                   {"IsMember", "maybe"},
                                                   {"LastName", QString(10000, QChar(u'k'))},
                                                   {"FirstName", "a\x07"},
                                                   {"ID", "abc"},
                                                   {"ID", 2.5},
                                                   {"ID", Variant::Null()}};
    for (const auto& [key, value] : bad) {
        auto dict = Person("Kim");
        dict->SetItem(key, value);
        EXPECT_EQ(db->UpdatePerson(dict), -1) << key << " " << value.ToString().left(20).toStdString();
    }
    auto noId = Person("Kim");
    noId->Remove("ID");
    EXPECT_EQ(db->UpdatePerson(noId), -1);
    EXPECT_EQ(persons(), 0);
    EXPECT_EQ(contacts(), 0);
    const QStringList failures = TakeFailures();
    EXPECT_EQ(failures.size(), 12);
    EXPECT_TRUE(failures.first().contains("forced (INSERT INTO PersonEMailAddress"))
        << failures.first().toStdString(); // the failing statement, never a value: values are bound

    // The next call works.
    EXPECT_GT(NewPerson("Kim"), 0);
    EXPECT_EQ(contacts(), 8);
}

TEST_F(PersonTest, SearchesByNameStartFindEachPersonOnce) {
    const int32_t oneil = NewPerson("O'Neil");
    const int32_t percent = NewPerson("100% Smith");
    const int32_t underscore = NewPerson("A_B");
    NewPerson("AxB");
    NewPerson("1000 Smith");
    const int32_t kim = NewPerson("Kim", "Minsu", "김민수");
    const int32_t kimLower = NewPerson("kimball");
    const int32_t gone = NewPerson("Kimberly");
    ASSERT_EQ(db->DeletePerson(gone), 1);

    const auto ids = [&](const QString& text) {
        QStringList found = Column(db->GetPersonBySearchText(text), "ID");
        found.sort();
        return found;
    };
    const auto list = [](std::initializer_list<int32_t> values) {
        QStringList l = test::Ids(values);
        l.sort();
        return l;
    };
    EXPECT_EQ(ids("o'n"), list({oneil}));
    EXPECT_EQ(ids("100%"), list({percent}));
    EXPECT_EQ(ids("A_"), list({underscore}));
    EXPECT_EQ(ids("KIM"), list({kim, kimLower}));
    EXPECT_EQ(ids("김"), list({kim}));
    EXPECT_EQ(ids("x' OR '1'='1"), QStringList());
    EXPECT_EQ(ids(QString()).size(), 7);

    // Two home addresses still give one row; a person without contact rows is still found.
    raw->Execute(
        QStringLiteral(
            "INSERT INTO PersonAddress (PersonID, Name, AddressPart1, IsHomeAddress) VALUES (?, 'Home', 'Second', 1)"),
        {kim});
    raw->Execute("DELETE FROM PersonPhoneNumber WHERE PersonID=?", {oneil});
    EXPECT_EQ(ids("kim"), list({kim, kimLower}));
    // The listed home address is the person's first row, whatever the texts of the others.
    raw->Execute("UPDATE PersonAddress SET AddressPart1='Zulu' WHERE PersonID=? AND AddressPart1 IS NULL "
                 "AND IsHomeAddress=1",
                 {kim});
    for (const QString& text : {QString("Kim"), QString()}) {
        const auto found = db->GetPersonBySearchText(text);
        const int at = Column(found, "ID").indexOf(QString::number(kim));
        ASSERT_GE(at, 0);
        EXPECT_EQ(Column(found, "AddressPart1")[at], "Zulu") << text.toStdString();
    }
    auto rs = db->GetPersonBySearchText("O'");
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->Field("PhoneNumber").IsNull());
    EXPECT_EQ(rs->Field("Sex"), Variant::Null());

    // Nothing matches: no set, or an empty one with ReturnEOF.
    EXPECT_EQ(db->GetPersonBySearchText("Zz"), nullptr);
    db->SetReturnEOF(true);
    rs = db->GetPersonBySearchText("Zz");
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_TRUE(rs->HasField("EMailAddress"));
}

TEST_F(PersonTest, MonthListHasBirthdaysAndAnniversariesOfAnyYear) {
    const auto born = [&](const QString& name, const Variant& dob, const Variant& married, int status) {
        auto dict = Person(name);
        dict->SetItem("DOB", dob);
        dict->SetItem("DateMarried", married);
        dict->SetItem("MaritalStatusID", status);
        return db->UpdatePerson(dict);
    };
    const int32_t old = born("Old", "1925-03-20", Variant::Null(), 1);
    const int32_t future = born("Future", "3/2/2031", Variant::Null(), 1);
    const int32_t couple = born("Couple", "3/9/1960", "3/9/1985", 2);
    born("Divorced", "7/1/1970", "3/15/1990", 3);
    born("NoDates", Variant::Null(), Variant::Null(), 2);
    const int32_t deleted = born("Deleted", "3/31/1999", Variant::Null(), 1);
    ASSERT_EQ(db->DeletePerson(deleted), 1);

    auto rs = db->GetImportantDateByMonth(3);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(Column(rs, "Day"), (QStringList{"2", "9", "9", "20", "31"}));
    EXPECT_EQ(Column(rs, "ID"), Ids({future, couple, couple, old, deleted}));
    QStringList reasons = Column(rs, "Reason").mid(1, 2);
    reasons.sort();
    EXPECT_EQ(reasons, (QStringList{"Anniversary", "Birthday"}));
    rs->MoveFirst();
    EXPECT_EQ(rs->Field("Date"), Variant(platform::MakeDateTime(2031, 3, 2)));
    EXPECT_EQ(rs->Field("Day"), Variant(2));
    EXPECT_EQ(test::NotNull(db->GetImportantDateByMonth(7)).RecordCount(), 1);
    EXPECT_EQ(db->GetImportantDateByMonth(2), nullptr);
    EXPECT_EQ(db->GetImportantDateByMonth(13), nullptr);
}

TEST_F(PersonTest, DeletesRefuseHeadsAndBuiltInRows) {
    const int32_t head = NewPerson("Head");
    const int32_t leader = NewPerson("Leader");
    const int32_t member = NewPerson("Member");
    raw->Execute("INSERT INTO PersonToFamily (PersonID, FamilyID, IsHeadOfFamily) VALUES (?, 1, 1)", {head});
    raw->Execute("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup) VALUES (?, 1, 1)", {head});
    raw->Execute("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup) VALUES (?, 1, 0)", {member});
    raw->Execute("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup) VALUES (?, 2, 1)", {leader});
    EXPECT_EQ(db->DeletePerson(head), -2);
    EXPECT_EQ(db->DeletePerson(leader), -3);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Person WHERE IsDeleted=1"), 0);
    EXPECT_EQ(db->DeletePerson(member), 1);
    EXPECT_EQ(db->DeletePerson(member), 1);
    EXPECT_EQ(db->DeletePerson(99999), -1);
    EXPECT_EQ(test::NotNull(db->GetPersonByID(member)).Field("IsDeleted"), Variant(true));

    auto stat = db->GetMemberRecordStat();
    ASSERT_NE(stat, nullptr);
    EXPECT_EQ(stat->Keys(), (QStringList{"TotalMemberRecordCount", "TotalFamilyRecordCount", "TotalGroupRecordCount"}));
    EXPECT_EQ(stat->Item("TotalMemberRecordCount"), Variant(2)); // the member marked deleted is not counted
    EXPECT_EQ(stat->Item("TotalFamilyRecordCount"), Variant(1));
    EXPECT_EQ(stat->Item("TotalGroupRecordCount"), Variant(2));

    // Built-in contact rows stay; an extra row is added without flags (to a person not marked
    // deleted, who alone takes new rows), keeps them, and can go.
    const int32_t home = test::NotNull(db->GetHomeAddressByPersonID(member)).Field("ID").ToInt();
    EXPECT_EQ(db->DeletePersonAddress(home), -1);
    auto extra = Record({{"ID", 0}, {"PersonID", leader}, {"Name", "Other"}, {"PhoneNumber", "555-0100"}});
    const int32_t row = db->UpdatePersonPhoneNumber(extra);
    ASSERT_GT(row, 0);
    extra->SetItem("ID", row);
    extra->SetItem("IsFaxNumber", true);
    EXPECT_EQ(db->UpdatePersonPhoneNumber(extra), row);
    auto rs = db->GetPersonPhoneNumberByID(row);
    EXPECT_EQ(rs->Field("IsFaxNumber"), Variant(false));
    EXPECT_FALSE(rs->Field("DateUpdated").IsNull());
    EXPECT_EQ(db->DeletePersonPhoneNumber(row), 1);
    EXPECT_EQ(db->DeletePersonPhoneNumber(row), -1);
    EXPECT_EQ(db->DeletePersonEMailAddress(db->GetPersonalEMailAddressByPersonID(member)->Field("ID").ToInt()), -1);

    // The mailing list leaves marked persons out and filters by the kind's name start.
    EXPECT_EQ(Column(db->GetMailingAddress(QString()), "LastName"), (QStringList{"Head", "Leader"}));
    EXPECT_EQ(db->GetMailingAddress("Wo"), nullptr);
    // Every -1 wrote its line; the heads' refusals (-2, -3) are answers, not failures.
    EXPECT_EQ(
        TakeFailedMembers(),
        (QStringList{"IDatabaseManager_DeletePerson()", "IDatabaseManager_DeletePersonAddress()",
                     "IDatabaseManager_DeletePersonPhoneNumber()", "IDatabaseManager_DeletePersonEMailAddress()"}));

    // After all of this the file is sound.
    EXPECT_EQ(raw->Query("PRAGMA integrity_check")->Field(0).ToString(), "ok");
}

TEST_F(PersonTest, AMissingDatabaseIsReportedAndNeverCreated) {
    amb::database::Manager other;
    const QString missing = m_dir.FilePath("gone/db.mdb");
    other.SetConnectionString("Data Source=" + missing);
    EXPECT_EQ(other.GetPersonByID(1), nullptr);
    EXPECT_EQ(other.UpdatePerson(Person("X")), -1);
    other.SetReturnEOF(true);
    EXPECT_EQ(other.GetPersonBySearchText(QString()), nullptr); // a failure is no empty set
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(TakeFailures().size(), 3);
}
