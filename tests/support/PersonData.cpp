#include "tests/support/PersonData.h"

#include "platform/data/SqliteConnection.h"

#include <random>

namespace test {

namespace {

const char* const kEnglishLast[] = {"Smith",  "Johnson",  "Williams", "Brown",    "Jones",    "Garcia",  "Miller",
                                    "Davis",  "Wilson",   "Anderson", "Thomas",   "Taylor",   "Moore",   "Jackson",
                                    "Martin", "Thompson", "White",    "Harris",   "Clark",    "Lewis",   "Robinson",
                                    "Walker", "Young",    "Allen",    "King",     "Wright",   "Scott",   "Hill",
                                    "O'Neil", "O'Brien",  "O'Connor", "D'Angelo", "McDonald", "Kimball", "Kimberly"};
const char* const kEnglishFirst[] = {"James",   "Mary",  "John",    "Patricia",  "Robert", "Jennifer",
                                     "Michael", "Linda", "William", "Elizabeth", "David",  "Barbara",
                                     "Richard", "Susan", "Joseph",  "Jessica"};
const char* const kKoreanLast[][2] = {{"Kim", "김"},  {"Lee", "이"}, {"Park", "박"}, {"Choi", "최"}, {"Jung", "정"},
                                      {"Kang", "강"}, {"Cho", "조"}, {"Yoon", "윤"}, {"Jang", "장"}, {"Lim", "임"}};
const char* const kKoreanFirst[][2] = {{"Minsu", "민수"}, {"Jiyoung", "지영"}, {"Seoyeon", "서연"}, {"Doyoon", "도윤"},
                                       {"Haeun", "하은"}, {"Junho", "준호"},   {"Subin", "수빈"},   {"Yejun", "예준"}};

template <class T, size_t N> const T& Pick(const T (&items)[N], std::mt19937& random) {
    return items[std::uniform_int_distribution<size_t>(0, N - 1)(random)];
}

QString DateText(std::mt19937& random, int fromYear, int toYear) {
    const int year = std::uniform_int_distribution<int>(fromYear, toYear)(random);
    const int month = std::uniform_int_distribution<int>(1, 12)(random);
    const int day = std::uniform_int_distribution<int>(1, 28)(random);
    return QStringLiteral("%1-%2-%3 00:00:00")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

} // namespace

void FillDatabase(const QString& path, int count) {
    using platform::Variant;
    auto db = platform::SqliteConnection::Open(path);
    std::mt19937 random(42);
    std::bernoulli_distribution korean(0.4), married(0.4), noBirthday(0.05);
    const QString now = QStringLiteral("2024-01-01 00:00:00");
    platform::SqliteTransaction transaction(*db);
    int familyId = 0;
    for (int i = 1; i <= count; ++i) {
        QString last, first, language;
        if (korean(random)) {
            const auto& l = Pick(kKoreanLast, random);
            const auto& f = Pick(kKoreanFirst, random);
            last = QString::fromUtf8(l[0]);
            first = QString::fromUtf8(f[0]);
            language = QString::fromUtf8(l[1]) + QString::fromUtf8(f[1]);
        } else {
            last = QString::fromUtf8(Pick(kEnglishLast, random));
            first = QString::fromUtf8(Pick(kEnglishFirst, random));
        }
        const bool isMarried = married(random);
        db->Execute(
            QStringLiteral("INSERT INTO Person (ID, DateEntered, LanguageName, FirstName, LastName, DOB, SexID, "
                           "MaritalStatusID, DateMarried, MemberStatusID, IsMember, EnvelopCode) "
                           "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"),
            {i, now, language.isEmpty() ? Variant::Null() : Variant(language), first, last,
             noBirthday(random) ? Variant::Null() : Variant(DateText(random, 1925, 2020)), 1 + i % 2, isMarried ? 2 : 1,
             isMarried ? Variant(DateText(random, 1950, 2023)) : Variant::Null(), 1, true,
             QString(QStringLiteral("1") + QString::number(i).rightJustified(5, QLatin1Char('0')))});
        for (int kind = 1; kind <= 2; ++kind)
            db->Execute(
                QStringLiteral("INSERT INTO PersonAddress (DateEntered, PersonID, Name, AddressPart1, AddressPart3, "
                               "AddressPart4, AddressPart5, IsHomeAddress, IsWorkAddress) VALUES (?,?,?,?,?,?,?,?,?)"),
                {now, i, kind == 1 ? QStringLiteral("Home") : QStringLiteral("Work"),
                 QStringLiteral("%1 Main St").arg(i), QStringLiteral("Springfield"), QStringLiteral("IL"),
                 QStringLiteral("62701"), kind == 1, kind == 2});
        for (int kind = 1; kind <= 4; ++kind)
            db->Execute(QStringLiteral("INSERT INTO PersonPhoneNumber (DateEntered, PersonID, Name, PhoneNumber, "
                                       "IsHomePhoneNumber, IsWorkPhoneNumber, IsCellPhoneNumber, IsFaxNumber) "
                                       "VALUES (?,?,?,?,?,?,?,?)"),
                        {now, i, QStringLiteral("Kind %1").arg(kind),
                         QStringLiteral("555-%1").arg(i, 5, 10, QLatin1Char('0')), kind == 1, kind == 2, kind == 3,
                         kind == 4});
        for (int kind = 1; kind <= 2; ++kind)
            db->Execute(QStringLiteral("INSERT INTO PersonEMailAddress (DateEntered, PersonID, Name, EMailAddress, "
                                       "IsPersonalEMailAddress, IsWorkEMailAddress) VALUES (?,?,?,?,?,?)"),
                        {now, i, kind == 1 ? QStringLiteral("Personal") : QStringLiteral("Work"),
                         QStringLiteral("p%1@example.org").arg(i), kind == 1, kind == 2});
        if (i % 3 == 1) {
            db->Execute(QStringLiteral("INSERT INTO Family (DateEntered, Name) VALUES (?,?)"), {now, last});
            familyId = static_cast<int>(db->LastInsertId());
        }
        db->Execute(QStringLiteral("INSERT INTO PersonToFamily (DateEntered, PersonID, FamilyID, IsHeadOfFamily) "
                                   "VALUES (?,?,?,?)"),
                    {now, i, familyId, i % 3 == 1});
        if (i % 250 == 1) {
            db->Execute(QStringLiteral("INSERT INTO \"Group\" (DateEntered, GroupTypeID, Name) VALUES (?,?,?)"),
                        {now, 1 + i % 5, QStringLiteral("Group %1").arg(i)});
            db->Execute(QStringLiteral("INSERT INTO PersonToGroup (DateEntered, PersonID, GroupID, IsHeadOfGroup) "
                                       "VALUES (?,?,?,1)"),
                        {now, i, static_cast<int>(db->LastInsertId())});
        }
    }
    transaction.Commit();
}

} // namespace test
