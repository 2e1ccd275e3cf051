#pragma once

#include "main/AreaPorts.h"
#include "main/MainFormHandle.h"
#include "main/RecordNodes.h"

#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace amb::ambrel {

// The record list: the records the last search found, with their count in the status bar's first panel.
class RecordList : public MainArea, public RecordListPort {
public:
    RecordList(MainForm& form, QWidget* parent, QLabel* countPanel);
    // The tree decides what is listed; the commands open and enable by the chosen row.
    void Wire(RecordTreePort& tree, CommandsPort& commands);

    QTreeWidget* Widget() const { return lstvwData; }
    void ConfigureGrid(QTreeWidgetItem* node) override;
    int32_t RefreshData(const QString& searchText, int32_t groupTypeID, const QDateTime& startDate,
                        const QDateTime& endDate) override;
    QTreeWidgetItem* SelectedRow() const override;
    void RemoveRow(QTreeWidgetItem* row) override;
    void Focus() override;
    void Reveal() override;
    bool IsEmpty() const;
    // What a refresh reads again: a list with rows, or one that its last search left empty because the
    // database could not be read. One left empty by a search that found nothing is not read again.
    bool HasSearchToRepeat() const { return !IsEmpty() || m_readFailed; }
    void Clear();
    void SetDatePattern(const QString& qtPattern) { m_qtDatePattern = qtPattern; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lstvwData_ColumnClick(int column);
    void lstvwData_DblClick();
    void lstvwData_ItemClick();
    // The first status-bar panel: "3 item (s)".
    void ShowItemCount(int count);
    void NameList(int count);
    // Adds a row per record from the set's current row on.
    void AddRecordRows(RecordKind kind, const platform::RecordsetPtr& rs);

    QTreeWidget* lstvwData = nullptr;
    RecordTreePort* m_tree = nullptr;
    CommandsPort* m_commands = nullptr;
    QLabel* m_countPanel = nullptr;
    QString m_listName; // what the list holds, before its count
    QString m_qtDatePattern;
    bool m_readFailed = false; // the last load got no rows because its read failed
};

} // namespace amb::ambrel
