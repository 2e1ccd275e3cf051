#pragma once

#include "common/ReportLayouts.h"
#include "platform/data/Dictionary.h"
#include "reports/Criteria.h"

#include <QDateTime>
#include <QString>

#include <span>
#include <utility>
#include <vector>

namespace amb::reports {

// The values a report procedure reads, each under its key of common/ReportLayouts.h. The procedures
// ask for a value by its key, never by its place, so the order of a layout's keys changes nothing.
class ReportArguments {
public:
    // Reads each of the keys from the dictionary and converts it as the key says; a flag beyond 16
    // bits is an overflow.
    static ReportArguments Read(const platform::Dictionary& dict, std::span<const ReportKey> keys);

    // Each throws when the key was not read or holds another kind of value: a procedure asked for a
    // key its layout does not hand on.
    int32_t Id(const ReportKey& key) const;
    QDateTime Date(const ReportKey& key) const;
    QString Text(const ReportKey& key) const;
    int16_t Flag(const ReportKey& key) const;

private:
    const platform::Variant& Value(const ReportKey& key, ReportValue kind) const;

    std::vector<std::pair<ReportKey, platform::Variant>> m_values;
};

// The ten member filters of the member layout.
MemberFilters MemberFiltersOf(const ReportArguments& args);

} // namespace amb::reports
