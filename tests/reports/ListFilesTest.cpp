#include "reports/ListFiles.h"

#include "platform/com/Error.h"
#include "platform/data/Variant.h"
#include "tests/support/DatabaseTest.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using amb::EnumSupportedLocaleID;
using test::Record;

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The lines of a file written with CR LF, each split at its TABs.
std::vector<QStringList> Lines(const QByteArray& bytes) {
    std::vector<QStringList> lines;
    QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.endsWith(QLatin1String("\r\n")));
    text.chop(2);
    for (const QString& line : text.split(QLatin1String("\r\n")))
        lines.push_back(line.split(QLatin1Char('\t')));
    return lines;
}

class ListFilesTest : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_hub->SetDatabaseManager(std::shared_ptr<amb::IDatabaseManager>(db.get(), [](amb::IDatabaseManager*) {}));
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        DatabaseTest::TearDown();
    }

    amb::IDatabaseManager& Db() { return *db; }
    QString Text(int id) const { return m_hub->StringTable()->Item(QString::number(id)).ToString(); }
    QString File(const char* name) const { return m_dir.FilePath(QLatin1String(name)); }
    amb::reports::ListFiles Files() const { return amb::reports::ListFiles(m_hub); }

    // Ann Lee with a home address, phones and e-mail; Bo Park with no contact rows at all.
    void AddPersons() {
        m_ann = db->UpdatePerson(Record({{"ID", 0},
                                         {"LastName", "Lee"},
                                         {"FirstName", "Ann"},
                                         {"LanguageName", QStringLiteral("이안")},
                                         {"DOB", platform::MakeDateTime(1961, 2, 3)},
                                         {"SexID", 2}}));
        raw->Execute("UPDATE PersonAddress SET AddressPart1='1 Main', AddressPart3='Spokane', AddressPart4='WA', "
                     "AddressPart5='99201' WHERE PersonID=? AND IsHomeAddress=1",
                     {m_ann});
        raw->Execute("UPDATE PersonPhoneNumber SET PhoneNumber='555-0100' WHERE PersonID=? AND IsHomePhoneNumber=1",
                     {m_ann});
        m_bo = NewPerson("Park", "Bo");
        DropContactRows(m_bo);
        // The manager refuses control characters; a file written by another program may still hold them.
        raw->Execute("UPDATE Person SET FirstName=? WHERE ID=?", {QStringLiteral("Bo\tTab\r\nLine"), m_bo});
    }

    std::shared_ptr<test::FakeHub> m_hub = std::make_shared<test::FakeHub>();
    int32_t m_ann = 0;
    int32_t m_bo = 0;
};

TEST_F(ListFilesTest, MemberFileHeaderAndRowsByteForByteInBothNameLocales) {
    AddPersons();
    m_hub->SetDateFormat("yyyy-m-d");
    const QString path = File("members.txt");
    auto members = Db().GetReportMemberList();
    ASSERT_TRUE(members);
    EXPECT_EQ(Files().CreateMemberListTextFile(members, path), 0);
    EXPECT_TRUE(members->IsClosed());

    const QString header =
        QStringList{Text(274), Text(122), Text(166), Text(325), Text(329), Text(331), Text(123)}.join(
            QLatin1Char('\t'));
    const QString sex = raw->Query("SELECT Sex FROM Sex WHERE ID=2")->Field(0).ToString();
    // In the data set's order (by language name first); the TAB and line break of a name are blanks.
    const QByteArray expected = (header + "\r\n" + "Park, Bo Tab  Line\t\t\t\t\t\t\r\n" + "Lee, Ann\t1961-2-3\t" + sex +
                                 "\t1 Main, Spokane, WA, 99201\t555-0100\t\t\r\n")
                                    .toUtf8();
    EXPECT_EQ(Read(path).toStdString(), expected.toStdString());

    // Another name locale: caption 152 after the first, the language name before the person's name.
    m_hub->SetNameLocaleID(EnumSupportedLocaleID::Korean);
    EXPECT_EQ(Files().CreateMemberListTextFile(Db().GetReportMemberList(), path), 0);
    const auto lines = Lines(Read(path));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].mid(0, 3), (QStringList{Text(274), Text(152), Text(122)}));
    EXPECT_EQ(lines[2].mid(0, 3), (QStringList{QStringLiteral("이안"), "Lee, Ann", "1961-2-3"}));
    for (const QStringList& line : lines)
        EXPECT_EQ(line.size(), 8);
}

