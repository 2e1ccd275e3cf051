#pragma once

#include "main/AreaPorts.h"
#include "main/MainFormHandle.h"

#include <QString>

#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

namespace amb::ambrel {

// The record-kind tree: a node per kind with its count; choosing a kind sets up the list and the
// search band for it.
class RecordTree : public MainArea, public RecordTreePort {
public:
    RecordTree(MainForm& form, QWidget* parent);
    // The areas a chosen kind sets up.
    void Wire(RecordListPort& list, SearchBandPort& search, CommandsPort& commands);

    QTreeWidget* Widget() const { return trvwIcon; }
    void RefreshTreeView();
    void RefreshTreeviewStat() override;
    QString SelectedKey() const override;
    QTreeWidgetItem* FindNode(const QString& key) const;
    int32_t GetSearchType() const override;
    // Chooses a kind without the click's work (the log-in and log-out set up the list themselves).
    void SetKind(const QString& key);
    // The width the widest text asks for, in twips.
    int32_t TreeWidth() const { return m_treeWidth; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void trvwIcon_NodeClick(QTreeWidgetItem* node);
    // Up, Down, Home, End, PageUp and PageDown move between the kind nodes; true when the key was used.
    bool trvwIcon_KeyDown(int key);
    // The node click; a node chosen with the keys leaves the focus in the tree.
    void ChooseNode(QTreeWidgetItem* node, bool focusSearchBox);
    void SelectNode(QTreeWidgetItem* node);

    QTreeWidget* trvwIcon = nullptr;
    RecordListPort* m_list = nullptr;
    SearchBandPort* m_search = nullptr;
    CommandsPort* m_commands = nullptr;
    QString m_selectedNodeKey;
    int32_t m_treeWidth = 0;
    // A mouse button is down on the tree: the click, not the press, chooses the node.
    bool m_treeMouseDown = false;
};

} // namespace amb::ambrel
