#include "common/GlobalModule.h"

#include "common/ResourceIDs.h"
#include "platform/data/Dictionary.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ListItemKeys, RoundTripAndOddKeys) {
    EXPECT_EQ(amb::MakeListItemKey(-998), "id||-998");
    EXPECT_EQ(amb::MakeFlaggedListItemKey(12, true), "id||12||True");
    EXPECT_EQ(amb::GetIDFromKey(amb::MakeFlaggedListItemKey(-3, false)), -3);
    // A key without the flag is told apart from one whose flag is False.
    EXPECT_EQ(amb::GetFlagFromKey(amb::MakeFlaggedListItemKey(5, true)), true);
    EXPECT_EQ(amb::GetFlagFromKey(amb::MakeFlaggedListItemKey(5, false)), false);
    EXPECT_EQ(amb::GetFlagFromKey(amb::MakeListItemKey(5)), std::nullopt);
    for (int32_t id : {0, 42, INT32_MAX, INT32_MIN})
        EXPECT_EQ(amb::GetIDFromKey(amb::MakeListItemKey(id)), id);
    const std::pair<const char*, int32_t> cases[] = {
        {"id||7||True", 7}, {"42", 0},      {"id||abc", 0},        {"||9", 9}, {"id|7", 0},
        {"id|| 8 ||x", 8},  {"id||2.5", 2}, {"id||99999999999", 0} // unreadable: 0, never an escaping overflow
    };
    for (const auto& [key, id] : cases)
        EXPECT_EQ(amb::GetIDFromKey(key), id) << key;
}

TEST(DisplayNames, PersonNamesAndAddressesSkipEmptyParts) {
    struct Case {
        const char *first, *middle, *last, *suffix, *expected;
    } cases[] = {{"John", "Q", "Public", "Jr.", "Public, John Q Jr."},
                 {"John", "", "", "III", "John III"},
                 {"", "", "Kim", "", "Kim,"},
                 {"", "", "", "", ""},
                 {"영희", "", "김", "", "김, 영희"},
                 {"Mary", "", "O'Neil", "", "O'Neil, Mary"}};
    for (const auto& c : cases)
        EXPECT_EQ(amb::FormatPersonName(c.first, c.middle, c.last, "Dr.", c.suffix), QString::fromUtf8(c.expected))
            << c.expected;

    EXPECT_EQ(amb::FormatAddress("", "12 Main St", "", "Springfield", "IL 62701"), "12 Main St, Springfield, IL 62701");
    EXPECT_EQ(amb::FormatAddress("", "", "", "", ""), "");
    EXPECT_EQ(amb::FormatAddress(" a ", "", "서울", "", ""), " a , 서울");
}

TEST(DisplayNames, ListTypesAndReportMessagesFromTheStringTable) {
    // Every text is "T<id>", Korean for one id.
    auto hub = std::make_shared<test::FakeHub>();
    auto table = std::make_shared<platform::Dictionary>();
    for (int id = 1; id <= amb::res::kLastId; ++id)
        table->SetItem(QString::number(id), QStringLiteral("T%1").arg(id));
    table->SetItem(QString::number(amb::res::kTextName), "이름");
    hub->SetStringTable(table);
    auto loader = std::make_shared<test::FakeWindowLoader>();
    loader->SetAmbApplication(hub);

    using amb::EnumWindowType;
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::AddressName), "T283 이름");
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::PhoneNumberName), "T295 이름");
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::OfferingTypeName), "T155");
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::User), "T172");
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType::State), "");
    EXPECT_EQ(amb::GetListTypeName(loader, EnumWindowType{99}), "");
    EXPECT_EQ(amb::GetListTypeName(nullptr, EnumWindowType::User), "");

    using amb::EnumReportError;
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::OperationNotAllowed), "T252");
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::NoRecordSelected), "T210");
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::Success), "");
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError{0}), "");
    // A system error says the cause that the printer kept, where it knows one.
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::SystemError), "T250");
    auto printer = std::make_shared<test::FakeReportPrinter>();
    hub->SetReportPrinter(printer);
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::SystemError), "T250");
    printer->failure = amb::EnumReportFailure::NoPrinter;
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::SystemError), "T349");
    EXPECT_EQ(amb::GetReportErrorMessage(hub, EnumReportError::NoRecordSelected), "T210");
    hub->SetReportPrinter(nullptr);

    EXPECT_EQ(amb::LoadResString(hub, amb::res::kLastId + 1), "");
    EXPECT_EQ(amb::LoadResString(nullptr, 1), "");
    hub->SetStringTable(nullptr);
    EXPECT_EQ(amb::LoadResString(hub, 1), "");
}
