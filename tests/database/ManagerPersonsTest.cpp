#include "tests/database/DatabaseFixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using platform::Dictionary;
using platform::Variant;
using test::Column;

namespace {

class PersonTest : public test::DatabaseTest {};

} // namespace

TEST_F(PersonTest, NewPersonGetsEnvelopCodeAndBuiltInRowsTogether) {
    auto dict = Person(QStringLiteral("O'Neil"), QStringLiteral("Mary"));
    dict->SetItem(QStringLiteral("DOB"), QStringLiteral("3/5/1925"));
    dict->SetItem(QStringLiteral("IsBaptized"), QStringLiteral("True"));
    dict->SetItem(QStringLiteral("SexID"), QStringLiteral("2"));
    const int32_t id = db->UpdatePerson(dict);
    ASSERT_GT(id, 0);

    auto rs = db->GetPersonByID(id);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Field(QStringLiteral("EnvelopCode")).ToString(),
              QStringLiteral("1") + QString::number(id).rightJustified(5, QLatin1Char('0')));
    EXPECT_EQ(rs->Field(QStringLiteral("FullName")).ToString(), QStringLiteral("O'Neil, Mary"));
    EXPECT_EQ(rs->Field(QStringLiteral("Sex")).ToString(), QStringLiteral("Female"));
    EXPECT_EQ(rs->Field(QStringLiteral("DOB")).ToDateTime(), platform::MakeDateTime(1925, 3, 5));
    EXPECT_EQ(rs->Field(QStringLiteral("IsBaptized")), Variant(true));
    EXPECT_FALSE(rs->Field(QStringLiteral("DateEntered")).IsNull());
    EXPECT_TRUE(rs->Field(QStringLiteral("DateUpdated")).IsNull());
    EXPECT_TRUE(rs->Field(QStringLiteral("MiddleName")).IsNull()); // missing from the record
    EXPECT_EQ(rs->Field(QStringLiteral("IsDeleted")), Variant(false));

    // One row of each built-in kind, named by its kind, with exactly its own flag.
    auto addresses = db->GetAddressByPersonID(id);
    EXPECT_EQ(Column(addresses, QStringLiteral("Name")), (QStringList{"Home", "Work"}));
    EXPECT_EQ(Column(addresses, QStringLiteral("IsHomeAddress")), (QStringList{"True", "False"}));
    EXPECT_EQ(Column(addresses, QStringLiteral("IsWorkAddress")), (QStringList{"False", "True"}));
    auto phones = db->GetPhoneNumberByPersonID(id);
    EXPECT_EQ(Column(phones, QStringLiteral("Name")), (QStringList{"Cell", "Fax", "Home", "Work"}));
    EXPECT_EQ(Column(phones, QStringLiteral("IsCellPhoneNumber")), (QStringList{"True", "False", "False", "False"}));
    EXPECT_EQ(Column(db->GetEMailAddressByPersonID(id), QStringLiteral("Name")), (QStringList{"Personal", "Work"}));
    EXPECT_EQ(db->GetHomePhoneNumberByPersonID(id)->RecordCount(), 1);
    EXPECT_EQ(db->GetPersonalEMailAddressByPersonID(id)->Field(QStringLiteral("Name")).ToString(),
              QStringLiteral("Personal"));
    EXPECT_EQ(db->GetPersonAddressByName(id, QStringLiteral("work"))->RecordCount(), 1);

    // A later save updates the same person, stamps DateUpdated and blanks what the record leaves out.
    dict->SetItem(QStringLiteral("ID"), id);
    dict->Remove(QStringLiteral("DOB"));
    dict->SetItem(QStringLiteral("FirstName"), QStringLiteral("  Maria "));
    EXPECT_EQ(db->UpdatePerson(dict), id);
    rs = db->GetPersonByID(id);
    EXPECT_EQ(rs->Field(QStringLiteral("FirstName")).ToString(), QStringLiteral("Maria"));
    EXPECT_TRUE(rs->Field(QStringLiteral("DOB")).IsNull());
    EXPECT_FALSE(rs->Field(QStringLiteral("DateUpdated")).IsNull());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM PersonAddress WHERE PersonID=?"), {id}), 2);

    // An id that no row has inserts a new person under a new id; the no-date value is stored as Null.
    dict->SetItem(QStringLiteral("ID"), 5000);
    dict->SetItem(QStringLiteral("DateMarried"), Variant(amb::NoDate()));
    const int32_t other = db->UpdatePerson(dict);
    EXPECT_GT(other, id);
    EXPECT_NE(other, 5000);
    EXPECT_TRUE(db->GetPersonByID(other)->Field(QStringLiteral("DateMarried")).IsNull());
    EXPECT_EQ(db->SetEnvelopCode(other), -1); // it has one already
    EXPECT_TRUE(TakeFailures().isEmpty());
}

