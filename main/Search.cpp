#include "main/MainForm.h"

#include "main/MainFormHandle.h"
#include "main/RecordNodes.h"

#include "common/ResourceIDs.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QTreeWidget>

namespace amb::ambrel {

namespace {

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

void MainForm::ShowSearchTextComboBox(bool show) {
    WriteTrace(QStringLiteral("ShowSearchTextComboBox()"));
    cboSearchText->setVisible(show);
    if (show)
        lblSearchBand->setBuddy(cboSearchText);
    if (!show)
        EnableSearchTextComboBox(false);
}

void MainForm::ShowGroupTypeComboBox(bool show) {
    WriteTrace(QStringLiteral("ShowGroupTypeComboBox()"));
    cboGroupType->setVisible(show);
    if (show)
        lblSearchBand->setBuddy(cboGroupType);
    if (!show)
        EnableGroupTypeComboBox(false);
}

void MainForm::ShowDateRangeBox(bool show) {
    WriteTrace(QStringLiteral("ShowDateRangeBox()"));
    for (QWidget* control :
         {picDateBox, static_cast<QWidget*>(dtpStart), static_cast<QWidget*>(dtpEnd), static_cast<QWidget*>(lblDash)})
        control->setVisible(show);
    if (!show)
        EnableDateRangeBox(false);
}

void MainForm::EnableSearchTextComboBox(bool enable) {
    WriteTrace(QStringLiteral("EnableSearchTextComboBox()"));
    cboSearchText->setEnabled(enable);
}

void MainForm::EnableGroupTypeComboBox(bool enable) {
    WriteTrace(QStringLiteral("EnableGroupTypeComboBox()"));
    cboGroupType->setEnabled(enable);
}

void MainForm::EnableDateRangeBox(bool enable) {
    WriteTrace(QStringLiteral("EnableDateRangeBox()"));
    for (QWidget* control :
         {picDateBox, static_cast<QWidget*>(dtpStart), static_cast<QWidget*>(dtpEnd), static_cast<QWidget*>(lblDash)})
        control->setEnabled(enable);
}

void MainForm::SearchBox_KeyDown(const char* handlerName) {
    if (!Handle(handlerName, [&] { ExecuteSearch(); }))
        HideControl(lstvwData, false);
}

void MainForm::tbarSearch_ButtonClick(int index) {
    if (!Handle("tbarSearch_ButtonClick()", [&] {
            if (index == 2)
                ExecuteSearch();
        }))
        HideControl(lstvwData, false);
}

void MainForm::ExecuteSearch() {
    WriteTrace(QStringLiteral("ExecuteSearch()"));
    const int32_t kind = GetSearchType();
    QString text;
    switch (kind) {
    case 0:
        text = AsString(platform::Variant(cboSearchText->currentText()));
        if (text.isEmpty()) {
            m_support.ShowMessage(res::kMsgEnterSearchText, MessageStyle::Information);
            cboSearchText->setFocus();
            return;
        }
        break;
    case 1:
        if (AsString(platform::Variant(cboGroupType->currentText())).isEmpty()) {
            m_support.ShowMessage(res::kMsgEnterSearchText, MessageStyle::Information);
            cboGroupType->setFocus();
            return;
        }
        break;
    case 2:
        dtpStart->setTime(QTime(0, 0, 0));
        dtpEnd->setTime(QTime(23, 59, 59));
        if (dtpStart->dateTime() > dtpEnd->dateTime()) {
            m_support.ShowMessage(res::kMsgStartDateAfterEndDate, MessageStyle::Information);
            dtpStart->setFocus();
            return;
        }
        break;
    default:
        break;
    }

    BusyScope busy(this);
    if (!text.isEmpty())
        m_lastSearchText = text;
    const int32_t groupTypeID = cboGroupType->currentIndex() >= 0 ? cboGroupType->currentData().toInt() : 0;
    const QDateTime start = platform::Naive(dtpStart->date(), dtpStart->time());
    const QDateTime end = platform::Naive(dtpEnd->date(), dtpEnd->time());
    if (RefreshData(text, groupTypeID, start, end) >= 0) {
        AddToMRSearchTextDictionary(text);
        EnableToolbarButtons();
        busy.End();
        lstvwData->setFocus();
        return;
    }
    EnableToolbarButtons();
    busy.End();
    m_support.ShowMessage(res::kMsgNoRecordFound, MessageStyle::Information);
    FocusSearchBox();
}

platform::DictionaryPtr MainForm::SearchDictionaryOfSelectedNode() const {
    const NodeSpec* node = NodeOf(SelectedKey());
    const CApplication* application = m_wrapper->Application();
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

void MainForm::AddToMRSearchTextDictionary(const QString& text) {
    WriteTrace(QStringLiteral("AddToMRSearchTextDictionary()"));
    if (text.trimmed().isEmpty() || !trvwIcon->currentItem())
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

void MainForm::RefreshSearchTextComboBox() {
    WriteTrace(QStringLiteral("RefreshSearchTextComboBox()"));
    const auto dictionary = trvwIcon->currentItem() ? SearchDictionaryOfSelectedNode() : nullptr;
    FillRecentTexts(cboSearchText, dictionary.get(), QString());
}

} // namespace amb::ambrel
