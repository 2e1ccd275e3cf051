#pragma once

#include "main/AreaPorts.h"
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
class SearchBand : public MainArea, public SearchBandPort {
public:
    // Adds the band to the window as a toolbar of its own, below the main toolbar.
    SearchBand(MainForm& form, QMainWindow& window);
    // The tree says what is searched, the list shows it, the commands follow it.
    void Wire(RecordTreePort& tree, RecordListPort& list, CommandsPort& commands);

    QToolBar* ToolBar() const { return tbarSearch; }
    void SetCaptions();
    void InitializeComboBoxes();
    void SetDatePattern(const QString& qtPattern);
    // The logged-out start: the text box shown and empty, the dates of this month.
    void Initialize();
    void ResetForKind() override;
    // Logged out: the text box alone, empty, and today's dates.
    void ResetForLogOut();
    void ShowBoxFor(SearchBox box, bool loggedIn) override;
    void RefreshSearchTextComboBox() override;
    void FocusSearchBox() override;
    // After a search or refresh that listed nothing: that nothing matched, or that the database could
    // not be read (never "no match" then); the focus back in the search box.
    void TellNothingListed();
    int32_t GroupTypeID() const override;
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
    RecordTreePort* m_tree = nullptr;
    RecordListPort* m_list = nullptr;
    CommandsPort* m_commands = nullptr;
};

} // namespace amb::ambrel
