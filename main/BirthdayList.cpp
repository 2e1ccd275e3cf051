#include "main/BirthdayList.h"

#include "main/ListRows.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ListItem.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IWindowLoader.h"
#include "platform/data/Clock.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace amb::ambrel {

namespace {

QString MakeBirthdayKey(int32_t id, int32_t row) {
    return QStringLiteral("id||") + QString::number(id) + QStringLiteral("||") + QString::number(row);
}

} // namespace

BirthdayList::BirthdayList(MainForm& form, QWidget* parent) : MainArea(form) {
    lstvwBirthday = new QTreeWidget(parent);
    lstvwBirthday->setObjectName(QStringLiteral("lstvwBirthday"));
    SetUpRecordList(lstvwBirthday);
    lstvwBirthday->setColumnCount(0);
    lstvwBirthday->setHeaderHidden(true);
    lstvwBirthday->installEventFilter(this);
    connect(lstvwBirthday->header(), &QHeaderView::sectionClicked, this,
            [this](int c) { lstvwBirthday_ColumnClick(c); });
    connect(lstvwBirthday, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwBirthday_DblClick(); });
}

bool BirthdayList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstvwBirthday && IsEnterPress(event)) {
        lstvwBirthday_DblClick();
        return true;
    }
    return MainArea::eventFilter(watched, event);
}

void BirthdayList::Clear() {
    lstvwBirthday->clear();
}

void BirthdayList::ConfigureBirthdayGrid() {
    WriteTrace(QStringLiteral("ConfigureBirthdayGrid()"));
    HideControl(lstvwBirthday, true);
    lstvwBirthday->setHeaderHidden(false);
    lstvwBirthday->clear();
    lstvwBirthday->setColumnCount(2);
    lstvwBirthday->setHeaderLabels({Support().Text(res::kLabelDate), Support().Text(res::kLabelDescription)});
    lstvwBirthday->setColumnWidth(0, 80);
    lstvwBirthday->setColumnWidth(1, 140);
    SortByHeaderClick(lstvwBirthday);
    HideControl(lstvwBirthday, false);
}

int32_t BirthdayList::RefreshBirthday() {
    int32_t result = -1;
    const bool ok = Guard(kTraceObject, QStringLiteral("RefreshBirthday()"), [&] {
        HideControl(lstvwBirthday, true);
        lstvwBirthday->clear();
        const auto hub = Hub();
        auto rs = hub->DatabaseManager()->GetImportantDateByMonth(static_cast<int16_t>(platform::Today().month()));
        if (rs) {
            const bool english = hub->NameLocaleID() == EnumSupportedLocaleID::English;
            auto index = [&](const char* name) { return rs->FieldIndex(QLatin1String(name)); };
            const PersonNameFields name = NameFields(*rs, english);
            const int idField = index("ID"), dateField = index("Date"), dayField = index("Day"),
                      reasonField = index("Reason");
            const QString birthday = Support().Text(res::kTextBirthday);
            const QString anniversary = Support().Text(res::kTextAnniversary);
            QList<QTreeWidgetItem*> items;
            int32_t row = 0;
            const auto& rows = rs->Rows();
            for (std::size_t r = std::max(0, rs->AbsolutePosition()); r < rows.size(); ++r, ++row) {
                const auto& v = rows[r];
                auto* item = NewListRow(MakeBirthdayKey(AsLong(v[idField]), row));
                // "month/day" from the row's date and day fields, e.g. 3/7.
                const QDateTime date = AsDate(v[dateField]);
                const int32_t day = AsLong(v[dayField]);
                SetMonthDayCell(item, 0, date.date().month(), day);
                const QString reason = AsString(v[reasonField]).toLower();
                const QString occasion = reason == QLatin1String("birthday")      ? birthday
                                         : reason == QLatin1String("anniversary") ? anniversary
                                                                                  : QString();
                SetTextCell(item, 1, PersonName(v, name) + QStringLiteral(" - ") + occasion);
                items.append(item);
            }
            lstvwBirthday->addTopLevelItems(items);
            // A refill keeps the order the user chose by a header click.
            ReapplyListViewSort(lstvwBirthday);
            rs->Close();
            result = 1;
        }
        HideControl(lstvwBirthday, false);
        // An empty pane would say that nobody has a birthday this month. Told with the pane shown.
        if (!rs)
            Support().ShowReadFailure();
    });
    if (!ok) {
        lstvwBirthday->clear();
        HideControl(lstvwBirthday, false);
        return -1;
    }
    return result;
}

void BirthdayList::lstvwBirthday_ColumnClick(int column) {
    Handle("lstvwBirthday_ColumnClick()", [&] {
        BusyScope busy(&m_form);
        SortListViewByColumn(lstvwBirthday, column);
    });
}

void BirthdayList::lstvwBirthday_DblClick() {
    Handle("lstvwBirthday_DblClick()", [&] {
        QTreeWidgetItem* item = lstvwBirthday->currentItem();
        if (!item || !item->isSelected())
            return;
        BusyScope busy(&m_form);
        const int32_t id = GetIDFromKey(ListRowKey(item));
        Hub()->WindowLoader()->ShowPersonWindow(id, EnumFamilyGroup::None, 0);
    });
}

} // namespace amb::ambrel
