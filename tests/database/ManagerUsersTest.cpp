#include "database/PasswordHash.h"
#include "platform/com/Error.h"
#include "tests/support/DatabaseTest.h"

#include <QDir>
#include <QFile>

using platform::Variant;
using test::Column;

namespace {

class UserTest : public test::DatabaseTest {
protected:
    static platform::DictionaryPtr User(const QString& username, const Variant& password, bool enabled = true,
                                        int32_t id = 0) {
        return test::Record({{"ID", id},
                             {"Username", username},
                             {"Password", password},
                             {"Name", "Kim Minsu"},
                             {"IsAdmin", "False"},
                             {"IsEnabled", enabled}});
    }
    // The user id the log-in finds, 0 for none.
    int32_t LogIn(const QString& username, const QString& password) {
        auto rs = db->GetUserByUsernameAndPassword(username, password);
        return rs && !rs->IsEOF() ? rs->Field("ID").ToInt() : 0;
    }
    QString StoredPassword(int32_t id) {
        return raw->Query("SELECT Password FROM \"User\" WHERE ID=?", {id})->Field(0).ToString();
    }
    int Users() { return Count("SELECT COUNT(*) FROM \"User\""); }
};

const QString kSecret = " Secret Pa55 ";

} // namespace

TEST_F(UserTest, LogInTakesThePasswordExactlyAsTyped) {
    const int32_t kim = db->UpdateUser(User("kim", kSecret));
    ASSERT_GT(kim, 0);
    EXPECT_TRUE(StoredPassword(kim).startsWith("$y$"));

    EXPECT_EQ(LogIn("kim", kSecret), kim);
    EXPECT_EQ(LogIn("KIM", kSecret), kim);       // user names, as before, ignore letter case
    EXPECT_EQ(LogIn("kim", "Secret Pa55"), 0);   // blanks count
    EXPECT_EQ(LogIn("kim", " secret pa55 "), 0); // letter case counts
    EXPECT_EQ(LogIn("kim", "wrong"), 0);
    EXPECT_EQ(LogIn("nobody", kSecret), 0);
    EXPECT_EQ(LogIn("kim", QString()), 0);
    EXPECT_EQ(LogIn("kim", QString(1000, QChar(u'p'))), 0);
    EXPECT_EQ(LogIn("' OR '1'='1", "' OR '1'='1"), 0);
    // The stored hash itself is no password.
    EXPECT_EQ(LogIn("kim", StoredPassword(kim)), 0);

    // What the log-in hands back carries no password or hash.
    auto rs = db->GetUserByUsernameAndPassword("kim", kSecret);
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->Field("Password").IsNull());
    EXPECT_EQ(rs->Field("IsEnabled"), Variant(true));
    EXPECT_TRUE(db->GetUserByID(kim)->Field("Password").IsNull());
    EXPECT_EQ(Column(db->GetAllUser(), "Password"), QStringList{QString()});

    // A disabled account cannot log in, with the right password either.
    ASSERT_EQ(db->UpdateUser(User("kim", QString(), false, kim)), kim);
    EXPECT_EQ(LogIn("kim", kSecret), 0);
    ASSERT_EQ(db->UpdateUser(User("kim", QString(), true, kim)), kim);
    EXPECT_EQ(LogIn("kim", kSecret), kim); // a blank password kept the stored one

    // A Korean password and a user name with quotes work as typed.
    const int32_t quoted = db->UpdateUser(User("O'Brien \"Bob\"", "비밀번호 123"));
    ASSERT_GT(quoted, 0);
    EXPECT_EQ(LogIn("O'Brien \"Bob\"", "비밀번호 123"), quoted);
    EXPECT_EQ(Column(db->GetUserByUsername("o'brien \"bob\""), "ID"), QStringList{QString::number(quoted)});
    EXPECT_TRUE(TakeFailures().isEmpty());
}

TEST_F(UserTest, PasswordChangesNeedTheCurrentPassword) {
    const int32_t kim = db->UpdateUser(User("kim", kSecret));
    ASSERT_GT(kim, 0);
    raw->Execute("UPDATE \"User\" SET DateUpdated=NULL WHERE ID=?", {kim});
    const QString before = StoredPassword(kim);

    EXPECT_EQ(db->SetUserPassword("kim", "Secret Pa55", "new one"), -1);
    EXPECT_EQ(db->SetUserPassword("nobody", kSecret, "new one"), -1);
    EXPECT_EQ(db->SetUserPassword("kim", kSecret, QString(1000, QChar(u'n'))), -1);
    EXPECT_EQ(db->SetUserPassword("kim", kSecret, "   "), -1);
    EXPECT_EQ(db->SetUserPassword("kim", kSecret, QString::fromUtf8("nul\0x", 5)), -1);
    EXPECT_EQ(StoredPassword(kim), before);
    EXPECT_TRUE(db->GetUserByID(kim)->Field("DateUpdated").IsNull());

    EXPECT_EQ(db->SetUserPassword("kim", kSecret, " New One "), 1);
    EXPECT_FALSE(db->GetUserByID(kim)->Field("DateUpdated").IsNull());
    EXPECT_EQ(LogIn("kim", kSecret), 0);
    EXPECT_EQ(LogIn("kim", " New One "), kim);

    // The log-in date is set only by its own member; a user save leaves it.
    EXPECT_EQ(db->SetUserDateLogin(kim, platform::MakeDateTime(2024, 3, 5, 9, 30)), 1);
    EXPECT_EQ(db->SetUserDateLogin(404, platform::MakeDateTime(2024, 3, 5)), -1);
    ASSERT_EQ(db->UpdateUser(User("kim", QString(), true, kim)), kim);
    EXPECT_EQ(db->GetUserByID(kim)->Field("DateLogin").ToDateTime(), platform::MakeDateTime(2024, 3, 5, 9, 30));
    EXPECT_EQ(db->DeleteUser(kim), 1);
    EXPECT_EQ(db->DeleteUser(kim), -1);
}