TEST_F(ListFilesTest, ContactFilesHaveOneMoreColumnOutsideTheEnglishNameLocale) {
    AddPersons();
    const int32_t family = db->UpdateFamily(Record({{"ID", 0}, {"Name", "Lee"}}));
    db->UpdatePersonToFamily(Record({{"ID", 0}, {"PersonID", m_ann}, {"FamilyID", family}, {"IsHeadOfFamily", true}}));
    const int32_t group = db->UpdateGroup(Record({{"ID", 0}, {"Name", "Choir"}, {"GroupTypeID", 1}}));
    db->UpdatePersonToGroup(Record({{"ID", 0}, {"PersonID", m_bo}, {"GroupID", group}, {"IsHeadOfGroup", true}}));

    struct Case {
        EnumSupportedLocaleID nameLocale;
        int familyColumns, groupColumns, memberColumns;
    };
    for (const Case& c :
         {Case{EnumSupportedLocaleID::English, 6, 7, 7}, Case{EnumSupportedLocaleID::Korean, 7, 8, 8}}) {
        m_hub->SetNameLocaleID(c.nameLocale);
        const amb::reports::ListFiles files = Files();
        files.CreateFamilyContactListTextFile(Db().GetReportFamilyList(), File("family.txt"));
        files.CreateGroupContactListTextFile(Db().GetReportGroupList(), File("group.txt"));
        files.CreateMemberListTextFile(Db().GetReportMemberList(), File("member.txt"));
        for (const auto& [name, columns, rows] :
             {std::tuple{"family.txt", c.familyColumns, 2u}, std::tuple{"group.txt", c.groupColumns, 2u},
              std::tuple{"member.txt", c.memberColumns, 3u}}) {
            SCOPED_TRACE(name);
            const auto lines = Lines(Read(File(name)));
            ASSERT_EQ(lines.size(), rows);
            for (const QStringList& line : lines)
                EXPECT_EQ(line.size(), columns);
        }
    }
    // The group's head has no contact rows: the row is there with empty contact fields.
    const auto group_lines = Lines(Read(File("group.txt")));
    EXPECT_EQ(group_lines[1].mid(0, 2),
              (QStringList{"Choir", raw->Query("SELECT GroupType FROM GroupType WHERE ID=1")->Field(0).ToString()}));
    EXPECT_EQ(group_lines[1].mid(4), (QStringList{"", "", "", ""}));
}

TEST_F(ListFilesTest, MoneyFilesKeepExactAmountsFourDigitYearsAndNameTheUnknownGiver) {
    AddPersons();
    db->UpdatePersonOffering(Record({{"ID", 0},
                                     {"PersonID", m_ann},
                                     {"OfferingTypeID", 1},
                                     {"OfferingDate", platform::MakeDateTime(2024, 3, 5)},
                                     {"Amount", platform::Currency::FromTicks(12345678900)}}));
    db->UpdatePersonOffering(Record({{"ID", 0},
                                     {"EnvelopCode", ""},
                                     {"OfferingTypeID", 1},
                                     {"OfferingDate", platform::MakeDateTime(2024, 3, 6)},
                                     {"Amount", platform::Currency::FromTicks(1000)}}));
    db->UpdateExpense(Record({{"ID", 0},
                              {"ExpenseName", "Paper"},
                              {"ExpenseDate", platform::MakeDateTime(2024, 12, 31)},
                              {"ExpenseTypeID", 1},
                              {"Amount", platform::Currency::FromTicks(-50000)}}));

    Files().CreateOfferingListTextFile(
        Db().GetReportOfferingList(platform::MakeDateTime(2024, 1, 1), platform::MakeDateTime(2024, 12, 31)),
        File("offerings.txt"));
    const auto offerings = Lines(Read(File("offerings.txt")));
    ASSERT_EQ(offerings.size(), 3u);
    EXPECT_EQ(offerings[0], (QStringList{Text(155), Text(177), Text(119), Text(109)}));
    EXPECT_EQ(offerings[1].mid(1), (QStringList{"Lee, Ann", "3/5/2024", "$1,234,567.89"}));
    EXPECT_EQ(offerings[2].mid(1), (QStringList{"<Unknown>", "3/6/2024", "$0.10"}));

    Files().CreateExpenseListTextFile(
        Db().GetReportExpenseList(platform::MakeDateTime(2024, 1, 1), platform::MakeDateTime(2024, 12, 31)),
        File("expenses.txt"));
    const auto expenses = Lines(Read(File("expenses.txt")));
    ASSERT_EQ(expenses.size(), 2u);
    EXPECT_EQ(expenses[1][0], "Paper");
    EXPECT_EQ(expenses[1].mid(2), (QStringList{"12/31/2024", "($5.00)"}));
}

