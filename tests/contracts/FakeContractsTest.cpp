#include "contracts/IApplication.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IDefault.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"

#include <gtest/gtest.h>

#include <QStringList>

// Fakes that override every member with the expected signature: they compile only while the contracts
// keep those members, and they are `final` so an unimplemented pure member stops the build.
namespace {

using platform::DictionaryPtr;
using platform::RecordsetPtr;

QString Arg(const QDateTime& value) { return value.isValid() ? value.toString(Qt::ISODate) : QStringLiteral("-"); }
QString Arg(const QString& value) { return value.isEmpty() ? QStringLiteral("''") : value; }
template <typename T> QString Arg(T value) { return QString::number(static_cast<int64_t>(value)); }

class Recorder {
public:
    template <typename... A> void Record(const char* name, const A&... args) {
        m_call = QString::fromLatin1(name);
        m_args = QStringList{Arg(args)...};
    }
    QString m_call;
    QStringList m_args;
};

#define FAKE_RS0(name) RecordsetPtr name() override { Record(#name); return nullptr; }
#define FAKE_RS_EN(name) RecordsetPtr name(amb::EnumLookupOption en) override { Record(#name, en); return nullptr; }
#define FAKE_RS_N(name) RecordsetPtr name(int32_t n) override { Record(#name, n); return nullptr; }
#define FAKE_RS_S(name) RecordsetPtr name(const QString& s) override { Record(#name, s); return nullptr; }
#define FAKE_RS_NN(name, a, b) RecordsetPtr name(int32_t a, int32_t b) override { Record(#name, a, b); return nullptr; }
#define FAKE_RS_NS(name) RecordsetPtr name(int32_t nPerson, const QString& s) override { Record(#name, nPerson, s); return nullptr; }
#define FAKE_RS_SEARCH(name) RecordsetPtr name(const QString& sSearchText) override { Record(#name, sSearchText); return nullptr; }
#define FAKE_RS_DD(name) RecordsetPtr name(const QDateTime& dtStart, const QDateTime& dtEnd) override { Record(#name, dtStart, dtEnd); return nullptr; }
#define FAKE_DICT(name) int32_t name(const DictionaryPtr&) override { Record(#name); return 1; }
#define FAKE_N(name) int32_t name(int32_t n) override { Record(#name, n); return 1; }
#define FAKE_NN(name, a, b) int32_t name(int32_t a, int32_t b) override { Record(#name, a, b); return 1; }

class FakeDatabaseManager final : public amb::IDatabaseManager, public Recorder {
public:
    amb::EnumDatabaseType DatabaseType() override { return amb::EnumDatabaseType::MSAccess; }
    void SetDatabaseType(amb::EnumDatabaseType) override {}
    bool UseStoredProcedures() override { return false; }
    void SetUseStoredProcedures(bool) override {}
    QString ConnectionString() override { return {}; }
    void SetConnectionString(const QString&) override {}
    amb::IApplicationPtr AmbApplication() override { return nullptr; }
    void SetAmbApplication(const amb::IApplicationPtr&) override {}
    bool ReturnEOF() override { return false; }
    void SetReturnEOF(bool) override {}

    FAKE_RS_EN(GetLookupAddressName) FAKE_RS_EN(GetLookupAgeClassification) FAKE_RS_EN(GetLookupOfferingTypeName)
    FAKE_RS_EN(GetLookupEMailAddressName) FAKE_RS_EN(GetLookupExpenseTypeName)
    FAKE_RS_EN(GetLookupFamilyRelationshipName) FAKE_RS_EN(GetLookupGroupPositionName) FAKE_RS_EN(GetLookupGroupType)
    FAKE_RS_EN(GetLookupPhoneNumberName) FAKE_RS_EN(GetLookupMaritalStatus) FAKE_RS_EN(GetLookupMemberClassification)
    FAKE_RS_EN(GetLookupMemberStatus) FAKE_RS_EN(GetLookupPersonTitleName) FAKE_RS_EN(GetLookupReport)
    FAKE_RS_EN(GetLookupSex) FAKE_RS_EN(GetLookupState)

