#include "main/MainForm.h"

#include "main/Icons.h"
#include "main/ListRows.h"
#include "main/MainFormHandle.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ListItem.h"
#include "contracts/IDatabaseManager.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>

#include <span>

namespace amb::ambrel {

namespace {

struct ColumnSpec {
    int32_t textId;
    int widthPixels;
    Qt::Alignment alignment;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

constexpr ColumnSpec kPersonColumns[] = {
    {res::kColumnName, 160, kLeft},    {res::kColumnSex, 40, kCentre},        {res::kColumnDateOfBirth, 80, kCentre},
    {res::kColumnAddress, 150, kLeft}, {res::kColumnPhoneNumber, 100, kLeft}, {res::kColumnEMailAddress, 150, kLeft},
    {res::kColumnMember, 50, kCentre},
};
constexpr ColumnSpec kFamilyColumns[] = {{res::kColumnFamily, 160, kLeft}, {res::kColumnHeadOfFamily, 150, kCentre}};
constexpr ColumnSpec kGroupColumns[] = {
    {res::kColumnGroup, 160, kLeft}, {res::kColumnGroupType, 100, kCentre}, {res::kColumnHeadOfGroup, 150, kCentre}};
constexpr ColumnSpec kMoneyColumns[] = {{res::kColumnDate, 80, kLeft},
                                        {res::kColumnName, 160, kLeft},
                                        {res::kColumnType, 100, kCentre},
                                        {res::kColumnAmount, 70, kRight}};

// The record kinds a node key lists.
enum class Kind { None, Persons, Families, Groups, Expenses, Offerings };

Kind KindOfKey(const QString& key) {
    if (key == QLatin1String("Ambrel") || key == QLatin1String("Member"))
        return Kind::Persons;
    if (key == QLatin1String("Family") || key == QLatin1String("FamilyAndGroup"))
        return Kind::Families;
    if (key == QLatin1String("Group"))
        return Kind::Groups;
    if (key == QLatin1String("Expense"))
        return Kind::Expenses;
    if (key == QLatin1String("Offering"))
        return Kind::Offerings;
    return Kind::None;
}

std::span<const ColumnSpec> ColumnsOfKey(const QString& key) {
    if (key == QLatin1String("Ambrel") || key == QLatin1String("Member"))
        return kPersonColumns;
    if (key == QLatin1String("Family"))
        return kFamilyColumns;
    if (key == QLatin1String("Group"))
        return kGroupColumns;
    if (key == QLatin1String("Offering") || key == QLatin1String("Expense"))
        return kMoneyColumns;
    return {};
}

} // namespace

QString MainForm::CurrencyText(const platform::Variant& value) const {
    if (value.IsNull() || value.IsEmpty())
        return QString();
    const QLocale locale;
    QString symbol = locale.currencySymbol();
    if (symbol.isEmpty() || symbol == QStringLiteral("\u00A4"))
        symbol = QStringLiteral("$");
    return locale.toCurrencyString(value.ToCurrency().ToDouble(), symbol, 2);
}

void MainForm::ConfigureGrid(QTreeWidgetItem* node) {
    WriteTrace(QStringLiteral("ConfigureGrid()"));
    const QString key = node ? node->data(0, Qt::UserRole).toString() : QString();
    HideControl(lstvwData, true);
    lstvwData->setHeaderHidden(false);
    lstvwData->setSortingEnabled(false);
    lstvwData->clear();
    const auto columns = ColumnsOfKey(key);
    lstvwData->setColumnCount(static_cast<int>(columns.size()));
    QStringList captions;
    for (const ColumnSpec& column : columns)
        captions << LoadText(column.textId);
    lstvwData->setHeaderLabels(captions);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        // The designed widths, plus room for the cell margins (and the row's picture in column 0).
        lstvwData->setColumnWidth(i, columns[i].widthPixels + (i == 0 ? 32 : 12));
        lstvwData->headerItem()->setTextAlignment(i, columns[i].alignment);
    }
    if (columns.empty() && key != QLatin1String("FamilyAndGroup") && key != QLatin1String("ExpenseAndOffering")) {
        lstvwData->setColumnCount(0);
        lstvwData->setHeaderHidden(true);
    }
    HideControl(lstvwData, false);
}

int32_t MainForm::RefreshData(const QString& searchText, int32_t groupTypeID, const QDateTime& startDate,
                              const QDateTime& endDate) {
    WriteTrace(QStringLiteral("RefreshData()"));
    int32_t result = -1;
    sbarPanels[0]->clear();
    HideControl(lstvwData, true);
    lstvwData->setSortingEnabled(false);
    lstvwData->clear();

    const int32_t mode = GetSearchType();
    const QString key = SelectedKey();
    const Kind kind = KindOfKey(key);
    const auto database = Hub()->DatabaseManager();
    platform::RecordsetPtr rs;
    if (mode == 0 && kind == Kind::Persons)
        rs = database->GetPersonBySearchText(searchText);
    else if (mode == 0 && kind == Kind::Families)
        rs = database->GetFamilyBySearchText(searchText);
    else if (mode == 1 && kind == Kind::Groups)
        rs = database->GetGroupByGroupTypeID(groupTypeID);
    else if (mode == 2 && kind == Kind::Expenses)
        rs = database->GetExpenseByDateRange(startDate, endDate);
    else if (mode == 2 && kind == Kind::Offerings)
        rs = database->GetOfferingByDateRange(startDate, endDate);

    if (rs) {
        sbarPanels[0]->setText(QString::number(rs->RecordCount()) + QStringLiteral(" item (s)"));
        AddRecordRows(static_cast<int>(kind), *rs);
        rs->Close();
        result = 1;
    }
    HideControl(lstvwData, false);
    return result;
}

void MainForm::AddRecordRows(int kindValue, platform::Recordset& rs) {
    const Kind kind = static_cast<Kind>(kindValue);
    const bool english = Hub()->NameLocaleID() == EnumSupportedLocaleID::English;
    DateTexts dates(m_qtDatePattern);
    const QString yes = LoadText(res::kTextIsMemberYes);
    const QString no = LoadText(res::kTextIsMemberNo);
    auto index = [&](const char* name) { return rs.FieldIndex(QLatin1String(name)); };
    auto nameIndexes = [&](bool withTitle) { return NameFields(rs, english, withTitle); };

    const int first = std::max(0, rs.AbsolutePosition());
    const auto& rows = rs.Rows();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(rows.size()) - first);
    const int idIndex = index("ID");
    switch (kind) {
    case Kind::Persons: {
        const auto name = nameIndexes(true);
        const QIcon icon = TreeIcon(TreeImage::Persons);
        const int sex = OptionalField(rs, "Sex"), dob = index("DOB"), phone = OptionalField(rs, "PhoneNumber"),
                  mail = OptionalField(rs, "EMailAddress"), member = index("IsMember");
        const int parts[] = {OptionalField(rs, "AddressPart1"), OptionalField(rs, "AddressPart2"),
                             OptionalField(rs, "AddressPart3"), OptionalField(rs, "AddressPart4"),
                             OptionalField(rs, "AddressPart5")};
        auto cell = [](const platform::Recordset::Row& v, int i) { return i >= 0 ? AsString(v[i]) : QString(); };
        for (std::size_t r = first; r < rows.size(); ++r) {
            const auto& v = rows[r];
            auto* item = NewListRow(AsLong(v[idIndex]), icon);
            SetTextCell(item, 0, PersonName(v, name));
            SetTextCell(item, 1, cell(v, sex));
            SetDateCell(item, 2, v[dob], dates);
            SetTextCell(item, 3,
                        FormatAddress(cell(v, parts[0]), cell(v, parts[1]), cell(v, parts[2]), cell(v, parts[3]),
                                      cell(v, parts[4])));
            SetTextCell(item, 4, cell(v, phone));
            SetTextCell(item, 5, cell(v, mail));
            SetTextCell(item, 6, AsBoolean(v[member]) ? yes : no);
            items.append(item);
        }
        break;
    }
    case Kind::Families: {
        const auto head = nameIndexes(true);
        const int nameField = index("Name");
        const QIcon icon = TreeIcon(TreeImage::FamiliesGroups);
        for (std::size_t r = first; r < rows.size(); ++r) {
            const auto& v = rows[r];
            auto* item = NewListRow(AsLong(v[idIndex]), icon);
            SetTextCell(item, 0, AsString(v[nameField]));
            SetTextCell(item, 1, PersonName(v, head));
            items.append(item);
        }
        break;
    }
    case Kind::Groups: {
        const auto head = nameIndexes(true);
        const int nameField = index("Name"), type = index("GroupType");
        const QIcon icon = TreeIcon(TreeImage::FamiliesGroups);
        for (std::size_t r = first; r < rows.size(); ++r) {
            const auto& v = rows[r];
            auto* item = NewListRow(AsLong(v[idIndex]), icon);
            SetTextCell(item, 0, AsString(v[nameField]));
            SetTextCell(item, 1, AsString(v[type]));
            SetTextCell(item, 2, PersonName(v, head));
            items.append(item);
        }
        break;
    }
    case Kind::Expenses:
    case Kind::Offerings: {
        const bool expenses = kind == Kind::Expenses;
        const int date = index(expenses ? "ExpenseDate" : "OfferingDate");
        const int type = index(expenses ? "ExpenseTypeName" : "OfferingTypeName");
        const int amount = index("Amount");
        const int expenseName = expenses ? index("ExpenseName") : -1;
        const auto giver = expenses ? PersonNameFields{} : nameIndexes(false);
        const QString unknown = QStringLiteral("<Unknown>");
        const QIcon icon = TreeIcon(expenses ? TreeImage::Expenses : TreeImage::Offerings);
        for (std::size_t r = first; r < rows.size(); ++r) {
            const auto& v = rows[r];
            auto* item =
                NewListRow(AsLong(v[idIndex]), TreeIcon(expenses ? TreeImage::Expenses : TreeImage::Offerings));
            SetDateCell(item, 0, v[date], dates);
            QString name = expenses ? AsString(v[expenseName]) : PersonName(v, giver);
            if (!expenses && name.isEmpty())
                name = unknown;
            SetTextCell(item, 1, name);
            SetTextCell(item, 2, AsString(v[type]));
            SetAmountCell(item, 3, v[amount], CurrencyText(v[amount]));
            items.append(item);
        }
        break;
    }
    case Kind::None:
        break;
    }
    // Left is every cell's own alignment; only the other columns are set, once per cell.
    std::vector<std::pair<int, Qt::Alignment>> aligned;
    for (int c = 0; c < lstvwData->columnCount(); ++c) {
        const auto alignment = Qt::Alignment(lstvwData->headerItem()->textAlignment(c));
        if (!(alignment & Qt::AlignLeft))
            aligned.emplace_back(c, alignment);
    }
    for (QTreeWidgetItem* item : items) {
        for (const auto& [c, alignment] : aligned)
            item->setTextAlignment(c, alignment);
    }
    lstvwData->addTopLevelItems(items);
}

void MainForm::lstvwData_ColumnClick(int column) {
    Handle("lstvwData_ColumnClick()", [&] {
        ScopedBusy busy(this);
        SortListViewByColumn(lstvwData, column);
    });
}

void MainForm::lstvwData_DblClick() {
    Handle("lstvwData_DblClick()", [&] { mnuFileOpen_Click(); });
}

void MainForm::lstvwData_ItemClick() {
    Handle("lstvwData_ItemClick()", [&] {
        if (lstvwData->currentItem() && lstvwData->currentItem()->isSelected())
            EnableToolbarButtons();
    });
}

} // namespace amb::ambrel