TEST_F(ListFilesTest, AGiverWithANameInOnlyOneNameLocaleIsNamedInTheOfferingFile) {
    AddPersons();
    const int32_t kim = db->UpdatePerson(Record({{"ID", 0}, {"LanguageName", QStringLiteral("김철수")}, {"SexID", 1}}));
    ASSERT_GT(kim, 0);
    raw->Execute("UPDATE Person SET FirstName='Bo' WHERE ID=?", {m_bo});
    for (const int32_t giver : {m_ann, m_bo, kim})
        ASSERT_GT(db->UpdatePersonOffering(Record({{"ID", 0},
                                                   {"PersonID", giver},
                                                   {"OfferingTypeID", 1},
                                                   {"OfferingDate", platform::MakeDateTime(2024, 3, 5)},
                                                   {"Amount", platform::Currency::FromUnits(giver)}})),
                  0);
    const auto givers = [&] {
        Files().CreateOfferingListTextFile(
            Db().GetReportOfferingList(platform::MakeDateTime(2024, 1, 1), platform::MakeDateTime(2024, 12, 31)),
            File("offerings.txt"));
        QStringList names;
        for (const QStringList& line : Lines(Read(File("offerings.txt"))))
            names << line.value(1);
        names.removeFirst();
        names.sort();
        return names;
    };
    // The name of the name locale, else the other one: nobody is listed without a name.
    EXPECT_EQ(givers(), (QStringList{"Lee, Ann", "Park, Bo", QStringLiteral("김철수")}));
    m_hub->SetNameLocaleID(EnumSupportedLocaleID::Korean);
    EXPECT_EQ(givers(), (QStringList{"Park, Bo", QStringLiteral("김철수"), QStringLiteral("이안")}));
}

TEST_F(ListFilesTest, AFailedWriteKeepsTheEarlierFileWhole) {
    const QString path = File("list.txt");
    // No data set: the header alone.
    EXPECT_EQ(Files().CreateExpenseListTextFile(nullptr, path), 0);
    const QByteArray headerOnly = Read(path);
    EXPECT_EQ(headerOnly, (QStringList{Text(180), Text(127), Text(119), Text(109)}.join('\t') + "\r\n").toUtf8());

    // A data set that lacks a column fails halfway; the earlier file is kept as it was, no temporary file
    // is left beside it, and the data set stays open.
    AddPersons();
    auto members = Db().GetReportMemberList();
    EXPECT_THROW(Files().CreateExpenseListTextFile(members, path), platform::Error);
    EXPECT_FALSE(members->IsClosed());
    EXPECT_EQ(Read(path), headerOnly);
    EXPECT_EQ(QDir(m_dir.Path()).entryList(QDir::Files), (QStringList{"db.mdb", "list.txt"}));

    // A folder part that is a regular file cannot be written (ENOTDIR, as root too).
    EXPECT_THROW(Files().CreateExpenseListTextFile(nullptr, path + "/inner.txt"), platform::Error);
    EXPECT_EQ(Read(path), headerOnly);
}

// Runs `write` as a user who is not root: in this process when the tests run as such a user, else in
// a child process that has given up root for "nobody" (root may write into any file, so only another
// user meets a read-only file as users do). The result: 0 written, 1 refused, -1 not run.
int AsOrdinaryUser(const std::function<void()>& write) {
    const auto attempt = [&] {
        try {
            write();
            return 0;
        } catch (const platform::Error&) {
            return 1;
        }
    };
    if (::geteuid() != 0)
        return attempt();
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        _exit(::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 ? attempt() : 2);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return -1;
    return WEXITSTATUS(status);
}

// A read-only file at the path is replaced, as deleting and creating it would: the user's folder
// decides, not the old file's mode. The new file has the mode of a new file, so the next run
// replaces it the same way.
TEST_F(ListFilesTest, AReadOnlyFileIsReplacedForAUserWhoIsNotRoot) {
    const QString folder = File("shared");
    ASSERT_TRUE(QDir().mkpath(folder));
    // The user's own folder: open to the user the write runs as.
    const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                     QFileDevice::WriteOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(m_dir.Path(), all & ~QFileDevice::WriteOther));
    ASSERT_TRUE(QFile::setPermissions(folder, all));
    const QString path = folder + "/list.txt";
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the earlier list\r\n");
    }
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther));

    const auto files = Files();
    EXPECT_EQ(AsOrdinaryUser([&] { files.CreateExpenseListTextFile(nullptr, path); }), 0);
    EXPECT_EQ(Read(path), (QStringList{Text(180), Text(127), Text(119), Text(109)}.join('\t') + "\r\n").toUtf8());
    EXPECT_TRUE(QFile::permissions(path) & QFileDevice::WriteOwner) << "the new file is not read-only";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"list.txt"});
}

TEST_F(ListFilesTest, ReportFileNameComesFromTheReportRow) {
    EXPECT_EQ(Files().GetReportFileName("Member Contact List"),
              raw->Query("SELECT FileName FROM Report WHERE InternalName='Member Contact List'")->Field(0).ToString());
    EXPECT_FALSE(Files().GetReportFileName("Member Contact List").isEmpty());
    EXPECT_EQ(Files().GetReportFileName("No such report"), "");
}

} // namespace
