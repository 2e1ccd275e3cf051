#include "common/GlobalModule.h"

#include "common/ResourceIDs.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A hub that only has a string table: every text is "T<id>", Korean for one id.
class Hub final : public amb::IApplication {
public:
    Hub() : m_table(std::make_shared<platform::Dictionary>()) {
        for (int id = 1; id <= 340; ++id)
            m_table->SetItem(QString::number(id), QStringLiteral("T%1").arg(id));
        m_table->SetItem(QString::number(amb::res::kTextName), QStringLiteral("이름"));
    }
    QString AppDir() override { return {}; }
    QString ReportDir() override { return {}; }
    QString BackUpDir() override { return {}; }
    QString CompanyName() override { return {}; }
    void SetCompanyName(const QString&) override {}
    QString City() override { return {}; }
    void SetCity(const QString&) override {}
    QString State() override { return {}; }
    void SetState(const QString&) override {}
    QString Country() override { return {}; }
    void SetCountry(const QString&) override {}
    int32_t CurrentUserID() override { return 0; }
    void SetCurrentUserID(int32_t) override {}
    amb::EnumSupportedLocaleID NameLocaleID() override { return amb::EnumSupportedLocaleID::English; }
    void SetNameLocaleID(amb::EnumSupportedLocaleID) override {}
    amb::EnumSupportedLocaleID GUILocaleID() override { return amb::EnumSupportedLocaleID::English; }
    void SetGUILocaleID(amb::EnumSupportedLocaleID) override {}
    amb::EnumAddressFormat DefaultAddressFormat() override { return amb::EnumAddressFormat::USFormat; }
    void SetDefaultAddressFormat(amb::EnumAddressFormat) override {}
    bool AutoBackUp() override { return false; }
    void SetAutoBackUp(bool) override {}
    QString DateFormat() override { return {}; }
    void SetDateFormat(const QString&) override {}
    orv::IApplicationPtr OrvApplication() override { return nullptr; }
    void SetOrvApplication(const orv::IApplicationPtr&) override {}
    amb::IDatabaseManagerPtr DatabaseManager() override { return nullptr; }
    void SetDatabaseManager(const amb::IDatabaseManagerPtr&) override {}
    amb::IWindowLoaderPtr WindowLoader() override { return nullptr; }
    void SetWindowLoader(const amb::IWindowLoaderPtr&) override {}
    amb::IReportPrinterPtr ReportPrinter() override { return nullptr; }
    void SetReportPrinter(const amb::IReportPrinterPtr&) override {}
    platform::DictionaryPtr StringTable() override { return m_table; }
    int32_t OpenApplication() override { return 1; }
    int32_t CloseApplication() override { return 0; }

    platform::DictionaryPtr m_table;
};

class Loader final : public amb::IWindowLoader {
public:
    explicit Loader(amb::IApplicationPtr hub) : m_hub(std::move(hub)) {}
    amb::IApplicationPtr AmbApplication() override { return m_hub; }
    void SetAmbApplication(const amb::IApplicationPtr& value) override { m_hub = value; }
    int32_t ShowBatchOfferingWindow() override { return -1; }
    int32_t ShowBatchExpenseWindow() override { return -1; }
    int32_t ShowOfferingWindow(int32_t, amb::EnumOfferingWindowType) override { return -1; }
    int32_t ShowExpenseWindow(int32_t, amb::EnumOfferingWindowType) override { return -1; }
    int32_t ShowFamilyWindow(int32_t) override { return -1; }
    int32_t ShowGroupWindow(int32_t) override { return -1; }
    int32_t ShowOptionWindow() override { return -1; }
    int32_t ShowPersonWindow(int32_t, amb::EnumFamilyGroup, int32_t) override { return -1; }
    int32_t ShowReportWindow() override { return -1; }
    int32_t ShowListWindow(amb::EnumWindowType) override { return -1; }
    int32_t ShowLogInWindow() override { return -1; }
    int32_t ShowChangePasswordWindow(const QString&, const QString&) override { return -1; }
    int32_t ShowUserWindow(int32_t) override { return -1; }
    int32_t ShowNameWindow(amb::EnumWindowType, int32_t) override { return -1; }
    int32_t ShowSearchWindow(amb::EnumSearchWindowType, int32_t) override { return -1; }

private:
    amb::IApplicationPtr m_hub;
};