TEST_F(PersonTest, AFailingPartOfANewPersonLeavesNothing) {
    const auto persons = [&] { return Count(QStringLiteral("SELECT COUNT(*) FROM Person")); };
    const auto contacts = [&] {
        return Count(
            QStringLiteral("SELECT (SELECT COUNT(*) FROM PersonAddress) + (SELECT COUNT(*) FROM PersonPhoneNumber)"
                           " + (SELECT COUNT(*) FROM PersonEMailAddress)"));
    };
    // The last built-in row cannot be written.
    raw->ExecuteScript(QStringLiteral("CREATE TRIGGER NoWorkMail BEFORE INSERT ON PersonEMailAddress "
                                      "WHEN NEW.IsWorkEMailAddress=1 BEGIN SELECT RAISE(ABORT, 'forced'); END;"));
    EXPECT_EQ(NewPerson(QStringLiteral("Lee")), -1);
    EXPECT_EQ(persons(), 0);
    EXPECT_EQ(contacts(), 0);
    raw->ExecuteScript(QStringLiteral("DROP TRIGGER NoWorkMail"));

    // A kind that names a built-in row is missing.
    raw->Execute(QStringLiteral("DELETE FROM PhoneNumberName WHERE ID=4"));
    EXPECT_EQ(NewPerson(QStringLiteral("Lee")), -1);
    EXPECT_EQ(persons(), 0);
    EXPECT_EQ(contacts(), 0);
    raw->Execute(QStringLiteral("INSERT INTO PhoneNumberName (ID, PhoneNumberName, IsUpdatable) VALUES (4, 'Fax', 0)"));

    // Values that do not convert, texts too long or with control characters, and ids that are no numbers.
    const std::vector<std::pair<QString, Variant>> bad = {{QStringLiteral("DOB"), QStringLiteral("31/31/2004")},
                                                          {QStringLiteral("DOB"), QStringLiteral("3/5/04")},
                                                          {QStringLiteral("SexID"), QStringLiteral("male")},
                                                          {QStringLiteral("IsMember"), QStringLiteral("maybe")},
                                                          {QStringLiteral("LastName"), QString(10000, QChar(u'k'))},
                                                          {QStringLiteral("FirstName"), QStringLiteral("a\x07")},
                                                          {QStringLiteral("ID"), QStringLiteral("abc")},
                                                          {QStringLiteral("ID"), 2.5},
                                                          {QStringLiteral("ID"), Variant::Null()},
                                                          {QStringLiteral("Unknown"), 1}};
    for (const auto& [key, value] : bad) {
        auto dict = Person(QStringLiteral("Kim"));
        dict->SetItem(key, value);
        if (key == QLatin1String("Unknown"))
            continue; // keys the person has no column for are not copied
        EXPECT_EQ(db->UpdatePerson(dict), -1) << key.toStdString() << " " << value.ToString().left(20).toStdString();
    }
    auto noId = Person(QStringLiteral("Kim"));
    noId->Remove(QStringLiteral("ID"));
    EXPECT_EQ(db->UpdatePerson(noId), -1);
    EXPECT_EQ(persons(), 0);
    EXPECT_EQ(contacts(), 0);
    const QStringList failures = TakeFailures();
    EXPECT_EQ(failures.size(), 12);
    EXPECT_TRUE(failures.first().contains(QStringLiteral("forced (INSERT INTO PersonEMailAddress")))
        << failures.first().toStdString(); // the failing statement, never a value: values are bound

    // The next call works.
    EXPECT_GT(NewPerson(QStringLiteral("Kim")), 0);
    EXPECT_EQ(contacts(), 8);
}

