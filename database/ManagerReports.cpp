#include "database/ManagerSupport.h"

// Members for the report catalogue and the report data sets: they answer their failure value until they are written.

namespace amb::database {

platform::RecordsetPtr Manager::GetReportByID(int32_t /*n*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportByID()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportByName(const QString& /*s*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportByName()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportBalanceSheet(const QDateTime& /*dtStart*/, const QDateTime& /*dtEnd*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportBalanceSheet()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportExpenseList(const QDateTime& /*dtStart*/, const QDateTime& /*dtEnd*/, int32_t /*nExpenseType*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportExpenseList()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportExpenseSummary(const QDateTime& /*dtStart*/, const QDateTime& /*dtEnd*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportExpenseSummary()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportOfferingList(const QDateTime& /*dtStart*/, const QDateTime& /*dtEnd*/, int32_t /*nOfferingType*/, int32_t /*nPerson*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportOfferingList()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportOfferingSummary(const QDateTime& /*dtStart*/, const QDateTime& /*dtEnd*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportOfferingSummary()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportGroupList(int32_t /*nGroupType*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportGroupList()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportGroupMailingLabel(int32_t /*nGroupType*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportGroupMailingLabel()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportFamilyList(const QString& /*sCity*/, const QString& /*sState*/, const QString& /*sZipCode*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportFamilyList()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportFamilyMailingLabel(const QString& /*sCity*/, const QString& /*sState*/, const QString& /*sZipCode*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportFamilyMailingLabel()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportMemberList(int32_t /*nClassification*/, int32_t /*nAgeClassification*/, int32_t /*nMemberStatus*/, int32_t /*nSex*/, int32_t /*nMaritalStatus*/, int16_t /*nBaptized*/, const QString& /*sCity*/, const QString& /*sState*/, const QString& /*sZipCode*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportMemberList()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportMemberMailingLabel(int32_t /*nClassification*/, int32_t /*nAgeClassification*/, int32_t /*nMemberStatus*/, int32_t /*nSex*/, int32_t /*nMaritalStatus*/, int16_t /*nBaptized*/, const QString& /*sCity*/, const QString& /*sState*/, const QString& /*sZipCode*/, const QString& /*sAddressName*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportMemberMailingLabel()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetReportMonthlyBirthdayList(int32_t /*nMonth*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetReportMonthlyBirthdayList()"), [] { return platform::RecordsetPtr(); });
}

platform::RecordsetPtr Manager::GetLookupReport(EnumLookupOption /*en*/) {
    return QueryMember(QStringLiteral("IDatabaseManager_GetLookupReport()"), [] { return platform::RecordsetPtr(); });
}

int32_t Manager::UpdateReport(const platform::DictionaryPtr& /*dict*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_UpdateReport()"), [] { return int32_t{-1}; });
}

int32_t Manager::DeleteReport(int32_t /*n*/) {
    return ActionMember(QStringLiteral("IDatabaseManager_DeleteReport()"), [] { return int32_t{-1}; });
}

} // namespace amb::database