QString S(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(ListItemKeys, RoundTripAndOddKeys) {
    EXPECT_EQ(amb::MakeListItemKey(0), S("id||0"));
    EXPECT_EQ(amb::MakeListItemKey(42), S("id||42"));
    EXPECT_EQ(amb::MakeListItemKey(-998), S("id||-998"));
    for (int32_t id : {0, 1, 42, -1, INT32_MAX, INT32_MIN})
        EXPECT_EQ(amb::GetIDFromKey(amb::MakeListItemKey(id)), id);
    struct Case {
        const char* key;
        int32_t id;
    } cases[] = {
        {"id||7||True", 7},
        {"id||12||A-100", 12},
        {"42", 0},
        {"", 0},
        {"id||", 0},
        {"id||abc", 0},
        {"||9", 9},
        {"id|7", 0},
        {"id|| 8 ||x", 8},
        {"id||2.5", 2},
        {"id||99999999999", 0}, // unreadable: 0, never an escaping overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(amb::GetIDFromKey(S(c.key)), c.id) << c.key;
}

TEST(DisplayNames, PersonNames) {
    struct Case {
        const char *first, *middle, *last, *suffix, *expected;
    } cases[] = {
        {"Young", "", "Kim", "", "Kim, Young"},
        {"John", "Q", "Public", "Jr.", "Public, John Q Jr."},
        {"John", "", "", "III", "John III"},
        {"John", "Q", "", "", "John Q"},
        {"", "", "Kim", "", "Kim,"},
        {"", "", "", "", ""},
        {"", "", "", "Sr.", "Sr."},
        {"영희", "", "김", "", "김, 영희"},
        {"Mary", "", "O'Neil", "", "O'Neil, Mary"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amb::FormatPersonName(S(c.first), S(c.middle), S(c.last), S("Dr."), S(c.suffix)), S(c.expected))
            << c.expected;
}

TEST(DisplayNames, AddressesSkipEmptyPartsOnly) {
    EXPECT_EQ(amb::FormatAddress(S(""), S("12 Main St"), S(""), S("Springfield"), S("IL 62701")),
              S("12 Main St, Springfield, IL 62701"));
    EXPECT_EQ(amb::FormatAddress(S("a"), S("b"), S("c"), S("d"), S("e")), S("a, b, c, d, e"));
    EXPECT_EQ(amb::FormatAddress(S(""), S(""), S(""), S(""), S("")), S(""));
    EXPECT_EQ(amb::FormatAddress(S(""), S(""), S(""), S(""), S("e")), S("e"));
    EXPECT_EQ(amb::FormatAddress(S(" a "), S(""), S("서울"), S(""), S("")), S(" a , 서울"));
}

TEST(DisplayNames, ListTypesAndReportMessagesFromTheStringTable) {
    auto hub = std::make_shared<Hub>();
    auto loader = std::make_shared<Loader>(hub);
    using amb::EnumWindowType;
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::AddressName), S("T283 이름"));
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::EMailAddressName), S("T287 이름"));
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::PhoneNumberName), S("T295 이름"));
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::OfferingTypeName), S("T155"));
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::MemberClassification), S("T116"));
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::User), S("T172"));
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::State), S(""));
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType{99}), S(""));
    EXPECT_EQ(amb::GetListTypeName(nullptr, EnumWindowType::User), S(""));

    using amb::EnumReportError;
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::OperationNotAllowed), S("T252"));
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::NoReportFile), S("T251"));
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::SystemError), S("T250"));
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::NoRecordSelected), S("T210"));
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::Success), S(""));
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError{0}), S(""));

    EXPECT_EQ(amb::LoadResString(hub, 341), S(""));
    EXPECT_EQ(amb::LoadResString(nullptr, 1), S(""));
    hub->m_table.reset();
    EXPECT_EQ(amb::LoadResString(hub, 1), S(""));
}