    FAKE_RS0(GetAllGroup) FAKE_RS0(GetAllUser)
    FAKE_RS_N(GetAddressNameByID) FAKE_RS_N(GetAgeClassificationByID) FAKE_RS_N(GetOfferingByID)
    FAKE_RS_N(GetOfferingTypeNameByID) FAKE_RS_N(GetEMailAddressNameByID) FAKE_RS_N(GetExpenseByID)
    FAKE_RS_N(GetExpenseTypeNameByID) FAKE_RS_N(GetFamilyByID) FAKE_RS_N(GetFamilyRelationshipNameByID)
    FAKE_RS_N(GetGroupByID) FAKE_RS_N(GetGroupByGroupTypeID) FAKE_RS_N(GetGroupPositionNameByID)
    FAKE_RS_N(GetGroupTypeByID) FAKE_RS_N(GetMaritalStatusByID) FAKE_RS_N(GetMemberClassificationByID)
    FAKE_RS_N(GetMemberStatusByID) FAKE_RS_N(GetPersonTitleNameByID) FAKE_RS_N(GetPersonByID)
    FAKE_RS_N(GetPersonAddressByID) FAKE_RS_N(GetPersonEMailAddressByID) FAKE_RS_N(GetPersonPhoneNumberByID)
    FAKE_RS_N(GetPersonToFamilyByID) FAKE_RS_N(GetPersonToGroupByID) FAKE_RS_N(GetPhoneNumberNameByID)
    FAKE_RS_N(GetReportByID) FAKE_RS_N(GetStateByID) FAKE_RS_N(GetUserByID)
    FAKE_RS_N(GetFamilyByPersonID) FAKE_RS_N(GetGroupByPersonID) FAKE_RS_N(GetAddressByPersonID)
    FAKE_RS_N(GetOfferingByPersonID) FAKE_RS_NN(GetOfferingByPersonIDAndTypeID, nPerson, nType)
    FAKE_RS_N(GetEMailAddressByPersonID) FAKE_RS_N(GetPhoneNumberByPersonID) FAKE_RS_N(GetPersonByFamilyID)
    FAKE_RS_N(GetPersonByGroupID) FAKE_RS_N(GetHeadOfFamilyByFamilyID) FAKE_RS_N(GetHeadOfGroupByGroupID)
    FAKE_RS_N(GetHomeAddressByPersonID) FAKE_RS_N(GetHomePhoneNumberByPersonID)
    FAKE_RS_N(GetPersonalEMailAddressByPersonID) FAKE_RS_NN(GetPersonToFamilyByFamilyIDAndPersonID, nFamily, nPerson)
    FAKE_RS_NN(GetPersonToGroupByGroupIDAndPersonID, nGroup, nPerson)
    FAKE_RS_S(GetAddressNameByName) FAKE_RS_S(GetAgeClassificationByName) FAKE_RS_S(GetOfferingTypeNameByName)
    FAKE_RS_S(GetEMailAddressNameByName) FAKE_RS_S(GetExpenseTypeNameByName) FAKE_RS_S(GetFamilyByName)
    FAKE_RS_S(GetFamilyRelationshipNameByName) FAKE_RS_S(GetGroupByName) FAKE_RS_S(GetGroupPositionNameByName)
    FAKE_RS_S(GetGroupTypeByName) FAKE_RS_S(GetMaritalStatusByName) FAKE_RS_S(GetMemberClassificationByName)
    FAKE_RS_S(GetMemberStatusByName) FAKE_RS_S(GetPersonTitleNameByName) FAKE_RS_NS(GetPersonAddressByName)
    FAKE_RS_NS(GetPersonEMailAddressByName) FAKE_RS_NS(GetPersonPhoneNumberByName)
    FAKE_RS_S(GetPhoneNumberNameByName) FAKE_RS_S(GetReportByName) FAKE_RS_S(GetStateByName)
    FAKE_RS_S(GetUserByUsername)
    RecordsetPtr GetUserByUsernameAndPassword(const QString& sUsername, const QString&) override {
        Record("GetUserByUsernameAndPassword", sUsername);
        return nullptr;
    }
    FAKE_RS_SEARCH(GetPersonBySearchText) FAKE_RS_SEARCH(GetFamilyBySearchText) FAKE_RS_SEARCH(GetGroupBySearchText)
    RecordsetPtr GetImportantDateByMonth(int16_t nMonth) override { Record("GetImportantDateByMonth", nMonth); return nullptr; }
    FAKE_RS_DD(GetOfferingByDateRange) FAKE_RS_DD(GetExpenseByDateRange)
    RecordsetPtr GetMailingAddress(const QString& sAddressName) override { Record("GetMailingAddress", sAddressName); return nullptr; }
    DictionaryPtr GetMemberRecordStat() override { Record("GetMemberRecordStat"); return nullptr; }

