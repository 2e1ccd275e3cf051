#pragma once

// Pieces shared by the family, group, offering and report queries.

#include "platform/data/Recordset.h"
#include "platform/data/SqliteConnection.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <utility>

namespace amb::database {

// The bounds of a date range as bound values: the whole start day (00:00:00) to the whole end day
// (23:59:59), whatever times the dates carry. A missing date, or a start on or before the zero date
// (30 December 1899, what an unset date argument is), gives Null bounds, which match no row.
std::pair<platform::Variant, platform::Variant> DayRange(const QDateTime& start, const QDateTime& end);

// A LEFT JOIN of the person's first contact row of one kind (the lowest id with the kind's flag set),
// named `alias`: one row per person, whose contact columns are Null when the person lacks that row.
// `personId` is the expression of the person's id, e.g. "Person.ID".
QString FirstContactJoin(const QString& table, const QString& alias, const QString& flag, const QString& personId);

// A LEFT JOIN of every contact row of one kind of the person: one row per such contact row, Null
// columns when the person has none. Ordered by the alias's ID after the person, a person's first row
// carries its first contact row of the kind (see Recordset::DropRepeatedRows).
QString EveryContactJoin(const QString& table, const QString& alias, const QString& flag, const QString& personId);

// The four contact joins of the member and contact lists: PersonAddress (home), PersonEMailAddress
// (personal), HomePhone and CellPhone, for the person whose id is `personId`.
QString MemberContactJoins(const QString& personId);

// The columns those joins add: address parts 1 to 5, EMailAddress, HomePhoneNumber, CellPhoneNumber.
QString MemberContactColumns();

// Appends " AND <column>=?" with the value to a query under construction.
struct Conditions {
    QString Sql;
    platform::SqlParams Params;
    void Add(const QString& column, const platform::Variant& value) {
        Sql += QStringLiteral(" AND ") + column + QStringLiteral("=?");
        Params.push_back(value);
    }
    // Id filters apply only for an id of 1 or more: 0, -998 (blank) and -999 (<All>) mean no filter.
    void AddId(const QString& column, int32_t id) {
        if (id > 0)
            Add(column, id);
    }
    // Text filters apply only for a text that is not empty; compared as given.
    void AddText(const QString& column, const QString& text) {
        if (!text.isEmpty())
            Add(column, text);
    }
};

} // namespace amb::database
