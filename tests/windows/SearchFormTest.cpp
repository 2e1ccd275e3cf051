#include "common/ResourceIDs.h"
#include "tests/support/DatabaseWindowTest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>

namespace {

using namespace amb::res;

QTreeWidget* Result(QDialog& d) {
    return test::Child<QTreeWidget>(d, "lstvwResult");
}

// Types into the search box and presses Search, as a user does.
void Search(QDialog& d, const QString& text) {
    auto* box = test::Child<QComboBox>(d, "cboSearchText");
    box->setFocus();
    box->lineEdit()->setText(text);
    test::Click(d, "cmdSearch");
}

QStringList Column(QDialog& d, int column) {
    QStringList cells;
    for (int i = 0; i < Result(d)->topLevelItemCount(); ++i)
        cells << Result(d)->topLevelItem(i)->text(column);
    return cells;
}

void ClickHeader(QDialog& d, int column) {
    test::ClickHeader(Result(d), column);
}

class SearchFormTest : public test::DatabaseWindowTest {
protected:
    explicit SearchFormTest(amb::EnumSupportedLocaleID locale = amb::EnumSupportedLocaleID::English,
                            int32_t lcid = 1033)
        : DatabaseWindowTest(locale, lcid) {}

    int32_t Person(const QString& last, const QString& first, const QString& dob, const QString& language = {}) {
        return db->UpdatePerson(test::Record({{"ID", 0},
                                              {"LastName", last},
                                              {"FirstName", first},
                                              {"LanguageName", language},
                                              {"DOB", QDateTime::fromString(dob, Qt::ISODate)},
                                              {"IsMember", true}}));
    }
    int Queries() { return m_writer->TraceLinesWith("IDatabaseManager_GetPersonBySearchText()").size(); }
};

TEST_F(SearchFormTest, BlankTextAsksAndNoMatchSaysSo) {
    const int32_t gone = Person("Kim", "Deleted", "1980-01-01");
    raw->Execute("UPDATE Person SET IsDeleted=1 WHERE ID=?", {gone});
    test::ModalScript script([&](QDialog& d) {
        EXPECT_FALSE(test::Child<QPushButton>(d, "cmdOK")->isEnabled());
        Search(d, "   ");
        EXPECT_EQ(m_messages.Texts(), QStringList{Text(kMsgEnterSearchText)});
        EXPECT_EQ(Queries(), 0);
        Search(d, "Kim");
        EXPECT_EQ(m_messages.Texts().last(), Text(kMsgNoRecordFound));
        EXPECT_EQ(Result(d)->topLevelItemCount(), 0);
        EXPECT_FALSE(test::Child<QPushButton>(d, "cmdOK")->isEnabled());
        test::Click(d, "cmdCancel");
    });
    EXPECT_EQ(m_loader->ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0), -1);
    EXPECT_EQ(Queries(), 1);
}

// The short columns hold their whole text: sex, birth date and membership are never cut to "Fe...".
TEST_F(SearchFormTest, TheShortColumnsShowTheirWholeText) {
    const int32_t ann = Person("O'Neil", "Mary Ann", "1950-12-28");
    raw->Execute("UPDATE Person SET SexID=(SELECT ID FROM Sex WHERE Sex='Female') WHERE ID=?", {ann});
    test::ModalScript script([&](QDialog& d) {
        Search(d, "O'");
        QTreeWidget* list = Result(d);
        ASSERT_EQ(list->topLevelItemCount(), 1);
        const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        for (int column : {1, 2, 6}) {
            const QString text = list->topLevelItem(0)->text(column);
            EXPECT_FALSE(text.isEmpty()) << column;
            EXPECT_GE(list->columnWidth(column), list->fontMetrics().horizontalAdvance(text) + margins)
                << text.toStdString();
        }
        test::Click(d, "cmdCancel");
    });
    m_loader->ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0);
}

