#pragma once

#include "main/ListRows.h"
#include "main/RecordNodes.h"

#include "common/widgets/ListItem.h"
#include "platform/data/Recordset.h"

#include <QHash>
#include <QIcon>
#include <QString>

#include <memory>
#include <vector>

namespace amb::ambrel {

// The rows of one record-list fill. The texts of a row are made from its result-set row when the
// row is drawn or sorted, so that listing 50,000 records stores no texts up front.
class RecordRows {
public:
    struct Texts {
        bool english = true;   // names from their parts, else the language name
        QString qtDatePattern; // the DateFormat setting in Qt's notation
        QString yes, no;       // the membership column
        QString unknownGiver;  // an offering without a giver
    };

    RecordRows(RecordKind kind, platform::RecordsetPtr records, Texts texts, QIcon icon,
               std::vector<Qt::Alignment> alignments);

    int Count() const { return m_records->RecordCount() - m_first; }
    int32_t Id(int row) const;
    QString Text(int row, int column) const;
    // Dates and amounts sort as values; other columns by their text.
    QVariant SortValue(int row, int column) const;
    const QIcon& Icon() const { return m_icon; }
    Qt::Alignment Alignment(int column) const;

private:
    // The row's value of the kind's field `index` (see FieldNames); Empty when the set lacks the field.
    platform::Variant FieldValue(int row, int index) const;
    QString Field(int row, int index) const;
    QString DateText(const platform::Variant& value) const;
    QString Amount(const platform::Variant& value) const;

    RecordKind m_kind;
    platform::RecordsetPtr m_records; // read a value at a time: only the rows shown or sorted are made
    int m_first;
    Texts m_texts;
    QIcon m_icon;
    std::vector<Qt::Alignment> m_alignments;
    // Field positions by the kind's columns; -1 where the set lacks the field.
    std::vector<int> m_fields;
    PersonNameFields m_name;
    int m_id = -1;
    mutable QHash<qint64, QString> m_dateTexts;
};

// A record-list row whose texts, key, picture and sort values come from its RecordRows.
class RecordRow : public ListItem {
public:
    RecordRow(std::shared_ptr<const RecordRows> rows, int row) : m_rows(std::move(rows)), m_row(row) {}
    QVariant data(int column, int role) const override;

private:
    std::shared_ptr<const RecordRows> m_rows;
    int m_row;
};

} // namespace amb::ambrel