TEST_F(UserTest, BadUserSavesStoreNothing) {
    EXPECT_EQ(db->UpdateUser(User("new", QString())), -1);                  // a new user needs a password
    EXPECT_EQ(db->UpdateUser(User("new", QString(1000, QChar(u'p')))), -1); // too long
    EXPECT_EQ(db->UpdateUser(User("  ", "pass")), -1);                      // no user name
    EXPECT_EQ(db->UpdateUser(User(QString(300, QChar(u'u')), "pass")), -1);
    auto badId = User("new", "pass");
    badId->SetItem("ID", "1 OR 1=1");
    EXPECT_EQ(db->UpdateUser(badId), -1);
    EXPECT_EQ(Users(), 0);
    EXPECT_EQ(TakeFailures().size(), 5);

    // An existing user given a password too long keeps the stored one.
    const int32_t id = db->UpdateUser(User("lee", "first"));
    ASSERT_GT(id, 0);
    EXPECT_EQ(db->UpdateUser(User("lee-renamed", QString(129, QChar(u'p')), true, id)), -1);
    EXPECT_EQ(LogIn("lee", "first"), id);
    EXPECT_EQ(db->UpdateUser(User("lee", QString(128, QChar(u'p')), true, id)), id);
    EXPECT_EQ(LogIn("lee", QString(128, QChar(u'p'))), id);
}

TEST_F(UserTest, NoPasswordTextReachesTheDatabaseFileOrTheLogs) {
    const auto& writer = m_writer;
    const QString first = "Zebra-Quartz-7781";
    const QString second = "Walrus-Onyx-5523";
    const int32_t id = db->UpdateUser(User("kim", first));
    ASSERT_GT(id, 0);
    LogIn("kim", first);
    LogIn("kim", second);
    ASSERT_EQ(db->SetUserPassword("kim", first, second), 1);
    // Failures write their level-9 lines, with the statement but without its values.
    raw->ExecuteScript("CREATE TRIGGER NoChange BEFORE UPDATE ON \"User\" BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    EXPECT_EQ(db->SetUserPassword("kim", second, first), -1);
    EXPECT_EQ(db->UpdateUser(User("kim", first, true, id)), -1);
    EXPECT_EQ(db->UpdateUser(User("kim", QString(first + QString(200, QChar(u'x'))), true, id)), -1);
    db.reset();
    raw.reset();

    ASSERT_FALSE(writer->allLines.isEmpty());
    EXPECT_GE(writer->logLines.size(), 3);
    for (const QString& line : writer->allLines) {
        EXPECT_FALSE(line.contains(first)) << line.toStdString();
        EXPECT_FALSE(line.contains(second)) << line.toStdString();
        EXPECT_FALSE(line.contains("$y$")) << line.toStdString();
    }
    for (const QString& name : QDir(m_dir.Path()).entryList(QDir::Files)) {
        QFile file(m_dir.FilePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.contains(first.toUtf8())) << name.toStdString();
        EXPECT_FALSE(bytes.contains(second.toUtf8())) << name.toStdString();
    }
}

TEST(PasswordHash, SaltedHashesThatOnlyTheirPasswordMatches) {
    using namespace amb::database;
    const QString a = HashPassword("same");
    const QString b = HashPassword("same");
    EXPECT_NE(a, b);
    EXPECT_TRUE(VerifyPassword("same", a));
    EXPECT_TRUE(VerifyPassword("same", b));
    EXPECT_FALSE(VerifyPassword("Same", a));
    EXPECT_FALSE(VerifyPassword("same ", a));
    // A stored plain text, a damaged hash or nothing never matches.
    EXPECT_FALSE(VerifyPassword("same", "same"));
    EXPECT_FALSE(VerifyPassword("same", a.left(a.size() - 1)));
    EXPECT_FALSE(VerifyPassword("same", QString()));
    EXPECT_FALSE(VerifyPassword(QString(1000, QChar(u's')), a));
    EXPECT_THROW(HashPassword(QString(1000, QChar(u's'))), platform::Error);
    EXPECT_THROW(HashPassword("\t "), platform::Error);
    EXPECT_TRUE(PasswordProblem(QString(kMaxPasswordLength, QChar(u'한'))).isEmpty());
    try {
        HashPassword("Hidden-Text" + QString(200, QChar(u'x')));
    } catch (const platform::Error& e) {
        EXPECT_FALSE(e.Description().contains("Hidden-Text"));
    }
}
