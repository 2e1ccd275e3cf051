#pragma once

#include "contracts/Enums.h"
#include "platform/reportengine/RowSource.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace amb::reports {

// A row source with more fields, each computed from the row of the source under it.
class ComputedRows final : public platform::reportengine::RowSource {
public:
    using Compute = std::function<platform::Variant(const platform::reportengine::RowSource&, int row)>;
    struct Field {
        QString Name;
        Compute Value;
    };
    ComputedRows(platform::reportengine::RowSourcePtr rows, std::vector<Field> fields);
    int RowCount() const override { return m_rows->RowCount(); }
    bool HasField(const QString& name) const override;
    int FieldIndex(const QString& name) const override;
    platform::Variant Value(int row, int column) const override;
    // One past the column number of the last field of this layer.
    int EndColumn() const { return m_first + static_cast<int>(m_fields.size()); }

private:
    platform::reportengine::RowSourcePtr m_rows;
    std::vector<Field> m_fields;
    int m_first; // the column number of m_fields[0]
};

// How a report shows people and addresses: the name locale and the address format of the settings.
struct PersonStyle {
    EnumSupportedLocaleID NameLocale = EnumSupportedLocaleID::English;
    EnumAddressFormat AddressFormat = EnumAddressFormat::USFormat;
};

// The address parts 1 to 5 as the format prints them, one line each: in the US format the street lines,
// then "City, State Zip"; in the unknown format the parts as stored. Empty lines are left out.
QStringList AddressLines(const QStringList& parts, EnumAddressFormat format);

// The rows with the fields the definitions print people by, where the rows hold what they are made of:
// - DisplayName: the person's display name (lists, summaries, tables);
// - FullName and FullNameWithoutTitle: the same choice of name in reading order, with and without the
//   title (labels, the details reports' titles);
// - MailingAddress (one line per address line) and AddressLine (the lines joined by ", ").
platform::reportengine::RowSourcePtr WithPersonFields(platform::reportengine::RowSourcePtr rows,
                                                      const PersonStyle& style);

} // namespace amb::reports
