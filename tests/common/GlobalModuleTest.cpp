#include "common/GlobalModule.h"

#include "common/ResourceIDs.h"
#include "platform/data/Dictionary.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A hub whose every text is "T<id>", Korean for one id.
std::shared_ptr<test::FakeHub> HubWithTable() {
    auto hub = std::make_shared<test::FakeHub>();
    auto table = std::make_shared<platform::Dictionary>();
    for (int id = 1; id <= 340; ++id)
        table->SetItem(QString::number(id), QStringLiteral("T%1").arg(id));
    table->SetItem(QString::number(amb::res::kTextName), QStringLiteral("이름"));
    hub->SetStringTable(table);
    return hub;
}

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
    auto hub = HubWithTable();
    auto loader = std::make_shared<test::FakeWindowLoader>();
    loader->SetAmbApplication(hub);
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
    hub->SetStringTable(nullptr);
    EXPECT_EQ(amb::LoadResString(hub, 1), S(""));
}