    FAKE_DICT(UpdateAddressName) FAKE_DICT(UpdateAgeClassification) FAKE_DICT(UpdateOfferingTypeName)
    FAKE_DICT(UpdateEMailAddressName) FAKE_DICT(UpdateExpense) FAKE_DICT(UpdateExpenseTypeName)
    FAKE_DICT(UpdateFamily) FAKE_DICT(UpdateFamilyRelationshipName) FAKE_DICT(UpdateGroup)
    FAKE_DICT(UpdateGroupPositionName) FAKE_DICT(UpdateGroupType) FAKE_DICT(UpdateMaritalStatus)
    FAKE_DICT(UpdateMemberClassification) FAKE_DICT(UpdateMemberStatus) FAKE_DICT(UpdatePersonTitleName)
    FAKE_DICT(UpdatePerson) FAKE_DICT(UpdatePersonAddress) FAKE_DICT(UpdatePersonOffering)
    FAKE_DICT(UpdatePersonEMailAddress) FAKE_DICT(UpdatePersonPhoneNumber) FAKE_DICT(UpdatePersonToFamily)
    FAKE_DICT(UpdatePersonToGroup) FAKE_DICT(UpdatePhoneNumberName) FAKE_DICT(UpdateReport) FAKE_DICT(UpdateState)
    FAKE_DICT(UpdateUser)

    FAKE_N(DeleteAddressName) FAKE_N(DeleteAgeClassification) FAKE_N(DeleteOfferingTypeName)
    FAKE_N(DeleteEMailAddressName) FAKE_N(DeleteExpense) FAKE_N(DeleteExpenseTypeName) FAKE_N(DeleteFamily)
    FAKE_N(DeleteFamilyRelationshipName) FAKE_N(DeleteGroup) FAKE_N(DeleteGroupPositionName) FAKE_N(DeleteGroupType)
    FAKE_N(DeleteMaritalStatus) FAKE_N(DeleteMemberClassification) FAKE_N(DeleteMemberStatus)
    FAKE_N(DeletePersonTitleName) FAKE_N(DeletePerson) FAKE_N(DeletePersonAddress) FAKE_N(DeletePersonOffering)
    FAKE_N(DeletePersonEMailAddress) FAKE_N(DeletePersonPhoneNumber) FAKE_N(DeletePersonToFamily)
    FAKE_NN(DeletePersonToFamilyByPersonIDAndFamilyID, nPerson, nFamily) FAKE_N(DeletePersonToGroup)
    FAKE_NN(DeletePersonToGroupByPersonIDAndGroupID, nPerson, nGroup) FAKE_N(DeletePhoneNumberName)
    FAKE_N(DeleteReport) FAKE_N(DeleteState) FAKE_N(DeleteUser)

