#include "windows/forms/SearchForm.h"

#include "common/DateText.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/ListItem.h"
#include "contracts/IDatabaseManager.h"
#include "heading/FormHeading.h"
#include "platform/com/Error.h"
#include "platform/data/Recordset.h"
#include "windows/forms/NamedControl.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace amb::windows {

namespace {

struct ResultColumn {
    int32_t header;
    int width;
    Qt::Alignment alignment;
};

// clang-format off
constexpr std::array<ResultColumn, 7> kColumns{{
    {res::kColumnName,         160, Qt::AlignLeft},
    {res::kColumnSex,           40, Qt::AlignHCenter},
    {res::kColumnDateOfBirth,   80, Qt::AlignHCenter},
    {res::kColumnAddress,      150, Qt::AlignLeft},
    {res::kColumnPhoneNumber,  100, Qt::AlignLeft},
    {res::kColumnEMailAddress, 150, Qt::AlignLeft},
    {res::kColumnMember,        50, Qt::AlignHCenter},
}};
// clang-format on

// The picture of every result row: a person's head and shoulders.
QIcon PersonIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 110, 160));
    painter.drawEllipse(QRectF(5, 1.5, 6, 6));
    painter.drawRoundedRect(QRectF(2.5, 9, 11, 6.5), 3, 3);
    return QIcon(pixmap);
}

} // namespace

SearchForm::SearchForm(QWidget* parent)
    : FormBase(QStringLiteral("SearchForm"), parent), fhMain(new orv::FormHeading(this)), lblSearch(nullptr),
      cboSearchText(NamedControl<QComboBox>(this, "cboSearchText")),
      cmdSearch(NamedControl<QPushButton>(this, "cmdSearch")), cmdOK(NamedControl<QPushButton>(this, "cmdOK")),
      cmdCancel(NamedControl<QPushButton>(this, "cmdCancel")),
      lstvwResult(NamedControl<QTreeWidget>(this, "lstvwResult")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    lblSearch = NamedLabel(this, "lblSearch", cboSearchText);
    cboSearchText->setEditable(true);
    cboSearchText->setInsertPolicy(QComboBox::NoInsert);
    cboSearchText->setMinimumWidth(240);
    SetUpRecordList(lstvwResult);
    lstvwResult->setIconSize(QSize(16, 16));
    lstvwResult->header()->setSectionsClickable(true);
    lstvwResult->setMinimumSize(840, 260); // every column without scrolling
    cmdSearch->setMinimumWidth(88);

    auto* searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(16, 0, 16, 0);
    searchRow->addWidget(lblSearch);
    searchRow->addWidget(cboSearchText, 1);
    searchRow->addWidget(cmdSearch);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(fhMain);
    layout->addLayout(searchRow);
    auto* listMargin = new QHBoxLayout;
    listMargin->setContentsMargins(16, 0, 16, 0);
    listMargin->addWidget(lstvwResult);
    layout->addLayout(listMargin, 1);
    layout->addLayout(ButtonRow({cmdOK, cmdCancel}));

    setTabOrder(cboSearchText, cmdSearch);
    setTabOrder(cmdSearch, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, lstvwResult);
    SetDialogButtons(cmdOK, cmdCancel);
    cmdSearch->setAutoDefault(true);

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(lstvwResult, &QTreeWidget::itemDoubleClicked, this, [this] { lstvwResult_DblClick(); });
    connect(lstvwResult->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lstvwResult_ColumnClick(column); });
    OnFocusIn(cboSearchText, [this] { cboSearchText_GotFocus(); });
}

SearchForm::~SearchForm() = default;

int32_t SearchForm::ID() {
    return Member(QStringLiteral("Get_ID()"), int32_t{0}, [&] { return m_id; });
}

QString SearchForm::SelectedKey() const {
    const QTreeWidgetItem* row = lstvwResult->currentItem();
    return row && row->isSelected() ? row->data(0, kListKeyRole).toString() : QString();
}

int32_t SearchForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        ConfigureGrid();
        SetControlCaption();
        setWindowTitle(Text(res::kTitleSearch));
        fhMain->SetHeading(Text(res::kTitleSearch));
        fhMain->SetDescription(Text(res::kDescSearch));
        // The result list is read by what it holds: the search's result.
        lstvwResult->setAccessibleName(Text(res::kTitleSearch));
        cmdOK->setEnabled(false);
        return int32_t{1};
    });
}

void SearchForm::ConfigureGrid() {
    Trace(QStringLiteral("ConfigureGrid()"));
    HideControl(lstvwResult, true);
    lstvwResult->setHeaderHidden(false);
    lstvwResult->clear();
    lstvwResult->setColumnCount(static_cast<int>(kColumns.size()));
    auto* header = new QTreeWidgetItem;
    for (int i = 0; i < static_cast<int>(kColumns.size()); ++i) {
        header->setText(i, Text(kColumns[i].header));
        header->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
        // The designed widths, plus room for the cell margins (and the row's picture in the first
        // column), as in the main window's lists: "Female" fits its 40 pixels only without them.
        lstvwResult->setColumnWidth(i, kColumns[i].width + (i == 0 ? 32 : 12));
    }
    lstvwResult->setHeaderItem(header);
    HideControl(lstvwResult, false);
}

void SearchForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    lblSearch->setText(RequiredText(res::kLabelSearch));
    cmdCancel->setText(Text(res::kCaptionCancel));
    cmdOK->setText(Text(res::kCaptionOK));
    cmdSearch->setText(Text(res::kCaptionSearch));
}

