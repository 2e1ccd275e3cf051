#include "main/RecordTree.h"

#include "main/CApplication.h"
#include "main/Icons.h"
#include "main/RecordNodes.h"

#include "common/GlobalModule.h"
#include "common/ReadFailure.h"
#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace amb::ambrel {

namespace {

platform::DictionaryPtr RecordStat(const IApplicationPtr& hub) {
    const IDatabaseManagerPtr database = hub->DatabaseManager();
    auto stat = database->GetMemberRecordStat();
    if (stat)
        return stat;
    // A file cut short or damaged fails here first, at the start: the error box gives the way out.
    const QString text =
        database->LastReadFailure() == EnumDatabaseFailure::Locked
            ? ReadFailureText(hub)
            : LoadResString(hub, res::kMsgCountsUnreadable)
                  .replace(QStringLiteral("%1"),
                           QDir::toNativeSeparators(QDir(hub->AppDir()).filePath(QLatin1String(kDatabaseFileName))));
    throw platform::Error(
        91, text.isEmpty() ? QStringLiteral("The record counts could not be read from the database.") : text,
        kTraceObject);
}

QString CountedText(const QString& text, const platform::Dictionary& stat, const char* countKey) {
    return text + QStringLiteral(" (") + QString::number(AsLong(stat.Item(QLatin1String(countKey)))) + QLatin1Char(')');
}

} // namespace

RecordTree::RecordTree(MainForm& form, QWidget* parent) : MainArea(form) {
    trvwIcon = new QTreeWidget(parent);
    trvwIcon->setObjectName(QStringLiteral("trvwIcon"));
    trvwIcon->setHeaderHidden(true);
    trvwIcon->setColumnCount(1);
    trvwIcon->setIconSize(QSize(16, 16));
    trvwIcon->setUniformRowHeights(true);
    trvwIcon->installEventFilter(this);
    trvwIcon->viewport()->installEventFilter(this);
    // A node chosen with the mouse, when the click ends: choosing it at the press would be undone by
    // the press's own selection, leaving a parent node highlighted. A node reached otherwise (typing
    // its first letter) is chosen at once, the focus kept in the tree. Selections made by the window
    // itself are silent.
    connect(trvwIcon, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { trvwIcon_NodeClick(node); });
    connect(trvwIcon, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
        if (node && !m_treeMouseDown)
            ChooseNode(node, false);
    });
}

void RecordTree::Wire(RecordListPort& list, SearchBandPort& search, CommandsPort& commands) {
    m_list = &list;
    m_search = &search;
    m_commands = &commands;
}

bool RecordTree::eventFilter(QObject* watched, QEvent* event) {
    if (watched == trvwIcon->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        m_treeMouseDown = event->type() == QEvent::MouseButtonPress;
    if (watched == trvwIcon && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
            return trvwIcon_KeyDown(key->key());
    }
    return MainArea::eventFilter(watched, event);
}

QTreeWidgetItem* RecordTree::FindNode(const QString& key) const {
    for (QTreeWidgetItemIterator it(trvwIcon); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}

QString RecordTree::SelectedKey() const {
    const QTreeWidgetItem* node = trvwIcon->currentItem();
    return node ? node->data(0, Qt::UserRole).toString() : QString();
}

void RecordTree::SelectNode(QTreeWidgetItem* node) {
    const QSignalBlocker blocker(trvwIcon);
    trvwIcon->setCurrentItem(node);
}

void RecordTree::SetKind(const QString& key) {
    SelectNode(FindNode(key));
    m_selectedNodeKey = key;
}

void RecordTree::RefreshTreeView() {
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
        QString text = spec.textId == 0 ? hub->CompanyName() : Support().Text(spec.textId);
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
    m_search->RefreshSearchTextComboBox();
    stat->RemoveAll();
}

void RecordTree::RefreshTreeviewStat() {
    WriteTrace(QStringLiteral("RefreshTreeviewStat()"));
    BusyScope busy(&m_form);
    const auto stat = Hub()->DatabaseManager()->GetMemberRecordStat();
    if (!stat) {
        // The counts stay as they were, and the user learns why (after a save, that it was saved).
        Support().ShowReadFailure();
        return;
    }
    for (const NodeSpec& spec : RecordNodes()) {
        if (!spec.countKey)
            continue;
        if (QTreeWidgetItem* node = FindNode(QLatin1String(spec.key)))
            node->setText(0, CountedText(Support().Text(spec.textId), *stat, spec.countKey));
    }
}

int32_t RecordTree::GetSearchType() const {
    WriteTrace(QStringLiteral("GetSearchType()"));
    const NodeSpec* node = NodeOf(SelectedKey());
    return node ? SearchType(node->searchBox) : 0;
}

void RecordTree::trvwIcon_NodeClick(QTreeWidgetItem* node) {
    ChooseNode(node, true);
}

void RecordTree::ChooseNode(QTreeWidgetItem* node, bool focusSearchBox) {
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

        m_selectedNodeKey = targetKey;
        BusyScope busy(&m_form);
        m_search->ResetForKind();
        m_list->ConfigureGrid(target);
        m_commands->EnableToolbarButtons();
        if (GetSearchType() == 0)
            m_search->RefreshSearchTextComboBox();
        busy.End();
        if (focusSearchBox)
            m_search->FocusSearchBox();
    });
}

bool RecordTree::trvwIcon_KeyDown(int key) {
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

} // namespace amb::ambrel