    FAKE_NN(SetMemberHeadOfFamily, nPerson, nFamily) FAKE_NN(SetMemberHeadOfGroup, nPerson, nGroup)
    int32_t SetMemberFamilyRelationship(int32_t nPerson, int32_t nFamily, const QString& sRelationship) override {
        Record("SetMemberFamilyRelationship", nPerson, nFamily, sRelationship);
        return 1;
    }
    int32_t SetMemberGroupPosition(int32_t nPerson, int32_t nGroup, const QString& sPosition) override {
        Record("SetMemberGroupPosition", nPerson, nGroup, sPosition);
        return 1;
    }
    int32_t SetUserPassword(const QString& sUsername, const QString&, const QString&) override {
        Record("SetUserPassword", sUsername);
        return 1;
    }
    int32_t SetUserDateLogin(int32_t nUser, const QDateTime& dt) override { Record("SetUserDateLogin", nUser, dt); return 1; }
    int32_t SetEnvelopCode(int32_t nPerson) override { Record("SetEnvelopCode", nPerson); return 1; }
    FAKE_NN(CopyFamilyAddressAndPhoneNumber, nPerson, nFamily)

    RecordsetPtr GetReportBalanceSheet(const QDateTime& dtStart, const QDateTime& dtEnd) override {
        Record("GetReportBalanceSheet", dtStart, dtEnd);
        return nullptr;
    }
    RecordsetPtr GetReportExpenseList(const QDateTime& dtStart, const QDateTime& dtEnd, int32_t nExpenseType) override {
        Record("GetReportExpenseList", dtStart, dtEnd, nExpenseType);
        return nullptr;
    }
    RecordsetPtr GetReportExpenseSummary(const QDateTime& dtStart, const QDateTime& dtEnd) override {
        Record("GetReportExpenseSummary", dtStart, dtEnd);
        return nullptr;
    }
    RecordsetPtr GetReportOfferingList(const QDateTime& dtStart, const QDateTime& dtEnd, int32_t nOfferingType,
                                       int32_t nPerson) override {
        Record("GetReportOfferingList", dtStart, dtEnd, nOfferingType, nPerson);
        return nullptr;
    }
    RecordsetPtr GetReportOfferingSummary(const QDateTime& dtStart, const QDateTime& dtEnd) override {
        Record("GetReportOfferingSummary", dtStart, dtEnd);
        return nullptr;
    }
    RecordsetPtr GetReportGroupList(int32_t nGroupType) override { Record("GetReportGroupList", nGroupType); return nullptr; }
    RecordsetPtr GetReportGroupMailingLabel(int32_t nGroupType) override {
        Record("GetReportGroupMailingLabel", nGroupType);
        return nullptr;
    }
    RecordsetPtr GetReportFamilyList(const QString& sCity, const QString& sState, const QString& sZipCode) override {
        Record("GetReportFamilyList", sCity, sState, sZipCode);
        return nullptr;
    }
    RecordsetPtr GetReportFamilyMailingLabel(const QString& sCity, const QString& sState,
                                             const QString& sZipCode) override {
        Record("GetReportFamilyMailingLabel", sCity, sState, sZipCode);
        return nullptr;
    }
    RecordsetPtr GetReportMemberList(int32_t nClassification, int32_t nAgeClassification, int32_t nMemberStatus,
                                     int32_t nSex, int32_t nMaritalStatus, int16_t nBaptized, const QString& sCity,
                                     const QString& sState, const QString& sZipCode) override {
        Record("GetReportMemberList", nClassification, nAgeClassification, nMemberStatus, nSex, nMaritalStatus,
               nBaptized, sCity, sState, sZipCode);
        return nullptr;
    }
    RecordsetPtr GetReportMemberMailingLabel(int32_t nClassification, int32_t nAgeClassification,
                                             int32_t nMemberStatus, int32_t nSex, int32_t nMaritalStatus,
                                             int16_t nBaptized, const QString& sCity, const QString& sState,
                                             const QString& sZipCode, const QString& sAddressName) override {
        Record("GetReportMemberMailingLabel", nClassification, nAgeClassification, nMemberStatus, nSex,
               nMaritalStatus, nBaptized, sCity, sState, sZipCode, sAddressName);
        return nullptr;
    }
    RecordsetPtr GetReportMonthlyBirthdayList(int32_t nMonth) override {
        Record("GetReportMonthlyBirthdayList", nMonth);
        return nullptr;
    }
    int32_t Purge() override { Record("Purge"); return 1; }
    int32_t Convert() override { Record("Convert"); return 1; }
};

class FakeWindowLoader final : public amb::IWindowLoader, public Recorder {
public:
    amb::IApplicationPtr AmbApplication() override { return nullptr; }
    void SetAmbApplication(const amb::IApplicationPtr&) override {}
    int32_t ShowBatchOfferingWindow() override { return -1; }
    int32_t ShowBatchExpenseWindow() override { return -1; }
    int32_t ShowOfferingWindow(int32_t, amb::EnumOfferingWindowType) override { return -1; }
    int32_t ShowExpenseWindow(int32_t, amb::EnumOfferingWindowType) override { return -1; }
    int32_t ShowFamilyWindow(int32_t) override { return -1; }
    int32_t ShowGroupWindow(int32_t) override { return -1; }
    int32_t ShowOptionWindow() override { return -1; }
    int32_t ShowPersonWindow(int32_t n, amb::EnumFamilyGroup enParentForm, int32_t nFamilyGroupID) override {
        Record("ShowPersonWindow", n, enParentForm, nFamilyGroupID);
        return n;
    }
    int32_t ShowReportWindow() override { return 1; }
    int32_t ShowListWindow(amb::EnumWindowType) override { return -1; }
    int32_t ShowLogInWindow() override { return -1; }
    int32_t ShowChangePasswordWindow(const QString&, const QString&) override { return -1; }
    int32_t ShowUserWindow(int32_t) override { return -1; }
    int32_t ShowNameWindow(amb::EnumWindowType, int32_t) override { return -1; }
    int32_t ShowSearchWindow(amb::EnumSearchWindowType, int32_t) override { return -1; }
};

class FakeReportPrinter final : public amb::IReportPrinter {
public:
    amb::IApplicationPtr AmbApplication() override { return nullptr; }
    void SetAmbApplication(const amb::IApplicationPtr&) override {}
    QString ReportName() override { return {}; }
    void SetReportName(const QString&) override {}
    QString ExportFileName() override { return {}; }
    void SetExportFileName(const QString&) override {}
    amb::EnumReportExportType ExportFileType() override { return amb::EnumReportExportType::RichTextFormatFile; }
    void SetExportFileType(amb::EnumReportExportType) override {}
    bool PrintToFile() override { return false; }
    void SetPrintToFile(bool) override {}
    platform::ObjectPtr ReportViewer() override { return nullptr; }
    void SetReportViewer(const platform::ObjectPtr&) override {}
    void InitializeReportPrinter() override {}
    void Clear() override {}
    amb::EnumReportError PrintReport(const DictionaryPtr&) override { return amb::EnumReportError{0}; }
};

class FakeApplication final : public amb::IApplication {
public:
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
    amb::IDatabaseManagerPtr DatabaseManager() override { return m_database; }
    void SetDatabaseManager(const amb::IDatabaseManagerPtr& value) override { m_database = value; }
    amb::IWindowLoaderPtr WindowLoader() override { return m_loader; }
    void SetWindowLoader(const amb::IWindowLoaderPtr& value) override { m_loader = value; }
    amb::IReportPrinterPtr ReportPrinter() override { return m_printer; }
    void SetReportPrinter(const amb::IReportPrinterPtr& value) override { m_printer = value; }
    DictionaryPtr StringTable() override { return nullptr; }
    int32_t OpenApplication() override { return 1; }
    int32_t CloseApplication() override { return 0; }