TEST_F(PersonTest, SearchesByNameStartFindEachPersonOnce) {
    const int32_t oneil = NewPerson(QStringLiteral("O'Neil"));
    const int32_t percent = NewPerson(QStringLiteral("100% Smith"));
    const int32_t underscore = NewPerson(QStringLiteral("A_B"));
    NewPerson(QStringLiteral("AxB"));
    NewPerson(QStringLiteral("1000 Smith"));
    const int32_t kim = NewPerson(QStringLiteral("Kim"), QStringLiteral("Minsu"), QStringLiteral("김민수"));
    const int32_t kimLower = NewPerson(QStringLiteral("kimball"));
    const int32_t gone = NewPerson(QStringLiteral("Kimberly"));
    ASSERT_EQ(db->DeletePerson(gone), 1);

    const auto ids = [&](const QString& text) {
        QStringList found = Column(db->GetPersonBySearchText(text), QStringLiteral("ID"));
        found.sort();
        return found;
    };
    const auto list = [](std::initializer_list<int32_t> values) {
        QStringList l;
        for (int32_t v : values)
            l << QString::number(v);
        l.sort();
        return l;
    };
    EXPECT_EQ(ids(QStringLiteral("o'n")), list({oneil}));
    EXPECT_EQ(ids(QStringLiteral("100%")), list({percent}));
    EXPECT_EQ(ids(QStringLiteral("A_")), list({underscore}));
    EXPECT_EQ(ids(QStringLiteral("KIM")), list({kim, kimLower}));
    EXPECT_EQ(ids(QStringLiteral("김")), list({kim}));
    EXPECT_EQ(ids(QStringLiteral("x' OR '1'='1")), QStringList());
    EXPECT_EQ(ids(QString()).size(), 7);

    // Two home addresses still give one row; a person without contact rows is still found.
    raw->Execute(
        QStringLiteral(
            "INSERT INTO PersonAddress (PersonID, Name, AddressPart1, IsHomeAddress) VALUES (?, 'Home', 'Second', 1)"),
        {kim});
    raw->Execute(QStringLiteral("DELETE FROM PersonPhoneNumber WHERE PersonID=?"), {oneil});
    EXPECT_EQ(ids(QStringLiteral("kim")), list({kim, kimLower}));
    auto rs = db->GetPersonBySearchText(QStringLiteral("O'"));
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->Field(QStringLiteral("PhoneNumber")).IsNull());
    EXPECT_EQ(rs->Field(QStringLiteral("Sex")), Variant::Null());

    // Nothing matches: no set, or an empty one with ReturnEOF.
    EXPECT_EQ(db->GetPersonBySearchText(QStringLiteral("Zz")), nullptr);
    db->SetReturnEOF(true);
    rs = db->GetPersonBySearchText(QStringLiteral("Zz"));
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_TRUE(rs->HasField(QStringLiteral("EMailAddress")));
}

TEST_F(PersonTest, MonthListHasBirthdaysAndAnniversariesOfAnyYear) {
    const auto born = [&](const QString& name, const Variant& dob, const Variant& married, int status) {
        auto dict = Person(name);
        dict->SetItem(QStringLiteral("DOB"), dob);
        dict->SetItem(QStringLiteral("DateMarried"), married);
        dict->SetItem(QStringLiteral("MaritalStatusID"), status);
        return db->UpdatePerson(dict);
    };
    const int32_t old = born(QStringLiteral("Old"), QStringLiteral("1925-03-20"), Variant::Null(), 1);
    const int32_t future = born(QStringLiteral("Future"), QStringLiteral("3/2/2031"), Variant::Null(), 1);
    const int32_t couple = born(QStringLiteral("Couple"), QStringLiteral("3/9/1960"), QStringLiteral("3/9/1985"), 2);
    born(QStringLiteral("Divorced"), QStringLiteral("7/1/1970"), QStringLiteral("3/15/1990"), 3);
    born(QStringLiteral("NoDates"), Variant::Null(), Variant::Null(), 2);
    const int32_t deleted = born(QStringLiteral("Deleted"), QStringLiteral("3/31/1999"), Variant::Null(), 1);
    ASSERT_EQ(db->DeletePerson(deleted), 1);

    auto rs = db->GetImportantDateByMonth(3);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(Column(rs, QStringLiteral("Day")), (QStringList{"2", "9", "9", "20", "31"}));
    EXPECT_EQ(Column(rs, QStringLiteral("ID")),
              (QStringList{QString::number(future), QString::number(couple), QString::number(couple),
                           QString::number(old), QString::number(deleted)}));
    QStringList reasons = Column(rs, QStringLiteral("Reason")).mid(1, 2);
    reasons.sort();
    EXPECT_EQ(reasons, (QStringList{"Anniversary", "Birthday"}));
    rs->MoveFirst();
    EXPECT_EQ(rs->Field(QStringLiteral("Date")), Variant(platform::MakeDateTime(2031, 3, 2)));
    EXPECT_EQ(rs->Field(QStringLiteral("Day")), Variant(2));
    EXPECT_EQ(db->GetImportantDateByMonth(7)->RecordCount(), 1);
    EXPECT_EQ(db->GetImportantDateByMonth(2), nullptr);
    EXPECT_EQ(db->GetImportantDateByMonth(13), nullptr);
}

