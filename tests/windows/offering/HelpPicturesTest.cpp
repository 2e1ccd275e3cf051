// The windows of the help's tasks, opened over a small congregation in each interface language as a
// person sees them while following the help, each checked against the help's picture of it (see
// HelpPicture; scripts/help-pictures.sh makes the pictures again).

#include "tests/support/HelpPicture.h"
#include "tests/windows/offering/OfferingFixture.h"

#include <QDir>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

using amb::EnumSupportedLocaleID;
using namespace amb::res;
using test::Child;
using test::Click;
using test::TypeText;

struct Congregation {
    QString head, spouse, child, single; // names as the name locale shows them
    QString family, group;
    QString street, city, state, zip;
};

struct Language {
    EnumSupportedLocaleID locale;
    const char* lcid;
    int32_t databaseLcid;
    amb::EnumAddressFormat addressFormat;
};

constexpr Language kLanguages[] = {
    {.locale = EnumSupportedLocaleID::English,
     .lcid = "1033",
     .databaseLcid = 1033,
     .addressFormat = amb::EnumAddressFormat::USFormat},
    {.locale = EnumSupportedLocaleID::Korean,
     .lcid = "1042",
     .databaseLcid = 1042,
     .addressFormat = amb::EnumAddressFormat::UnknownFormat},
};

class HelpPictures : public test::OfferingWindowTest, public ::testing::WithParamInterface<Language> {
protected:
    HelpPictures() : OfferingWindowTest(GetParam().locale, GetParam().databaseLcid) {
        m_hub->SetNameLocaleID(GetParam().locale);
        m_hub->SetDefaultAddressFormat(GetParam().addressFormat);
        // The date format a new installation of that language starts with.
        m_hub->SetDateFormat(English() ? QStringLiteral("m/d/yyyy") : QStringLiteral("yyyy-M-d"));
        // A new installation backs up at every start.
        m_hub->SetAutoBackUp(true);
        FillCongregation();
    }

    bool English() const { return GetParam().locale == EnumSupportedLocaleID::English; }

    // A family of three and a single member, with a home address, in the group of the first type.
    void FillCongregation() {
        const auto person = [&](const char* first, const char* last, const char* korean, int sex, const char* born) {
            const int32_t id = NewPerson(QString::fromUtf8(last), QString::fromUtf8(first), QString::fromUtf8(korean));
            raw->Execute(QStringLiteral("UPDATE Person SET SexID=?, MemberStatusID=1, MaritalStatusID=2, IsMember=1, "
                                        "IsBaptized=1, DOB=? WHERE ID=?"),
                         {sex, QDateTime(QDate::fromString(QString::fromLatin1(born), Qt::ISODate), QTime(0, 0)), id});
            if (English())
                raw->Execute(QStringLiteral("UPDATE PersonAddress SET AddressPart1='12 Oak Street', "
                                            "AddressPart3='Newark', AddressPart4='NJ', AddressPart5='07102' "
                                            "WHERE PersonID=? AND IsHomeAddress=1"),
                             {id});
            else
                raw->Execute(QStringLiteral("UPDATE PersonAddress SET AddressPart1='서울특별시 마포구 양화로 45', "
                                            "AddressPart2='04036' WHERE PersonID=? AND IsHomeAddress=1"),
                             {id});
            return id;
        };
        m_head = person("Daniel", "Kim", "김다니엘", 1, "1968-04-12");
        const int32_t spouse = person("Grace", "Kim", "이은혜", 2, "1971-09-30");
        const int32_t child = person("Joshua", "Kim", "김요셉", 1, "2004-01-18");
        m_single = person("Ann", "Lee", "이안나", 2, "1990-12-14");
        m_family =
            NewFamily(English() ? QStringLiteral("Kim, Daniel and Grace") : QStringLiteral("김다니엘 가정"), m_head);
        for (const int32_t member : {spouse, child})
            db->UpdatePersonToFamily(
                test::Record({{"ID", 0}, {"PersonID", member}, {"FamilyID", m_family}, {"IsHeadOfFamily", false}}));
        m_group = NewGroup(English() ? QStringLiteral("Sunday Choir") : QStringLiteral("주일 성가대"), m_single, 2);
        db->UpdatePersonToGroup(
            test::Record({{"ID", 0}, {"PersonID", spouse}, {"GroupID", m_group}, {"IsHeadOfGroup", false}}));
        // The head's relationship stays empty, as a new family's head has it.
        const std::pair<int32_t, int> relationships[] = {{spouse, 2}, {child, 3}};
        for (const auto& [member, relationship] : relationships)
            raw->Execute(QStringLiteral("UPDATE PersonToFamily SET Relationship=(SELECT FamilyRelationshipName FROM "
                                        "FamilyRelationshipName WHERE ID=?) WHERE PersonID=?"),
                         {relationship, member});
        const std::pair<int32_t, int> positions[] = {{m_single, 1}, {spouse, 5}};
        for (const auto& [member, position] : positions)
            raw->Execute(QStringLiteral("UPDATE PersonToGroup SET \"Position\"=(SELECT GroupPositionName FROM "
                                        "GroupPositionName WHERE ID=?) WHERE PersonID=?"),
                         {position, member});
    }