    amb::IDatabaseManagerPtr m_database;
    amb::IWindowLoaderPtr m_loader;
    amb::IReportPrinterPtr m_printer;
};

class FakeDefault final : public amb::IDefault {};

} // namespace

TEST(FakeContracts, OmittedOptionalParametersArriveAsZeroOfTheirType) {
    auto database = std::make_shared<FakeDatabaseManager>();
    amb::IDatabaseManager& contract = *database;

    contract.GetReportMemberMailingLabel();
    EXPECT_EQ(database->m_args, (QStringList{"0", "0", "0", "0", "0", "0", "''", "''", "''", "''"}));
    contract.GetReportMemberList(3, 0, 0, 0, 0, -1, QStringLiteral("서울"));
    EXPECT_EQ(database->m_args, (QStringList{"3", "0", "0", "0", "0", "-1", "서울", "''", "''"}));
    contract.GetReportOfferingList(platform::MakeDateTime(2024, 1, 1));
    EXPECT_EQ(database->m_args, (QStringList{"2024-01-01T00:00:00Z", "-", "0", "0"}));
    contract.GetReportBalanceSheet();
    EXPECT_EQ(database->m_call, QStringLiteral("GetReportBalanceSheet"));
    EXPECT_EQ(database->m_args, (QStringList{"-", "-"}));

    auto loader = std::make_shared<FakeWindowLoader>();
    static_cast<amb::IWindowLoader&>(*loader).ShowPersonWindow(7);
    EXPECT_EQ(loader->m_args, (QStringList{"7", "0", "0"})); // the person by itself: None, no family or group
}