TEST_F(PersonTest, DeletesRefuseHeadsAndBuiltInRows) {
    const int32_t head = NewPerson(QStringLiteral("Head"));
    const int32_t leader = NewPerson(QStringLiteral("Leader"));
    const int32_t member = NewPerson(QStringLiteral("Member"));
    raw->Execute(QStringLiteral("INSERT INTO PersonToFamily (PersonID, FamilyID, IsHeadOfFamily) VALUES (?, 1, 1)"),
                 {head});
    raw->Execute(QStringLiteral("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup) VALUES (?, 1, 1)"),
                 {head});
    raw->Execute(QStringLiteral("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup) VALUES (?, 1, 0)"),
                 {member});
    raw->Execute(QStringLiteral("INSERT INTO PersonToGroup (PersonID, GroupID, IsHeadOfGroup) VALUES (?, 2, 1)"),
                 {leader});
    EXPECT_EQ(db->DeletePerson(head), -2);
    EXPECT_EQ(db->DeletePerson(leader), -3);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Person WHERE IsDeleted=1")), 0);
    EXPECT_EQ(db->DeletePerson(member), 1);
    EXPECT_EQ(db->DeletePerson(member), 1);
    EXPECT_EQ(db->DeletePerson(99999), -1);
    EXPECT_EQ(db->GetPersonByID(member)->Field(QStringLiteral("IsDeleted")), Variant(true));

    auto stat = db->GetMemberRecordStat();
    ASSERT_NE(stat, nullptr);
    EXPECT_EQ(stat->Keys(), (QStringList{"TotalMemberRecordCount", "TotalFamilyRecordCount", "TotalGroupRecordCount"}));
    EXPECT_EQ(stat->Item(QStringLiteral("TotalMemberRecordCount")), Variant(2));
    EXPECT_EQ(stat->Item(QStringLiteral("TotalFamilyRecordCount")), Variant(1));
    EXPECT_EQ(stat->Item(QStringLiteral("TotalGroupRecordCount")), Variant(2));

    // Built-in contact rows stay; an extra row is added without flags, keeps them, and can go.
    const int32_t home = db->GetHomeAddressByPersonID(member)->Field(QStringLiteral("ID")).ToInt();
    EXPECT_EQ(db->DeletePersonAddress(home), -1);
    auto extra = std::make_shared<Dictionary>(std::initializer_list<std::pair<QString, Variant>>{
        {QStringLiteral("ID"), 0},
        {QStringLiteral("PersonID"), member},
        {QStringLiteral("Name"), QStringLiteral("Other")},
        {QStringLiteral("PhoneNumber"), QStringLiteral("555-0100")}});
    const int32_t row = db->UpdatePersonPhoneNumber(extra);
    ASSERT_GT(row, 0);
    extra->SetItem(QStringLiteral("ID"), row);
    extra->SetItem(QStringLiteral("IsFaxNumber"), true);
    EXPECT_EQ(db->UpdatePersonPhoneNumber(extra), row);
    auto rs = db->GetPersonPhoneNumberByID(row);
    EXPECT_EQ(rs->Field(QStringLiteral("IsFaxNumber")), Variant(false));
    EXPECT_FALSE(rs->Field(QStringLiteral("DateUpdated")).IsNull());
    EXPECT_EQ(db->DeletePersonPhoneNumber(row), 1);
    EXPECT_EQ(db->DeletePersonPhoneNumber(row), -1);
    EXPECT_EQ(db->DeletePersonEMailAddress(
                  db->GetPersonalEMailAddressByPersonID(member)->Field(QStringLiteral("ID")).ToInt()),
              -1);

    // The mailing list leaves marked persons out and filters by the kind's name start.
    EXPECT_EQ(Column(db->GetMailingAddress(QString()), QStringLiteral("LastName")), (QStringList{"Head", "Leader"}));
    EXPECT_EQ(db->GetMailingAddress(QStringLiteral("Wo")), nullptr);
    EXPECT_TRUE(TakeFailures().isEmpty());

    // After all of this the file is sound, and the sqlite3 shell reads it.
    EXPECT_EQ(raw->Query(QStringLiteral("PRAGMA integrity_check"))->Field(0).ToString(), QStringLiteral("ok"));
    db.reset();
    raw.reset();
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        return;
    QProcess p;
    p.start(shell, {m_path, QStringLiteral("PRAGMA integrity_check; SELECT COUNT(*) FROM Person WHERE IsDeleted=1;")});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QStringLiteral("ok\n1"));
}

TEST_F(PersonTest, AMissingDatabaseIsReportedAndNeverCreated) {
    amb::database::Manager other;
    const QString missing = m_dir.FilePath(QStringLiteral("gone/db.mdb"));
    other.SetConnectionString(QStringLiteral("Data Source=") + missing);
    EXPECT_EQ(other.GetPersonByID(1), nullptr);
    EXPECT_EQ(other.UpdatePerson(Person(QStringLiteral("X"))), -1);
    other.SetReturnEOF(true);
    EXPECT_EQ(other.GetPersonBySearchText(QString()), nullptr); // a failure is no empty set
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(TakeFailures().size(), 3);
}
