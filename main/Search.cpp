#include "main/Search.h"

#include "main/CApplication.h"
#include "main/Icons.h"

#include "common/ResourceIDs.h"
#include "common/widgets/DateBox.h"
#include "platform/data/Clock.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>

namespace amb::ambrel {

namespace {

constexpr int32_t kAllEntriesID = -999; // the id of a look-up list's "all" entry

// Fills the text box's drop-down with the newest texts first, leaving `text` in the box.
void FillRecentTexts(QComboBox* box, const platform::Dictionary* dictionary, const QString& text) {
    const QSignalBlocker blocker(box);
    box->clear();
    if (dictionary) {
        const auto& items = dictionary->Items();
        int added = 0;
        for (auto it = items.rbegin(); it != items.rend() && added < kMaxRecentSearches; ++it, ++added) {
            const QString item = AsString(it->second);
            if (!item.isEmpty())
                box->addItem(item);
        }
    }
    // Adding to an editable box would put the first entry into its text.
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

} // namespace

SearchBand::SearchBand(MainForm& form, QMainWindow& window) : MainArea(form) {
    window.addToolBarBreak(Qt::TopToolBarArea);
    tbarSearch = window.addToolBar(QString());
    tbarSearch->setObjectName(QStringLiteral("tbarSearch"));
    tbarSearch->setMovable(false);
    tbarSearch->setIconSize(QSize(16, 16));
    tbarSearch->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* boxes = new QWidget(tbarSearch);
    boxes->setObjectName(QStringLiteral("picSearchBoxes"));
    auto* layout = new QHBoxLayout(boxes);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    // Beside the boxes it names, so that a screen reader finds it as the shown box's label.
    lblSearchBand = new QLabel(boxes);
    lblSearchBand->setObjectName(QStringLiteral("lblSearchBand"));
    lblSearchBand->setContentsMargins(6, 0, 4, 0);
    layout->addWidget(lblSearchBand);
    cboSearchText = new QComboBox(boxes);
    cboSearchText->setObjectName(QStringLiteral("cboSearchText"));
    cboSearchText->setEditable(true);
    cboSearchText->setInsertPolicy(QComboBox::NoInsert);
    // What the user types is what is searched: the recent searches are offered in the drop-down
    // only, never completed into the text.
    cboSearchText->setCompleter(nullptr);
    cboSearchText->setMaxVisibleItems(kMaxRecentSearches);
    cboSearchText->setMinimumContentsLength(28);
    cboSearchText->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboGroupType = new QComboBox(boxes);
    cboGroupType->setObjectName(QStringLiteral("cboGroupType"));
    cboGroupType->setMinimumContentsLength(24);
    cboGroupType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboGroupType->setVisible(false);
    picDateBox = new QWidget(boxes);
    picDateBox->setObjectName(QStringLiteral("picDateBox"));
    auto* dateLayout = new QHBoxLayout(picDateBox);
    dateLayout->setContentsMargins(0, 0, 0, 0);
    dateLayout->setSpacing(4);
    lblDateFrom = new QLabel(picDateBox);
    lblDateFrom->setObjectName(QStringLiteral("lblDateFrom"));
    dtpStart = new DateBox(picDateBox);
    dtpStart->setObjectName(QStringLiteral("dtpStart"));
    lblDash = new QLabel(picDateBox);
    lblDash->setObjectName(QStringLiteral("lblDash"));
    dtpEnd = new DateBox(picDateBox);
    dtpEnd->setObjectName(QStringLiteral("dtpEnd"));
    // Each date has its label: "From" before the start, and between the dates "To".
    lblDateFrom->setBuddy(dtpStart);
    lblDash->setBuddy(dtpEnd);
    lblSearchBand->setBuddy(cboSearchText);
    for (QDateTimeEdit* picker : {dtpStart, dtpEnd}) {
        picker->setCalendarPopup(true);
        picker->setTimeSpec(Qt::UTC);
        picker->setMinimumWidth(120);
    }
    dateLayout->addWidget(lblDateFrom);
    dateLayout->addWidget(dtpStart);
    dateLayout->addWidget(lblDash);
    dateLayout->addWidget(dtpEnd);
    layout->addWidget(cboSearchText);
    layout->addWidget(cboGroupType);
    layout->addWidget(picDateBox);
    tbarSearchButtons[1] = tbarSearch->addWidget(boxes);
    tbarSearchButtons[2] = new QAction(&window);
    tbarSearchButtons[2]->setObjectName(QStringLiteral("tbarSearchButton2"));
    tbarSearchButtons[2]->setIcon(ToolIcon(ToolImage::Search));
    tbarSearch->addAction(tbarSearchButtons[2]);
    connect(tbarSearchButtons[2], &QAction::triggered, this, [this] { tbarSearch_ButtonClick(2); });

    // Enter in any search box starts the search. The editable box's keys arrive at the box itself, which
    // hands them to its line edit without passing that edit's event filters.
    for (QWidget* box : {static_cast<QWidget*>(cboSearchText), static_cast<QWidget*>(cboGroupType),
                         static_cast<QWidget*>(dtpStart), static_cast<QWidget*>(dtpEnd)})
        box->installEventFilter(this);
}

void SearchBand::Wire(RecordTreePort& tree, RecordListPort& list, CommandsPort& commands) {
    m_tree = &tree;
    m_list = &list;
    m_commands = &commands;
}

bool SearchBand::eventFilter(QObject* watched, QEvent* event) {
    if (IsEnterPress(event)) {
        const std::pair<QObject*, const char*> boxes[] = {{cboSearchText, "cboSearchText_KeyDown()"},
                                                          {cboGroupType, "cboGroupType_KeyDown()"},
                                                          {dtpStart, "dtpStart_KeyDown()"},
                                                          {dtpEnd, "dtpEnd_KeyDown()"}};
        for (const auto& [box, handler] : boxes) {
            if (watched == box) {
                SearchBox_KeyDown(handler);
                return true;
            }
        }
    }
    return MainArea::eventFilter(watched, event);
}

void SearchBand::SetCaptions() {
    lblSearchBand->setText(Support().Text(res::kLabelSearchBand));
    lblDateFrom->setText(Support().Text(res::kLabelRangeFrom));
    lblDash->setText(Support().Text(res::kLabelRangeTo));
    tbarSearchButtons[2]->setText(Support().Text(res::kTitleSearch));
    tbarSearch->setAccessibleName(lblSearchBand->text().trimmed());
}

void SearchBand::InitializeComboBoxes() {
    WriteTrace(QStringLiteral("InitializeComboBoxes()"));
    FillComboBox(cboGroupType, Hub()->DatabaseManager()->GetLookupGroupType(EnumLookupOption::IncludeAll),
                 QStringLiteral("Name"), QStringLiteral("ID"), false);
    // The "all" entry comes as the database stores it ('<All>'); it is shown in the interface language.
    const int all = cboGroupType->findData(kAllEntriesID);
    if (all >= 0)
        cboGroupType->setItemText(all, Support().Text(res::kTextAllEntries));
}

void SearchBand::SetDatePattern(const QString& qtPattern) {
    for (QDateTimeEdit* picker : {dtpStart, dtpEnd})
        picker->setDisplayFormat(qtPattern);
}

void SearchBand::Initialize() {
    cboSearchText->setEditText(QString());
    dtpStart->setDateTime(FirstDayOfMonth(platform::Now()));
    dtpEnd->setDateTime(LastDayOfMonth(platform::Now()));
    InitializeComboBoxes();
    ShowSearchTextComboBox(true);
    ShowDateRangeBox(false);
}

void SearchBand::ResetForKind() {
    m_lastSearchText.clear();
    cboSearchText->setEditText(QString());
    dtpStart->setDateTime(FirstDayOfMonth(platform::Now()));
    dtpEnd->setDateTime(LastDayOfMonth(platform::Now()));
    cboGroupType->setCurrentIndex(cboGroupType->count() > 0 ? 0 : -1);
}

void SearchBand::ResetForLogOut() {
    ShowDateRangeBox(false);
    ShowSearchTextComboBox(true);
    // The group-type box would otherwise stand beside the text box after a group search.
    ShowGroupTypeComboBox(false);
    cboSearchText->setEditText(QString());
    dtpStart->setDateTime(platform::Now());
    dtpEnd->setDateTime(platform::Now());
}

void SearchBand::ShowBoxFor(SearchBox box, bool loggedIn) {
    EnableSearchTextComboBox(false);
    EnableDateRangeBox(false);
    EnableGroupTypeComboBox(false);
    const bool searchable = loggedIn && box != SearchBox::None;
    tbarSearchButtons[1]->setEnabled(searchable);
    tbarSearchButtons[2]->setEnabled(searchable);
    if (!loggedIn)
        return;
    switch (box) {
    case SearchBox::Text:
        ShowDateRangeBox(false);
        ShowSearchTextComboBox(true);
        EnableSearchTextComboBox(true);
        ShowGroupTypeComboBox(false);
        break;
    case SearchBox::GroupType:
        ShowDateRangeBox(false);
        ShowSearchTextComboBox(false);
        ShowGroupTypeComboBox(true);
        EnableGroupTypeComboBox(true);
        break;
    case SearchBox::DateRange:
        ShowSearchTextComboBox(false);
        ShowDateRangeBox(true);
        EnableDateRangeBox(true);
        ShowGroupTypeComboBox(false);
        break;
    case SearchBox::None:
        break;
    }
}

void SearchBand::FocusSearchBox() {
    QWidget* box = nullptr;
    switch (m_tree->GetSearchType()) {
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

int32_t SearchBand::GroupTypeID() const {
    return cboGroupType->currentIndex() >= 0 ? cboGroupType->currentData().toInt() : 0;
}

std::pair<QDateTime, QDateTime> SearchBand::SearchRange() {
    dtpStart->setTime(QTime(0, 0, 0));
    dtpEnd->setTime(QTime(23, 59, 59));
    return {platform::Naive(dtpStart->date(), dtpStart->time()), platform::Naive(dtpEnd->date(), dtpEnd->time())};
}

void SearchBand::ShowSearchTextComboBox(bool show) {
    WriteTrace(QStringLiteral("ShowSearchTextComboBox()"));
    cboSearchText->setVisible(show);
    if (show)
        lblSearchBand->setBuddy(cboSearchText);
    if (!show)
        EnableSearchTextComboBox(false);
}

void SearchBand::ShowGroupTypeComboBox(bool show) {
    WriteTrace(QStringLiteral("ShowGroupTypeComboBox()"));
    cboGroupType->setVisible(show);
    if (show)
        lblSearchBand->setBuddy(cboGroupType);
    if (!show)
        EnableGroupTypeComboBox(false);
}

void SearchBand::ShowDateRangeBox(bool show) {
    WriteTrace(QStringLiteral("ShowDateRangeBox()"));
    for (QWidget* control :
         {picDateBox, static_cast<QWidget*>(dtpStart), static_cast<QWidget*>(dtpEnd), static_cast<QWidget*>(lblDash)})
        control->setVisible(show);
    if (!show)
        EnableDateRangeBox(false);
}

void SearchBand::EnableSearchTextComboBox(bool enable) {
    WriteTrace(QStringLiteral("EnableSearchTextComboBox()"));
    cboSearchText->setEnabled(enable);
}

void SearchBand::EnableGroupTypeComboBox(bool enable) {
    WriteTrace(QStringLiteral("EnableGroupTypeComboBox()"));
    cboGroupType->setEnabled(enable);
}

void SearchBand::EnableDateRangeBox(bool enable) {
    WriteTrace(QStringLiteral("EnableDateRangeBox()"));
    for (QWidget* control :
         {picDateBox, static_cast<QWidget*>(dtpStart), static_cast<QWidget*>(dtpEnd), static_cast<QWidget*>(lblDash)})
        control->setEnabled(enable);
}

void SearchBand::SearchBox_KeyDown(const char* handlerName) {
    if (!Handle(handlerName, [&] { ExecuteSearch(); }))
        m_list->Reveal();
}

void SearchBand::tbarSearch_ButtonClick(int index) {
    if (!Handle("tbarSearch_ButtonClick()", [&] {
            if (index == 2)
                ExecuteSearch();
        }))
        m_list->Reveal();
}

void SearchBand::ExecuteSearch() {
    WriteTrace(QStringLiteral("ExecuteSearch()"));
    const int32_t kind = m_tree->GetSearchType();
    // Before the range is read: reading it shows the dates held.
    if (kind == 2 && !Support().CheckDates({dtpStart, dtpEnd}))
        return;
    const auto [start, end] = SearchRange();
    QString text;
    switch (kind) {
    case 0:
        text = AsString(platform::Variant(cboSearchText->currentText()));
        if (text.isEmpty()) {
            Support().ShowMessage(res::kMsgEnterSearchText, MessageStyle::Information);
            cboSearchText->setFocus();
            return;
        }
        break;
    case 1:
        if (AsString(platform::Variant(cboGroupType->currentText())).isEmpty()) {
            Support().ShowMessage(res::kMsgEnterSearchText, MessageStyle::Information);
            cboGroupType->setFocus();
            return;
        }
        break;
    case 2:
        if (start > end) {
            Support().ShowMessage(res::kMsgStartDateAfterEndDate, MessageStyle::Information);
            dtpStart->setFocus();
            return;
        }
        break;
    default:
        break;
    }

    BusyScope busy(&m_form);
    if (!text.isEmpty())
        m_lastSearchText = text;
    if (m_list->RefreshData(text, GroupTypeID(), start, end) >= 0) {
        AddToMRSearchTextDictionary(text);
        m_commands->EnableToolbarButtons();
        busy.End();
        m_list->Focus();
        return;
    }
    m_commands->EnableToolbarButtons();
    busy.End();
    TellNothingListed();
}

void SearchBand::TellNothingListed() {
    Support().ShowNothingRead(res::kMsgNoRecordFound);
    FocusSearchBox();
}

platform::DictionaryPtr SearchBand::SearchDictionaryOfSelectedNode() const {
    const NodeSpec* node = NodeOf(m_tree->SelectedKey());
    const CApplication* application = m_form.Wrapper().Application();
    if (!application || !node)
        return nullptr;
    switch (node->recent) {
    case RecentSearches::Persons:
        return application->MRPersonSearch();
    case RecentSearches::Families:
        return application->MRFamilySearch();
    case RecentSearches::None:
        break;
    }
    return nullptr;
}

void SearchBand::AddToMRSearchTextDictionary(const QString& text) {
    WriteTrace(QStringLiteral("AddToMRSearchTextDictionary()"));
    if (text.trimmed().isEmpty() || m_tree->SelectedKey().isEmpty())
        return;
    const auto dictionary = SearchDictionaryOfSelectedNode();
    if (!dictionary)
        return;
    // A repeated text moves to the end (the newest), spelled as typed this time.
    const QString key = text.toLower();
    dictionary->Remove(key);
    dictionary->SetItem(key, text);
    FillRecentTexts(cboSearchText, dictionary.get(), cboSearchText->currentText());
}

void SearchBand::RefreshSearchTextComboBox() {
    WriteTrace(QStringLiteral("RefreshSearchTextComboBox()"));
    const auto dictionary = !m_tree->SelectedKey().isEmpty() ? SearchDictionaryOfSelectedNode() : nullptr;
    FillRecentTexts(cboSearchText, dictionary.get(), QString());
}

} // namespace amb::ambrel
