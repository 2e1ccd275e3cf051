#pragma once

#include "contracts/IApplication.h"
#include "platform/data/Recordset.h"

#include <QString>

#include <cstdint>

namespace amb::reports {

// The five tab-delimited list files: a header line of captions from the string table, then one line
// per row of an open list data set, fields joined by TAB, every line ended by CR LF, UTF-8 text.
// Nothing calls them from PrintReport (its tab-delimited export answers Success without a file);
// they are kept so that they can be connected without guessing the format.
//
// Each writer writes its trace line, writes the whole file to a temporary file in the same folder and
// renames it over any file at fileName, read-only or not, so an earlier file is kept whole when
// writing fails. A TAB, CR or LF inside a value is written as one blank, so every line keeps its
// columns. A failure (a folder that does not exist, a column the data set lacks) throws
// platform::Error to the caller; the data set is then left open. On success the data set is closed
// and the result is 0.
class ListFiles {
public:
    explicit ListFiles(IApplicationPtr hub);

    int32_t CreateExpenseListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const;
    int32_t CreateFamilyContactListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const;
    int32_t CreateGroupContactListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const;
    int32_t CreateMemberListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const;
    int32_t CreateOfferingListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const;

    // The FileName of the Report row named reportName; "" when there is none.
    QString GetReportFileName(const QString& reportName) const;

private:
    enum class Kind { Expense, Family, Group, Member, Offering };
    int32_t Write(Kind kind, const platform::RecordsetPtr& dataSet, const QString& fileName) const;

    IApplicationPtr m_hub;
};

} // namespace amb::reports
