#pragma once

#include "main/MainFormHandle.h"

#include "main/RecordNodes.h"

#include "platform/data/Dictionary.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

class QAction;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QMainWindow;
class QToolBar;

namespace amb::ambrel {

// The search band: the box of the chosen kind (a text with its recent searches, a group type or a
// date range) and the search button; a search fills the record list.
class SearchBand : public MainArea {
public:
    // Adds the band to the window as a toolbar of its own, below the main toolbar.
    SearchBand(MainForm& form, QMainWindow& window);

    QToolBar* ToolBar() const { return tbarSearch; }
    void SetCaptions();
    void InitializeComboBoxes();
    void SetDatePattern(const QString& qtPattern);
    // The logged-out start: the text box shown and empty, the dates of this month.
    void Initialize();
    // A kind newly chosen: empty boxes, this month's dates, no last search.
    void ResetForKind();
    // Logged out: the text box alone, empty, and today's dates.
    void ResetForLogOut();
    // Shows the box of a kind, switched on while somebody is logged in.
    void ShowBoxFor(SearchBox box, bool loggedIn);
    void RefreshSearchTextComboBox();
    // Gives the focus to the search box of the selected kind when it is enabled.
    void FocusSearchBox();
    int32_t GroupTypeID() const;
    // The date range as searched: from the start of the first day to the end of the last.
    std::pair<QDateTime, QDateTime> SearchRange();
    // The text the shown list was searched for.
    QString LastSearchText() const { return m_lastSearchText; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowSearchTextComboBox(bool show);
    void ShowGroupTypeComboBox(bool show);
    void ShowDateRangeBox(bool show);
    void EnableSearchTextComboBox(bool enable);
    void EnableGroupTypeComboBox(bool enable);
    void EnableDateRangeBox(bool enable);
    void ExecuteSearch();
    // Enter in one of the search boxes (named by its handler) and the search toolbar's buttons.
    void SearchBox_KeyDown(const char* handlerName);
    void tbarSearch_ButtonClick(int index);
    void AddToMRSearchTextDictionary(const QString& text);
    platform::DictionaryPtr SearchDictionaryOfSelectedNode() const;

    QToolBar* tbarSearch = nullptr;
    QLabel* lblSearchBand = nullptr;
    QComboBox* cboSearchText = nullptr;
    QComboBox* cboGroupType = nullptr;
    QWidget* picDateBox = nullptr;
    QLabel* lblDateFrom = nullptr;
    QDateTimeEdit* dtpStart = nullptr;
    QLabel* lblDash = nullptr;
    QDateTimeEdit* dtpEnd = nullptr;
    // Button 1 holds the search boxes, button 2 is the search button.
    std::array<QAction*, 3> tbarSearchButtons{};
    QString m_lastSearchText;
};

} // namespace amb::ambrel
