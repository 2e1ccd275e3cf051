#include "main/RecordRows.h"

#include "common/GlobalModule.h"
#include "common/StandardModule.h"
#include "common/Values.h"

namespace amb::ambrel {

namespace {

// The fields each kind reads, by column (after the name fields, which PersonNameFields holds).
enum PersonField { Sex, Dob, Part1, Part2, Part3, Part4, Part5, Phone, Mail, Member };
enum FamilyField { FamilyName };
enum GroupField { GroupName, GroupType };
enum MoneyField { MoneyDate, MoneyName, MoneyType, MoneyAmount };

std::vector<const char*> FieldNames(RecordKind kind) {
    switch (kind) {
    case RecordKind::Persons:
        return {"Sex",          "DOB",          "AddressPart1", "AddressPart2", "AddressPart3",
                "AddressPart4", "AddressPart5", "PhoneNumber",  "EMailAddress", "IsMember"};
    case RecordKind::Families:
        return {"Name"};
    case RecordKind::Groups:
        return {"Name", "GroupType"};
    case RecordKind::Expenses:
        return {"ExpenseDate", "ExpenseName", "ExpenseTypeName", "Amount"};
    case RecordKind::Offerings:
        return {"OfferingDate", "", "OfferingTypeName", "Amount"};
    case RecordKind::None:
        break;
    }
    return {};
}

} // namespace

RecordRows::RecordRows(RecordKind kind, platform::RecordsetPtr records, Texts texts, QIcon icon,
                       std::vector<Qt::Alignment> alignments)
    : m_kind(kind), m_records(std::move(records)), m_first(std::max(0, m_records->AbsolutePosition())),
      m_texts(std::move(texts)), m_icon(std::move(icon)), m_alignments(std::move(alignments)) {
    m_id = OptionalField(*m_records, "ID");
    for (const char* name : FieldNames(kind))
        m_fields.push_back(*name ? OptionalField(*m_records, name) : -1);
    m_name = NameFields(*m_records, m_texts.english);
}

int32_t RecordRows::Id(int row) const {
    return m_id >= 0 ? AsLong(m_records->Value(m_first + row, m_id)) : 0;
}

platform::Variant RecordRows::FieldValue(int row, int index) const {
    const int field = m_fields[static_cast<std::size_t>(index)];
    return field >= 0 ? m_records->Value(m_first + row, field) : platform::Variant();
}

QString RecordRows::Field(int row, int index) const {
    return AsString(FieldValue(row, index));
}

QString RecordRows::DateText(const platform::Variant& value) const {
    if (value.GetType() != platform::Variant::Type::Date)
        return AsString(value);
    const QDateTime date = value.ToDateTime();
    const qint64 key = date.toMSecsSinceEpoch();
    auto it = m_dateTexts.constFind(key);
    if (it == m_dateTexts.constEnd())
        it = m_dateTexts.insert(key, date.toString(m_texts.qtDatePattern));
    return *it;
}

QString RecordRows::Amount(const platform::Variant& value) const {
    if (value.IsNull() || value.IsEmpty())
        return QString();
    return FormatAmount(value.ToCurrency());
}

QString RecordRows::Text(int row, int column) const {
    const platform::Recordset& v = *m_records;
    const int at = m_first + row;
    auto field = [&](int index) { return FieldValue(row, index); };
    switch (m_kind) {
    case RecordKind::Persons:
        switch (column) {
        case 0:
            return PersonName(v, at, m_name);
        case 1:
            return Field(row, Sex);
        case 2:
            return DateText(field(Dob));
        case 3:
            return FormatAddress(Field(row, Part1), Field(row, Part2), Field(row, Part3), Field(row, Part4),
                                 Field(row, Part5));
        case 4:
            return Field(row, Phone);
        case 5:
            return Field(row, Mail);
        case 6:
            return AsBoolean(field(Member)) ? m_texts.yes : m_texts.no;
        default:
            return QString();
        }
    case RecordKind::Families:
        return column == 0 ? Field(row, FamilyName) : column == 1 ? PersonName(v, at, m_name) : QString();
    case RecordKind::Groups:
        return column == 0   ? Field(row, GroupName)
               : column == 1 ? Field(row, GroupType)
               : column == 2 ? PersonName(v, at, m_name)
                             : QString();
    case RecordKind::Expenses:
    case RecordKind::Offerings:
        switch (column) {
        case 0:
            return DateText(field(MoneyDate));
        case 1: {
            if (m_kind == RecordKind::Expenses)
                return Field(row, MoneyName);
            const QString giver = PersonName(v, at, m_name);
            return giver.isEmpty() ? m_texts.unknownGiver : giver;
        }
        case 2:
            return Field(row, MoneyType);
        case 3:
            return Amount(field(MoneyAmount));
        default:
            return QString();
        }
    case RecordKind::None:
        break;
    }
    return QString();
}

QVariant RecordRows::SortValue(int row, int column) const {
    auto sortOf = [&](int index) { return amb::SortValue(FieldValue(row, index)); };
    switch (m_kind) {
    case RecordKind::Persons:
        return column == 2 ? sortOf(Dob) : QVariant();
    case RecordKind::Expenses:
    case RecordKind::Offerings:
        return column == 0 ? sortOf(MoneyDate) : column == 3 ? sortOf(MoneyAmount) : QVariant();
    default:
        return QVariant();
    }
}

Qt::Alignment RecordRows::Alignment(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < m_alignments.size()
               ? m_alignments[static_cast<std::size_t>(column)]
               : Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant RecordRow::data(int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_rows->Text(m_row, column);
    case kListSortRole: {
        const QVariant value = m_rows->SortValue(m_row, column);
        return value.isValid() ? value : ListItem::data(column, role);
    }
    case kListKeyRole:
        return column == 0 ? QVariant(MakeListItemKey(m_rows->Id(m_row))) : QVariant();
    case Qt::DecorationRole:
        return column == 0 ? QVariant(m_rows->Icon()) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant(static_cast<int>(m_rows->Alignment(column)));
    default:
        return ListItem::data(column, role);
    }
}

} // namespace amb::ambrel
