#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

// The members of each contract, in the order callers and implementers rely on. The headers are read
// as text so that a member dropped, added or moved shows here, not as a link error far away.
namespace {

QStringList DeclaredMembers(const QString& header) {
    QFile file(QStringLiteral(AMB_SOURCE_DIR "/contracts/") + header);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression member(QStringLiteral(R"(virtual\s+[^;(){}]*?\b(\w+)\s*\()"));
    QStringList names;
    for (auto it = member.globalMatch(text); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

const QStringList kApplication = {
    "AppDir", "ReportDir", "BackUpDir", "CompanyName", "SetCompanyName", "City", "SetCity", "State", "SetState",
    "Country", "SetCountry", "CurrentUserID", "SetCurrentUserID", "NameLocaleID", "SetNameLocaleID", "GUILocaleID",
    "SetGUILocaleID", "DefaultAddressFormat", "SetDefaultAddressFormat", "AutoBackUp", "SetAutoBackUp", "DateFormat",
    "SetDateFormat", "OrvApplication", "SetOrvApplication", "DatabaseManager", "SetDatabaseManager", "WindowLoader",
    "SetWindowLoader", "ReportPrinter", "SetReportPrinter", "StringTable", "OpenApplication", "CloseApplication",
};

const QStringList kWindowLoader = {
    "AmbApplication", "SetAmbApplication", "ShowBatchOfferingWindow", "ShowBatchExpenseWindow", "ShowOfferingWindow",
    "ShowExpenseWindow", "ShowFamilyWindow", "ShowGroupWindow", "ShowOptionWindow", "ShowPersonWindow",
    "ShowReportWindow", "ShowListWindow", "ShowLogInWindow", "ShowChangePasswordWindow", "ShowUserWindow",
    "ShowNameWindow", "ShowSearchWindow",
};

const QStringList kReportPrinter = {
    "AmbApplication", "SetAmbApplication", "ReportName", "SetReportName", "ExportFileName", "SetExportFileName",
    "ExportFileType", "SetExportFileType", "PrintToFile", "SetPrintToFile", "ReportViewer", "SetReportViewer",
    "InitializeReportPrinter", "Clear", "PrintReport",
};

const QStringList kDatabaseProperties = {
    "DatabaseType", "SetDatabaseType", "UseStoredProcedures", "SetUseStoredProcedures", "ConnectionString",
    "SetConnectionString", "AmbApplication", "SetAmbApplication", "ReturnEOF", "SetReturnEOF",
};

const QStringList kDatabaseLookups = {
    "GetLookupAddressName", "GetLookupAgeClassification", "GetLookupOfferingTypeName", "GetLookupEMailAddressName",
    "GetLookupExpenseTypeName", "GetLookupFamilyRelationshipName", "GetLookupGroupPositionName", "GetLookupGroupType",
    "GetLookupPhoneNumberName", "GetLookupMaritalStatus", "GetLookupMemberClassification", "GetLookupMemberStatus",
    "GetLookupPersonTitleName", "GetLookupReport", "GetLookupSex", "GetLookupState",
};

const QStringList kDatabaseReads = {
    "GetAllGroup", "GetAllUser", "GetAddressNameByID", "GetAgeClassificationByID", "GetOfferingByID",
    "GetOfferingTypeNameByID", "GetEMailAddressNameByID", "GetExpenseByID", "GetExpenseTypeNameByID", "GetFamilyByID",
    "GetFamilyRelationshipNameByID", "GetGroupByID", "GetGroupByGroupTypeID", "GetGroupPositionNameByID",
    "GetGroupTypeByID", "GetMaritalStatusByID", "GetMemberClassificationByID", "GetMemberStatusByID",
    "GetPersonTitleNameByID", "GetPersonByID", "GetPersonAddressByID", "GetPersonEMailAddressByID",
    "GetPersonPhoneNumberByID", "GetPersonToFamilyByID", "GetPersonToGroupByID", "GetPhoneNumberNameByID",
    "GetReportByID", "GetStateByID", "GetUserByID", "GetFamilyByPersonID", "GetGroupByPersonID",
    "GetAddressByPersonID", "GetOfferingByPersonID", "GetOfferingByPersonIDAndTypeID", "GetEMailAddressByPersonID",
    "GetPhoneNumberByPersonID", "GetPersonByFamilyID", "GetPersonByGroupID", "GetHeadOfFamilyByFamilyID",
    "GetHeadOfGroupByGroupID", "GetHomeAddressByPersonID", "GetHomePhoneNumberByPersonID",
    "GetPersonalEMailAddressByPersonID", "GetPersonToFamilyByFamilyIDAndPersonID",
    "GetPersonToGroupByGroupIDAndPersonID", "GetAddressNameByName", "GetAgeClassificationByName",
    "GetOfferingTypeNameByName", "GetEMailAddressNameByName", "GetExpenseTypeNameByName", "GetFamilyByName",
    "GetFamilyRelationshipNameByName", "GetGroupByName", "GetGroupPositionNameByName", "GetGroupTypeByName",
    "GetMaritalStatusByName", "GetMemberClassificationByName", "GetMemberStatusByName", "GetPersonTitleNameByName",
    "GetPersonAddressByName", "GetPersonEMailAddressByName", "GetPersonPhoneNumberByName", "GetPhoneNumberNameByName",
    "GetReportByName", "GetStateByName", "GetUserByUsername", "GetUserByUsernameAndPassword",
    "GetPersonBySearchText", "GetFamilyBySearchText", "GetGroupBySearchText", "GetImportantDateByMonth",
    "GetOfferingByDateRange", "GetExpenseByDateRange", "GetMailingAddress", "GetMemberRecordStat",
};

const QStringList kDatabaseSaves = {
    "UpdateAddressName", "UpdateAgeClassification", "UpdateOfferingTypeName", "UpdateEMailAddressName",
    "UpdateExpense", "UpdateExpenseTypeName", "UpdateFamily", "UpdateFamilyRelationshipName", "UpdateGroup",
    "UpdateGroupPositionName", "UpdateGroupType", "UpdateMaritalStatus", "UpdateMemberClassification",
    "UpdateMemberStatus", "UpdatePersonTitleName", "UpdatePerson", "UpdatePersonAddress", "UpdatePersonOffering",
    "UpdatePersonEMailAddress", "UpdatePersonPhoneNumber", "UpdatePersonToFamily", "UpdatePersonToGroup",
    "UpdatePhoneNumberName", "UpdateReport", "UpdateState", "UpdateUser",
};

const QStringList kDatabaseDeletes = {
    "DeleteAddressName", "DeleteAgeClassification", "DeleteOfferingTypeName", "DeleteEMailAddressName",
    "DeleteExpense", "DeleteExpenseTypeName", "DeleteFamily", "DeleteFamilyRelationshipName", "DeleteGroup",
    "DeleteGroupPositionName", "DeleteGroupType", "DeleteMaritalStatus", "DeleteMemberClassification",
    "DeleteMemberStatus", "DeletePersonTitleName", "DeletePerson", "DeletePersonAddress", "DeletePersonOffering",
    "DeletePersonEMailAddress", "DeletePersonPhoneNumber", "DeletePersonToFamily",
    "DeletePersonToFamilyByPersonIDAndFamilyID", "DeletePersonToGroup", "DeletePersonToGroupByPersonIDAndGroupID",
    "DeletePhoneNumberName", "DeleteReport", "DeleteState", "DeleteUser",
};

const QStringList kDatabaseSetters = {
    "SetMemberHeadOfFamily", "SetMemberHeadOfGroup", "SetMemberFamilyRelationship", "SetMemberGroupPosition",
    "SetUserPassword", "SetUserDateLogin", "SetEnvelopCode", "CopyFamilyAddressAndPhoneNumber",
};

const QStringList kDatabaseReports = {
    "GetReportBalanceSheet", "GetReportExpenseList", "GetReportExpenseSummary", "GetReportOfferingList",
    "GetReportOfferingSummary", "GetReportGroupList", "GetReportGroupMailingLabel", "GetReportFamilyList",
    "GetReportFamilyMailingLabel", "GetReportMemberList", "GetReportMemberMailingLabel",
    "GetReportMonthlyBirthdayList", "Purge", "Convert",
};

} // namespace

TEST(ContractMembers, EveryContractDeclaresItsMembersInOrder) {
    EXPECT_EQ(DeclaredMembers("IApplication.h"), kApplication);
    EXPECT_EQ(kApplication.size(), 34);
    EXPECT_EQ(DeclaredMembers("IWindowLoader.h"), kWindowLoader);
    EXPECT_EQ(kWindowLoader.size(), 17);
    EXPECT_EQ(DeclaredMembers("IReportPrinter.h"), kReportPrinter);
    EXPECT_EQ(kReportPrinter.size(), 15);
    EXPECT_TRUE(DeclaredMembers("IDefault.h").isEmpty());
}

TEST(ContractMembers, DatabaseManagerHasAll177MembersByFamily) {
    const QList<std::pair<QStringList, qsizetype>> families = {
        {kDatabaseProperties, 10}, {kDatabaseLookups, 16}, {kDatabaseReads, 75},  {kDatabaseSaves, 26},
        {kDatabaseDeletes, 28},    {kDatabaseSetters, 8},  {kDatabaseReports, 14},
    };
    QStringList expected;
    for (const auto& [names, count] : families) {
        EXPECT_EQ(names.size(), count) << names.first().toStdString();
        expected << names;
    }
    ASSERT_EQ(expected.size(), 177);
    EXPECT_EQ(DeclaredMembers("IDatabaseManager.h"), expected);
}