TEST(FakeContracts, HubHandsOutComponentsThroughTheirContracts) {
    auto hub = std::make_shared<FakeApplication>();
    amb::IApplicationPtr application = hub;
    application->SetDatabaseManager(std::make_shared<FakeDatabaseManager>());
    application->SetWindowLoader(std::make_shared<FakeWindowLoader>());
    application->SetReportPrinter(std::make_shared<FakeReportPrinter>());

    // Every contract shares one Object base, so a component found by class name casts to its contract.
    platform::ObjectPtr asObject = application->ReportPrinter();
    EXPECT_TRUE(std::dynamic_pointer_cast<amb::IReportPrinter>(asObject));
    EXPECT_FALSE(std::dynamic_pointer_cast<amb::IDatabaseManager>(asObject));
    EXPECT_TRUE(std::dynamic_pointer_cast<amb::IDatabaseManager>(platform::ObjectPtr(application->DatabaseManager())));

    // 0 answers "unknown report" and is none of the result constants, so it reads as a failure.
    const auto result = application->ReportPrinter()->PrintReport(std::make_shared<platform::Dictionary>());
    EXPECT_NE(result, amb::EnumReportError::Success);
    EXPECT_EQ(static_cast<int32_t>(result), 0);
    EXPECT_TRUE(std::make_shared<FakeDefault>());
}

TEST(AmbEnums, LookupOptionBitsCombine) {
    using amb::EnumLookupOption;
    const auto both = EnumLookupOption::IncludeBlank | EnumLookupOption::IncludeAll;
    EXPECT_EQ(static_cast<int32_t>(both), 3);
    EXPECT_TRUE(amb::HasOption(both, EnumLookupOption::IncludeBlank));
    EXPECT_TRUE(amb::HasOption(both, EnumLookupOption::IncludeAll));
    EXPECT_FALSE(amb::HasOption(EnumLookupOption{0}, EnumLookupOption::IncludeBlank));
    EXPECT_FALSE(amb::HasOption(EnumLookupOption::IncludeAll, EnumLookupOption::IncludeBlank));
}

// Values that are stored in the registry or passed between components must never drift.
static_assert(static_cast<int32_t>(amb::EnumSupportedLocaleID::Korean) == 1042);
static_assert(static_cast<int32_t>(amb::EnumWindowType::User) == 13);
static_assert(static_cast<int32_t>(amb::EnumReportError::OperationNotAllowed) == -4);
static_assert(static_cast<int32_t>(amb::EnumReportType::OfferingSummary) == 12);
static_assert(static_cast<int32_t>(amb::EnumReportExportType::TabDelimitedFile) == 2);
static_assert(static_cast<int32_t>(amb::EnumSearchWindowType::PersonSearch) == 2);
