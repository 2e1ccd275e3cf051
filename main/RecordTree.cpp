#include "main/MainForm.h"

#include "main/Icons.h"
#include "main/MainFormHandle.h"
#include "main/RecordNodes.h"

#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFontMetrics>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace amb::ambrel {

namespace {

platform::DictionaryPtr RecordStat(const IApplicationPtr& hub) {
    auto stat = hub->DatabaseManager()->GetMemberRecordStat();
    if (!stat)
        throw platform::Error(91, QStringLiteral("The record counts could not be read from the database."),
                              kTraceObject);
    return stat;
}

QString CountedText(const QString& text, const platform::Dictionary& stat, const char* countKey) {
    return text + QStringLiteral(" (") + QString::number(AsLong(stat.Item(QLatin1String(countKey)))) + QLatin1Char(')');
}

} // namespace

QTreeWidgetItem* MainForm::FindNode(const QString& key) const {
    for (QTreeWidgetItemIterator it(trvwIcon); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}

QString MainForm::SelectedKey() const {
    const QTreeWidgetItem* node = trvwIcon->currentItem();
    return node ? node->data(0, Qt::UserRole).toString() : QString();
}

void MainForm::SelectNode(QTreeWidgetItem* node) {
    const QSignalBlocker blocker(trvwIcon);
    trvwIcon->setCurrentItem(node);
}

void MainForm::RefreshTreeView() {
    WriteTrace(QStringLiteral("RefreshTreeView()"));
    const auto hub = Hub();
    const auto stat = RecordStat(hub);

    QFont bold = trvwIcon->font();
    bold.setBold(true);
    const QFontMetrics normalMetrics(trvwIcon->font());
    const QFontMetrics boldMetrics(bold);

    {
        const QSignalBlocker blocker(trvwIcon);
        trvwIcon->clear();
    }
    int widest = 0;
    for (const NodeSpec& spec : RecordNodes()) {
        QTreeWidgetItem* parent = spec.parent ? FindNode(QLatin1String(spec.parent)) : nullptr;
        auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(trvwIcon);
        QString text = spec.textId == 0 ? hub->CompanyName() : m_support.Text(spec.textId);
        if (spec.countKey)
            text = CountedText(text, *stat, spec.countKey);
        node->setText(0, text);
        // The tree is read by the name at its top, the congregation's.
        if (!parent)
            trvwIcon->setAccessibleName(text);
        node->setData(0, Qt::UserRole, QLatin1String(spec.key));
        node->setIcon(0, TreeIcon(spec.image));
        if (!parent)
            node->setFont(0, bold);
        node->setExpanded(spec.expanded);
        if (spec.measured) {
            // The root adds 80 pixels, the parent nodes 96 (their indentation and image).
            const int extra = parent ? 96 : 80;
            widest = std::max(widest, (parent ? normalMetrics : boldMetrics).horizontalAdvance(text) + extra);
        }
    }
    m_treeWidth = widest * 15;
    SelectNode(FindNode(QStringLiteral("Member")));
    RefreshSearchTextComboBox();
    stat->RemoveAll();
}

void MainForm::RefreshTreeviewStat() {
    WriteTrace(QStringLiteral("RefreshTreeviewStat()"));
    BusyScope busy(this);
    const auto hub = Hub();
    const auto stat = RecordStat(hub);
    for (const NodeSpec& spec : RecordNodes()) {
        if (!spec.countKey)
            continue;
        if (QTreeWidgetItem* node = FindNode(QLatin1String(spec.key)))
            node->setText(0, CountedText(m_support.Text(spec.textId), *stat, spec.countKey));
    }
}

int32_t MainForm::GetSearchType() const {
    WriteTrace(QStringLiteral("GetSearchType()"));
    const NodeSpec* node = NodeOf(SelectedKey());
    return node ? node->searchMode : 0;
}

void MainForm::trvwIcon_NodeClick(QTreeWidgetItem* node) {
    ChooseNode(node, true);
}

void MainForm::ChooseNode(QTreeWidgetItem* node, bool focusSearchBox) {
    Handle("trvwIcon_NodeClick()", [&] {
        if (!node)
            return;
        const QString clicked = node->data(0, Qt::UserRole).toString();
        const NodeSpec* spec = NodeOf(clicked);
        const QString targetKey = spec && spec->clickTarget ? QLatin1String(spec->clickTarget) : clicked;
        QTreeWidgetItem* target = targetKey == clicked ? node : FindNode(targetKey);
        if (!target)
            return;
        SelectNode(target);
        // A click on the kind already shown keeps its list and the text that listed it, so that a
        // refresh lists the same search again instead of everybody.
        if (m_selectedNodeKey == targetKey)
            return;

        m_lastSearchText.clear();
        m_selectedNodeKey = targetKey;
        BusyScope busy(this);
        cboSearchText->setEditText(QString());
        dtpStart->setDateTime(FirstDayOfMonth(platform::Now()));
        dtpEnd->setDateTime(LastDayOfMonth(platform::Now()));
        cboGroupType->setCurrentIndex(cboGroupType->count() > 0 ? 0 : -1);
        ConfigureGrid(target);
        EnableToolbarButtons();
        if (GetSearchType() == 0)
            RefreshSearchTextComboBox();
        busy.End();
        if (focusSearchBox)
            FocusSearchBox();
    });
}

bool MainForm::trvwIcon_KeyDown(int key) {
    // The kind nodes in tree order; the root and the two parent nodes only group them.
    std::vector<QTreeWidgetItem*> kinds;
    for (const NodeSpec& spec : RecordNodes()) {
        if (!spec.clickTarget)
            if (QTreeWidgetItem* node = FindNode(QLatin1String(spec.key)))
                kinds.push_back(node);
    }
    if (kinds.empty())
        return false;
    const auto at = std::find(kinds.begin(), kinds.end(), FindNode(SelectedKey()));
    const int last = static_cast<int>(kinds.size()) - 1;
    const int current = at == kinds.end() ? 0 : static_cast<int>(at - kinds.begin());
    int next = current;
    switch (key) {
    case Qt::Key_Up:
        next = std::max(0, current - 1);
        break;
    case Qt::Key_Down:
        next = std::min(last, current + 1);
        break;
    case Qt::Key_Home:
    case Qt::Key_PageUp:
        next = 0;
        break;
    case Qt::Key_End:
    case Qt::Key_PageDown:
        next = last;
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        // Collapsing a parent or stepping onto it would hide or leave the kind being shown.
        return true;
    default:
        return false;
    }
    // The user keeps moving with the keys: the focus stays in the tree.
    ChooseNode(kinds[static_cast<std::size_t>(next)], false);
    return true;
}

void MainForm::FocusSearchBox() {
    QWidget* box = nullptr;
    switch (GetSearchType()) {
    case 0:
        box = cboSearchText;
        break;
    case 1:
        box = cboGroupType;
        break;
    default:
        box = dtpStart;
        break;
    }
    if (box->isEnabled())
        box->setFocus();
}

void MainForm::mnuViewRefresh_Click() {
    const bool ok = Handle("mnuViewRefresh_Click()", [&] {
        BusyScope busy(this);
        RefreshBirthday();
        RefreshTreeviewStat();
        if (lstvwData->topLevelItemCount() > 0) {
            dtpStart->setTime(QTime(0, 0, 0));
            dtpEnd->setTime(QTime(23, 59, 59));
            const int32_t groupTypeID = cboGroupType->currentIndex() >= 0 ? cboGroupType->currentData().toInt() : 0;
            const int32_t r =
                RefreshData(m_lastSearchText, groupTypeID, platform::Naive(dtpStart->date(), dtpStart->time()),
                            platform::Naive(dtpEnd->date(), dtpEnd->time()));
            if (r < 0) {
                EnableToolbarButtons();
                busy.End();
                m_support.ShowMessage(res::kMsgNoRecordFound, MessageStyle::Information);
                FocusSearchBox();
                return;
            }
            EnableToolbarButtons();
        }
        busy.End();
        if (lstvwData->topLevelItemCount() > 0)
            lstvwData->setFocus();
    });
    if (!ok) {
        // A failure must not leave the lists hidden.
        HideControl(lstvwBirthday, false);
        HideControl(lstvwData, false);
    }
}

} // namespace amb::ambrel