TEST_F(SearchFormTest, NamesKeysAndContactsOfEachPersonFoundOnce) {
    const int32_t full = db->UpdatePerson(test::Record({{"ID", 0},
                                                        {"LastName", "O'Neil"},
                                                        {"FirstName", "Ann"},
                                                        {"MiddleName", "B"},
                                                        {"Title", "Dr"},
                                                        {"Suffix", "Jr"},
                                                        {"LanguageName", "오닐 앤"},
                                                        {"IsMember", true}}));
    raw->Execute("UPDATE PersonAddress SET AddressPart1='1 Main St', AddressPart3='Springfield' "
                 "WHERE PersonID=? AND IsHomeAddress=1",
                 {full});
    raw->Execute("UPDATE PersonPhoneNumber SET PhoneNumber='555-0100' WHERE PersonID=? AND IsHomePhoneNumber=1",
                 {full});
    // A second home address must not list the person twice.
    raw->Execute("INSERT INTO PersonAddress (PersonID, Name, IsHomeAddress, IsWorkAddress, AddressPart1) "
                 "VALUES (?, 'Home 2', 1, 0, 'Elsewhere')",
                 {full});
    const int32_t bare = Person("O'Nan", "Bo", "", "");
    for (const char* table : {"PersonAddress", "PersonPhoneNumber", "PersonEMailAddress"})
        raw->Execute(QStringLiteral("DELETE FROM %1 WHERE PersonID=?").arg(table), {bare});
    raw->Execute("UPDATE Person SET EnvelopCode=NULL, IsMember=0 WHERE ID=?", {bare});
    const QString envelope = Value("SELECT EnvelopCode FROM Person WHERE ID=?", {full}).ToString();
    ASSERT_FALSE(envelope.isEmpty());
    Person("Kim", "Other", "1970-05-05");

    QString keyChosen;
    test::ModalScript script([&](QDialog& d) {
        Search(d, "o'n");
        ASSERT_EQ(Result(d)->topLevelItemCount(), 2);
        ClickHeader(d, 0);
        EXPECT_EQ(Column(d, 0), (QStringList{"O'Nan, Bo", "O'Neil, Ann B Jr"}));
        EXPECT_EQ(Column(d, 3), (QStringList{"", "1 Main St, Springfield"}));
        EXPECT_EQ(Column(d, 4), (QStringList{"", "555-0100"}));
        EXPECT_EQ(Column(d, 6), (QStringList{Text(kTextIsMemberNo), Text(kTextIsMemberYes)}));
        EXPECT_EQ(Result(d)->topLevelItem(0)->data(0, Qt::UserRole).toString(), QStringLiteral("id||%1||").arg(bare));
        EXPECT_EQ(Result(d)->topLevelItem(1)->data(0, Qt::UserRole).toString(),
                  QStringLiteral("id||%1||%2").arg(full).arg(envelope));

        // In the other name locale the row shows the name in the congregation's language, and that
        // name is searched too.
        m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
        Search(d, "오닐");
        EXPECT_EQ(Column(d, 0), QStringList{"오닐 앤"});
        const QPoint row = Result(d)->visualItemRect(Result(d)->topLevelItem(0)).center();
        QTest::mouseClick(Result(d)->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(Result(d)->viewport(), Qt::LeftButton, {}, row);
        EXPECT_FALSE(d.isVisible());
        keyChosen = Result(d)->currentItem()->data(0, Qt::UserRole).toString();
    });
    EXPECT_EQ(m_loader->ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0), full);
    EXPECT_EQ(keyChosen.section("||", 2), envelope);
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(SearchFormTest, EnterSearchesInTheBoxAndTheSortOrderHoldsForLaterSearches) {
    const int32_t older = Person("Park", "Older", "1990-12-01");
    const int32_t younger = Person("Park", "Younger", "1991-02-01");
    Person("Pak", "Nobody", "");
    test::ModalScript script([&](QDialog& d) {
        auto* box = test::Child<QComboBox>(d, "cboSearchText");
        box->setFocus();
        QTest::keyClicks(box->lineEdit(), "Park");
        test::PressKeyIn(box->lineEdit(), Qt::Key_Return);
        ASSERT_TRUE(d.isVisible());
        ASSERT_EQ(Result(d)->topLevelItemCount(), 2);
        // Birth dates sort as dates: "12/1/1990" comes before "2/1/1991".
        ClickHeader(d, 2);
        EXPECT_EQ(Column(d, 2), (QStringList{"12/1/1990", "2/1/1991"}));
        ClickHeader(d, 2);
        EXPECT_EQ(Column(d, 2), (QStringList{"2/1/1991", "12/1/1990"}));
        // A later search keeps that order, and OK right after it takes its first row.
        Search(d, "Par");
        EXPECT_EQ(Column(d, 1 + 1), (QStringList{"2/1/1991", "12/1/1990"}));
        Result(d)->setFocus();
        test::PressKeyIn(Result(d), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(m_loader->ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0), younger);
    EXPECT_NE(older, younger);
    EXPECT_TRUE(m_messages.Shown().empty());
}

class KoreanSearchFormTest : public SearchFormTest {
protected:
    KoreanSearchFormTest() : SearchFormTest(amb::EnumSupportedLocaleID::Korean, 1042) {}
};

TEST_F(KoreanSearchFormTest, FindsByTheKoreanNameAndShowsKoreanTexts) {
    m_hub->SetNameLocaleID(amb::EnumSupportedLocaleID::Korean);
    const int32_t id = Person("Kim", "Cheolsu", "1985-03-15", "김철수");
    test::ModalScript script([&](QDialog& d) {
        Search(d, "김");
        EXPECT_EQ(Column(d, 0), QStringList{"김철수"});
        EXPECT_EQ(Result(d)->headerItem()->text(0), Text(kColumnName));
        test::Click(d, "cmdOK");
    });
    EXPECT_EQ(m_loader->ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0), id);
}

} // namespace