    QString EnvelopeOf(int32_t person) { return EnvelopCode(person); }

    // The window as it looks now, under the help's name for it.
    static void Save(QDialog& dialog, const char* name) {
        test::HelpPicture(dialog, QString::fromLatin1(GetParam().lcid), QString::fromLatin1(name));
    }

    // Amounts and month names as the desktop of that language shows them.
    test::LocaleScope m_locale{English() ? QLocale(QLocale::English, QLocale::UnitedStates)
                                         : QLocale(QLocale::Korean, QLocale::SouthKorea)};
    int32_t m_head = 0, m_single = 0, m_family = 0, m_group = 0;
};

TEST_P(HelpPictures, TheWindowsOfEachTaskOpenInTheLanguageOfItsHalf) {
    test::WindowSteps steps;
    QStringList shown;
    const auto step = [&](const char* form, const char* picture, std::function<void(QDialog&)> act = {}) {
        steps.Add(QString::fromLatin1(form), [=, &shown](QDialog& dialog) {
            if (act)
                act(dialog);
            Save(dialog, picture);
            shown << QString::fromLatin1(picture);
        });
    };

    step("LogInForm", "login", [](QDialog& d) { TypeText(d, "txtUsername", QStringLiteral("admin")); });
    m_loader->ShowLogInWindow();

    // The person window on its address page, and a new address of the same person.
    step("MemberForm", "member", [&](QDialog& d) {
        EXPECT_EQ(Child<QTabWidget>(d, "tabMain")->currentIndex(), 0);
        step("AddressForm", "address",
             [&](QDialog& a) { EXPECT_EQ(a.windowTitle(), Text(kTextNew) + u' ' + Text(kTitleAddress)); });
        test::ToolButton(d, "tbarAddress", 1)->trigger();
    });
    m_loader->ShowPersonWindow(m_single);

    step("AddOptionForm", "family-new", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), Text(kTitleNewFamily));
        TypeText(d, "txtName", English() ? QStringLiteral("Park, Samuel") : QStringLiteral("박사무엘 가정"));
        Child<QRadioButton>(d, "optAddOption0")->setChecked(true);
    });
    m_loader->ShowFamilyWindow(0);
    step("FamilyGroupForm", "family");
    m_loader->ShowFamilyWindow(m_family);
    step("FamilyGroupForm", "group");
    m_loader->ShowGroupWindow(m_group);

    // Sunday's offerings: two typed in the batch, then submitted.
    step("BatchForm", "batch-offering", [&](QDialog& batch) {
        EXPECT_EQ(batch.windowTitle(), Text(kTitleBatchOffering));
        const QString sunday = TypeName("OfferingTypeName", 2);
        steps.Add(QStringLiteral("OfferingExpenseForm"), [&, sunday](QDialog& d) {
            test::Choose(d, "cboOfferingTypeName", sunday);
            TypeText(d, "txtEnvelopCode", EnvelopeOf(m_head));
            TypeText(d, "txtAmount", English() ? QStringLiteral("50.00") : QStringLiteral("50000"));
            Save(d, "offering");
            shown << QStringLiteral("offering");
            Click(d, "cmdOK");
            test::Choose(d, "cboOfferingTypeName", sunday);
            TypeText(d, "txtEnvelopCode", EnvelopeOf(m_single));
            TypeText(d, "txtAmount", English() ? QStringLiteral("20.00") : QStringLiteral("30000"));
            Click(d, "cmdOK");
            Click(d, "cmdCancel");
        });
        test::ToolButton(batch, "tbarBatch", 1)->trigger();
        Click(batch, "cmdSubmit");
        EXPECT_EQ(Offerings(), 2);
    });
    m_loader->ShowBatchOfferingWindow();

    step("BatchForm", "batch-expense", [&](QDialog& batch) {
        step("OfferingExpenseForm", "expense", [&](QDialog& d) {
            test::Choose(d, "cboOfferingTypeName", TypeName("ExpenseTypeName", 2));
            TypeText(d, "txtExpenseName",
                     English() ? QStringLiteral("Electricity, November") : QStringLiteral("11월 전기 요금"));
            TypeText(d, "txtAmount", English() ? QStringLiteral("245.80") : QStringLiteral("245800"));
        });
        test::ToolButton(batch, "tbarBatch", 1)->trigger();
    });
    m_loader->ShowBatchExpenseWindow();

    // The report window's three steps for the offering list, and the options of the member labels.
    steps.Add(QStringLiteral("ReportForm"), [&](QDialog& d) {
        const auto report = [&](const char* internal) {
            return Value(QStringLiteral("SELECT Report FROM Report WHERE InternalName=?"),
                         {QString::fromLatin1(internal)})
                .ToString();
        };
        test::Choose(d, "cboReport", report("Offering List"));
        Save(d, "report-1");
        Click(d, "cmdNext");
        Save(d, "report-2");
        Click(d, "cmdNext");
        test::ClickWidget(Child<QRadioButton>(d, "optDestination1"));
        TypeText(d, "txtFile", English() ? QStringLiteral("offerings.pdf") : QStringLiteral("헌금.pdf"));
        Save(d, "report-3");
        Click(d, "cmdPrev");
        Click(d, "cmdPrev");
        test::Choose(d, "cboReport", report("Member Mailing Label - Avery 5160"));
        Click(d, "cmdNext");
        test::Choose(d, "cboMemberStatus", TypeName("MemberStatus", 1));
        Save(d, "report-labels");
        EXPECT_EQ(Child<QTabWidget>(d, "tabMain")->currentIndex(), 1);
        shown << QStringLiteral("report");
    });
    m_loader->ShowReportWindow();

    step("ListForm", "list");
    m_loader->ShowListWindow(amb::EnumWindowType::MemberTitle);
    step("UserForm", "user", [&](QDialog& d) {
        TypeText(d, "txtUsername", QStringLiteral("grace"));
        TypeText(d, "txtPassword", QStringLiteral("secret"));
        TypeText(d, "txtConfirmPassword", QStringLiteral("secret"));
        TypeText(d, "txtName", English() ? QStringLiteral("Grace Kim") : QStringLiteral("이은혜"));
    });
    m_loader->ShowUserWindow(0);
    step("ChangePasswordForm", "change-password");
    m_loader->ShowChangePasswordWindow(QStringLiteral("admin"), QString());
    step("OptionsForm", "options");
    m_loader->ShowOptionWindow();

    EXPECT_EQ(shown,
              (QStringList{"login", "address", "member", "family-new", "family", "group", "offering", "batch-offering",
                           "expense", "batch-expense", "report", "list", "user", "change-password", "options"}));
}

INSTANTIATE_TEST_SUITE_P(Help, HelpPictures, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.lcid); });

} // namespace
