#pragma once

#include "windows/base/FormBase.h"

#include <QString>

#include <cstdint>

class QPushButton;
class QTabWidget;

namespace orv {
class FormHeading;
}

namespace amb::windows {

class DestinationStep;
class OptionsStep;
class ReportListStep;

// The three-step report window: a report of the catalogue, its options, then the default printer or
// an export file; the last Next hands the report to the report printer. The window stays open after
// a hand-off, so the user can change options and hand off again. Each step is a part of its own; the
// window leads from one to the next. The hand-off is in ReportFormHandOff.cpp.
class ReportForm : public FormBase {
    Q_OBJECT

public:
    explicit ReportForm(QWidget* parent = nullptr);
    ~ReportForm() override;

    int32_t UpdateForm() override;
    // Opens a document or folder with the desktop's program for it.
    void ShellOpen(const QString& path);

protected:
    // The close box acts as Cancel.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLayout();
    void ConnectControls();
    void SetControlCaption();
    void InitializeComboBoxes();
    // A report chosen: its options and export types.
    void ReportChosen(bool labels);
    void EnableButtons(int tab);
    bool IsFormValid(int tab);
    void cmdNext_Click();
    void cmdPrev_Click();
    void tabMain_Click(int left);
    void ShowTab(int tab);
    void FocusFirstControl();
    void cmdCancel_Click();

    // The hand-off (ReportFormHandOff.cpp)
    bool IsDateRangeValid();
    int32_t GenerateReport();
    int32_t CrystalReportPrint(bool printToFile, int32_t exportType);
    void ShowReportResult(int32_t result);

    int m_currentTab = 0;
    bool m_settingTab = false;
    int32_t m_cutLabels = 0; // by the last hand-off

    orv::FormHeading* fhMain = nullptr;
    QTabWidget* tabMain = nullptr;
    ReportListStep* m_reports = nullptr;
    OptionsStep* m_options = nullptr;
    DestinationStep* m_destination = nullptr;
    QPushButton* cmdPrev = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace amb::windows
