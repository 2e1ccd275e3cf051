#include "reports/ReportArguments.h"

#include "common/StandardModule.h"
#include "platform/com/Error.h"
#include "reports/PrinterName.h"

#include <limits>

namespace amb::reports {

namespace {

QString NameOf(const ReportKey& key) {
    return QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
}

platform::Variant Convert(const platform::Dictionary& dict, const ReportKey& key) {
    const platform::Variant value = dict.Item(NameOf(key));
    switch (key.value) {
    case ReportValue::Id:
        return AsLong(value);
    case ReportValue::Date:
        return AsDate(value);
    case ReportValue::Text:
        return AsString(value);
    case ReportValue::Flag: {
        const int32_t n = AsLong(value);
        if (n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
            throw platform::Error(platform::ErrorNumber::Overflow, QStringLiteral("Overflow"), PrinterObjectName());
        return static_cast<int16_t>(n);
    }
    }
    return {};
}

} // namespace

ReportArguments ReportArguments::Read(const platform::Dictionary& dict, std::span<const ReportKey> keys) {
    ReportArguments args;
    for (const ReportKey& key : keys)
        args.m_values.emplace_back(key, Convert(dict, key));
    return args;
}

const platform::Variant& ReportArguments::Value(const ReportKey& key, ReportValue kind) const {
    if (key.value != kind)
        throw platform::Error(platform::ErrorNumber::TypeMismatch,
                              QStringLiteral("The report value \"%1\" is read as another kind").arg(NameOf(key)),
                              PrinterObjectName());
    for (const auto& [read, value] : m_values)
        if (read.name == key.name && read.value == key.value)
            return value;
    throw platform::Error(platform::ErrorNumber::ItemNotFound,
                          QStringLiteral("The report reads no value \"%1\"").arg(NameOf(key)), PrinterObjectName());
}

int32_t ReportArguments::Id(const ReportKey& key) const {
    return Value(key, ReportValue::Id).ToInt();
}

QDateTime ReportArguments::Date(const ReportKey& key) const {
    return Value(key, ReportValue::Date).ToDateTime();
}

QString ReportArguments::Text(const ReportKey& key) const {
    return Value(key, ReportValue::Text).ToString();
}

int16_t ReportArguments::Flag(const ReportKey& key) const {
    return static_cast<int16_t>(Value(key, ReportValue::Flag).ToInt());
}

MemberFilters MemberFiltersOf(const ReportArguments& a) {
    using namespace report_keys;
    return MemberFilters{.classification = a.Id(kMemberClassificationId),
                         .ageClassification = a.Id(kAgeClassificationId),
                         .memberStatus = a.Id(kMemberStatusId),
                         .sex = a.Id(kSexId),
                         .maritalStatus = a.Id(kMaritalStatusId),
                         .baptized = a.Flag(kIsBaptized),
                         .isMember = a.Flag(kIsMember),
                         .city = a.Text(kCity),
                         .state = a.Text(kState),
                         .zipCode = a.Text(kZipCode)};
}

} // namespace amb::reports
