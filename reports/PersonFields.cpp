#include "reports/PersonFields.h"

#include "common/Values.h"

#include <array>

namespace amb::reports {

using platform::Variant;
using platform::reportengine::RowSource;
using platform::reportengine::RowSourcePtr;

namespace {
// The computed fields of the layer over a plain source are numbered far past any column it has.
constexpr int kFirstComputedColumn = 1 << 20;

// A layer over another layer numbers its fields after that layer's, so that every field of the stack
// keeps a column of its own (an outer month name never reads as an inner display name).
int FirstFreeColumn(const RowSource& rows) {
    const auto* layer = dynamic_cast<const ComputedRows*>(&rows);
    return layer ? layer->EndColumn() : kFirstComputedColumn;
}
} // namespace

ComputedRows::ComputedRows(RowSourcePtr rows, std::vector<Field> fields)
    : m_rows(std::move(rows)), m_fields(std::move(fields)), m_first(FirstFreeColumn(*m_rows)) {}

bool ComputedRows::HasField(const QString& name) const {
    for (const Field& f : m_fields)
        if (f.Name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return m_rows->HasField(name);
}

int ComputedRows::FieldIndex(const QString& name) const {
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return m_first + static_cast<int>(i);
    return m_rows->FieldIndex(name);
}

Variant ComputedRows::Value(int row, int column) const {
    if (column >= m_first)
        return m_fields[static_cast<size_t>(column - m_first)].Value(*m_rows, row);
    return m_rows->Value(row, column);
}

QStringList AddressLines(const QStringList& parts, EnumAddressFormat format) {
    auto part = [&](int i) { return parts.value(i).trimmed(); };
    QStringList lines;
    if (format == EnumAddressFormat::USFormat) {
        lines << part(0) << part(1);
        const QString stateZip = QStringList{part(3), part(4)}.join(QLatin1Char(' ')).trimmed();
        QStringList city{part(2), stateZip};
        city.removeAll(QString());
        lines << city.join(QStringLiteral(", "));
    } else {
        for (int i = 0; i < 5; ++i)
            lines << part(i);
    }
    lines.removeAll(QString());
    return lines;
}

namespace {

bool HasAll(const RowSource& rows, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (!rows.HasField(QLatin1String(n)))
            return false;
    return true;
}

// The column of a field, -1 where the rows lack it. Looked up once per report: a name looked up by its
// text on every row would be compared with every field again for each person printed.
int ColumnOf(const RowSource& rows, const char* name) {
    const QString field = QLatin1String(name);
    return rows.HasField(field) ? rows.FieldIndex(field) : -1;
}

QString Text(const RowSource& rows, int row, int column) {
    return column >= 0 ? rows.Value(row, column).ToString().trimmed() : QString();
}

// Where the rows keep a person's name.
struct NameColumns {
    int first, middle, last, suffix, language, title;
};

NameColumns NameColumnsOf(const RowSource& rows) {
    return NameColumns{.first = ColumnOf(rows, "FirstName"),
                       .middle = ColumnOf(rows, "MiddleName"),
                       .last = ColumnOf(rows, "LastName"),
                       .suffix = ColumnOf(rows, "Suffix"),
                       .language = ColumnOf(rows, "LanguageName"),
                       .title = ColumnOf(rows, "Title")};
}

PersonNameParts NameParts(const RowSource& rows, int row, const NameColumns& c) {
    return PersonNameParts{Text(rows, row, c.first), Text(rows, row, c.middle), Text(rows, row, c.last),
                           Text(rows, row, c.suffix), Text(rows, row, c.language)};
}

// The name in reading order: the language name where the display name rule takes it, else the name
// parts, first name first.
QString FullName(const RowSource& rows, int row, const NameColumns& c, EnumSupportedLocaleID locale, bool withTitle) {
    const PersonNameParts parts = NameParts(rows, row, c);
    if (!parts.language.isEmpty() && DisplayName(parts, locale) == parts.language)
        return parts.language;
    QStringList words{withTitle ? Text(rows, row, c.title) : QString(), parts.first, parts.middle, parts.last,
                      parts.suffix};
    words.removeAll(QString());
    return words.join(QLatin1Char(' '));
}

} // namespace

RowSourcePtr WithPersonFields(RowSourcePtr rows, const PersonStyle& style) {
    std::vector<ComputedRows::Field> fields;
    const EnumSupportedLocaleID locale = style.NameLocale;
    if (HasAll(*rows, {"LanguageName", "FirstName", "LastName"})) {
        const NameColumns c = NameColumnsOf(*rows);
        fields.push_back({QStringLiteral("DisplayName"), [c, locale](const RowSource& r, int row) {
                              return Variant(DisplayName(NameParts(r, row, c), locale));
                          }});
        fields.push_back({QStringLiteral("FullName"), [c, locale](const RowSource& r, int row) {
                              return Variant(FullName(r, row, c, locale, true));
                          }});
        fields.push_back({QStringLiteral("FullNameWithoutTitle"), [c, locale](const RowSource& r, int row) {
                              return Variant(FullName(r, row, c, locale, false));
                          }});
    }
    if (HasAll(*rows, {"AddressPart1", "AddressPart2", "AddressPart3", "AddressPart4", "AddressPart5"})) {
        const std::array<int, 5> columns{ColumnOf(*rows, "AddressPart1"), ColumnOf(*rows, "AddressPart2"),
                                         ColumnOf(*rows, "AddressPart3"), ColumnOf(*rows, "AddressPart4"),
                                         ColumnOf(*rows, "AddressPart5")};
        auto lines = [columns, format = style.AddressFormat](const RowSource& r, int row) {
            QStringList parts;
            for (int column : columns)
                parts << Text(r, row, column);
            return AddressLines(parts, format);
        };
        fields.push_back({QStringLiteral("MailingAddress"), [lines](const RowSource& r, int row) {
                              return Variant(lines(r, row).join(QLatin1Char('\n')));
                          }});
        fields.push_back({QStringLiteral("AddressLine"), [lines](const RowSource& r, int row) {
                              return Variant(lines(r, row).join(QStringLiteral(", ")));
                          }});
    }
    if (fields.empty())
        return rows;
    return std::make_shared<const ComputedRows>(std::move(rows), std::move(fields));
}

} // namespace amb::reports
