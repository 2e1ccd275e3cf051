#include "database/ManagerSupport.h"

#include "platform/com/Error.h"
#include "platform/data/SqlColumn.h"

#include <string_view>

// The look-up ids of a saved row must name an entry of their list: a row that names none would show
// an empty box and drop out of every list that joins the look-up.

namespace amb::database {

namespace {

struct LookupColumn {
    std::string_view table;  // as the row save names it
    std::string_view column; // the id column
    std::string_view list;   // the look-up table it names a row of
};

constexpr LookupColumn kLookupColumns[] = {
    {.table = "Person", .column = "SexID", .list = "Sex"},
    {.table = "Person", .column = "MaritalStatusID", .list = "MaritalStatus"},
    {.table = "Person", .column = "MemberStatusID", .list = "MemberStatus"},
    {.table = "Person", .column = "MemberClassificationID", .list = "MemberClassification"},
    {.table = "Group", .column = "GroupTypeID", .list = "GroupType"},
    {.table = "PersonOffering", .column = "OfferingTypeID", .list = "OfferingTypeName"},
    {.table = "Expense", .column = "ExpenseTypeID", .list = "ExpenseTypeName"},
};
static_assert(std::size(kLookupColumns) == 7, "one row per look-up id column of the schema");

// Ids that name no row and still mean "nothing chosen": none, and the blank entry of the lists.
constexpr int32_t kNoEntry = 0;
constexpr int32_t kBlankEntry = -998;

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void Manager::CheckLookupIds(const RowSave& spec, const platform::Dictionary& dict, int32_t id, bool exists) {
    const auto& columns = Connection().Columns(spec.Table);
    for (const LookupColumn& lookup : kLookupColumns) {
        const QString column = Text(lookup.column);
        if (spec.Table != Text(lookup.table) || !spec.Fields.contains(column, Qt::CaseInsensitive))
            continue;
        for (const auto& info : columns) {
            if (info.name.compare(column, Qt::CaseInsensitive) != 0)
                continue;
            // The value as the save stores it; a value that does not convert fails the save there.
            const platform::Variant stored = platform::ToColumnValue(dict.Item(column), info);
            if (stored.IsNull())
                break;
            const int32_t value = stored.ToInt();
            if (value == kNoEntry || value == kBlankEntry || RowExists(Text(lookup.list), value))
                break;
            // A row keeps what it holds, so a record read before its entry went away saves again.
            if (exists) {
                const auto held =
                    QueryAll(QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE ID=?").arg(info.name, spec.Table), {id});
                if (!held->Field(0).IsNull() && held->Field(0).ToInt() == value)
                    break;
            }
            throw platform::Error(platform::ErrorNumber::InvalidArgument,
                                  QStringLiteral("The %1's %2 (%3) names no entry of the list %4")
                                      .arg(spec.Table, info.name)
                                      .arg(value)
                                      .arg(Text(lookup.list)),
                                  kObjectName);
        }
    }
}

} // namespace amb::database