void SearchForm::cmdSearch_Click() {
    Handle(QStringLiteral("cmdSearch_Click()"), [&] {
        const QString text = AsString(cboSearchText->currentText());
        if (text.isEmpty()) {
            ShowMessage(res::kMsgEnterSearchText);
            cboSearchText->setFocus();
            return;
        }
        WindowBusy busy(this);
        HideControl(lstvwResult, true);
        lstvwResult->clear();
        cmdOK->setEnabled(false);
        // The list comes back whatever happens below; the rows read so far stay.
        const auto showList = qScopeGuard([this] { HideControl(lstvwResult, false); });

        const IDatabaseManagerPtr database = Database();
        platform::RecordsetPtr rows = database->GetPersonBySearchText(text);
        if (!rows || rows->RecordCount() == 0) {
            HideControl(lstvwResult, false);
            busy.End();
            Support().ShowNothingRead(res::kMsgNoRecordFound);
            cboSearchText->setFocus();
            return;
        }
        FillResult(*rows);
        rows->Close();
        HideControl(lstvwResult, false);
        busy.End();
        cmdOK->setEnabled(true);
    });
}

void SearchForm::FillResult(const platform::Recordset& rows) {
    const auto column = [&rows](const char* name) { return rows.FieldIndex(QString::fromLatin1(name)); };
    const int id = column("ID"), envelope = column("EnvelopCode"), languageName = column("LanguageName");
    const int first = column("FirstName"), middle = column("MiddleName"), last = column("LastName");
    const int suffix = column("Suffix"), sex = column("Sex"), dob = column("DOB");
    const int phone = column("PhoneNumber"), email = column("EMailAddress"), member = column("IsMember");
    std::array<int, 5> parts{};
    for (int i = 0; i < 5; ++i)
        parts[i] = rows.FieldIndex(QStringLiteral("AddressPart%1").arg(i + 1));

    // Asked once per search rather than once per row: a search may list tens of thousands of rows.
    const EnumSupportedLocaleID nameLocale = Hub()->NameLocaleID();
    const QString datePattern = DatePattern(Hub()->DateFormat());
    const QString memberText = Text(res::kTextIsMemberYes);
    const QString otherText = Text(res::kTextIsMemberNo);
    const QIcon icon = PersonIcon();

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.Rows().size()));
    for (const platform::Recordset::Row& row : rows.Rows()) {
        auto* item = new ListItem;
        items.append(item);
        item->SetKey(MakeListItemKey(AsLong(row[id])) + QStringLiteral("||") + AsString(row[envelope]));
        item->setIcon(0, icon);
        item->SetCell(0, DisplayName({.first = AsString(row[first]),
                                      .middle = AsString(row[middle]),
                                      .last = AsString(row[last]),
                                      .suffix = AsString(row[suffix]),
                                      .language = AsString(row[languageName])},
                                     nameLocale));
        item->SetCell(1, AsString(row[sex]));
        const QDateTime born = AsDate(row[dob]);
        item->SetCell(2, IsNoDate(born) ? QString() : born.toString(datePattern), SortValue(row[dob]));
        item->SetCell(3, FormatAddress(AsString(row[parts[0]]), AsString(row[parts[1]]), AsString(row[parts[2]]),
                                       AsString(row[parts[3]]), AsString(row[parts[4]])));
        item->SetCell(4, AsString(row[phone]));
        item->SetCell(5, AsString(row[email]));
        item->SetCell(6, AsBoolean(row[member]) ? memberText : otherText);
        for (int i = 0; i < static_cast<int>(kColumns.size()); ++i)
            item->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
    }
    lstvwResult->addTopLevelItems(items);
    // Later searches keep the order the user chose by a header click.
    ReapplyListViewSort(lstvwResult);
    if (QTreeWidgetItem* top = lstvwResult->topLevelItem(0)) {
        lstvwResult->setCurrentItem(top);
        top->setSelected(true);
    }
}

void SearchForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::OK);
        HideForm();
        const QString key = SelectedKey();
        if (key.isEmpty())
            throw platform::Error(91, QStringLiteral("No result row is selected"), SourceName());
        m_id = GetIDFromKey(key);
    });
}

void SearchForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        HideForm();
        m_id = -1;
    });
}

void SearchForm::lstvwResult_DblClick() {
    Handle(QStringLiteral("lstvwResult_DblClick()"), [&] {
        // A double-click on a row chooses it, whether or not OK is enabled.
        if (GetIDFromKey(SelectedKey()) != 0)
            cmdOK_Click();
    });
}

void SearchForm::lstvwResult_ColumnClick(int column) {
    Handle(QStringLiteral("lstvwResult_ColumnClick()"), [&] {
        WindowBusy busy(this);
        SortListViewByColumn(lstvwResult, column);
    });
}

void SearchForm::cboSearchText_GotFocus() {
    Handle(QStringLiteral("cboSearchText_GotFocus()"), [&] {
        SelectAllComboText(cboSearchText);
        // Enter searches while the search text has the focus, and means OK elsewhere.
        cmdOK->setDefault(false);
        cmdSearch->setDefault(true);
    });
}

void SearchForm::cboSearchText_LostFocus() {
    Handle(QStringLiteral("cboSearchText_LostFocus()"), [&] {
        cmdSearch->setDefault(false);
        cmdOK->setDefault(true);
    });
}

bool SearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cboSearchText && event->type() == QEvent::FocusOut)
        cboSearchText_LostFocus();
    return FormBase::eventFilter(watched, event);
}

} // namespace amb::windows
