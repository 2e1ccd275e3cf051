#pragma once

#include "common/ReportLayouts.h"
#include "windows/base/FormBase.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace orv {
class FormHeading;
}

namespace amb {
class DatePicker;
}

namespace platform {
class Dictionary;
class Variant;
} // namespace platform

namespace amb::windows {

// The three-step report window: a report of the catalogue, its options, then the default printer or
// an export file; the last Next hands the report to the report printer. The window stays open after
// a hand-off, so the user can change options and hand off again.
// Layout in ReportFormLayout.cpp, the hand-off in ReportFormHandOff.cpp.
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
    // Layout (ReportFormLayout.cpp)
    void CreateLayout();
    QWidget* CreateReportPage();
    QWidget* CreateOptionsPage();
    QWidget* CreateDestinationPage();
    void CreateOptionFrames(QWidget* page);

    // Steps and controls (ReportForm.cpp)
    void ConnectControls();
    void SetControlCaption();
    void InitializeComboBoxes();
    void EnableButtons(int tab);
    bool IsFormValid(int tab);
    void HideAllReportOptionFrame();
    // Shows the layout's frame alone; none with no layout.
    void ShowReportOptionFrame(const ReportLayout* layout);
    void EnableExportControls(int index);
    void RefreshMemberTextBox(int32_t personId);
    bool OpenOpenDialog(const QString& fileName, const QString& exportType, QString* chosen);
    void cboReport_Click();
    void cboExportType_Click();
    void cmdNext_Click();
    void cmdPrev_Click();
    void tabMain_Click(int left);
    void ShowTab(int tab);
    void FocusFirstControl();
    void cmdSearch_Click();
    void cmdClear_Click();
    void cmdBrowse_Click();
    void cmdCancel_Click();

    // The hand-off (ReportFormHandOff.cpp)
    bool IsDateRangeValid();
    bool IsDestinationValid();
    void AgreeFileNameAndType();
    // The export type that a file name's extension names (0 rich text, 1 PDF; -1 neither), and the
    // extension of a type.
    static int ExportTypeOfFileName(const QString& fileName);
    static QString ExportTypeExtension(int exportType);
    int32_t GenerateReport();
    int32_t CrystalReportPrint(bool printToFile, int32_t exportType);
    void AddLayoutParameters(const std::shared_ptr<platform::Dictionary>& parameters);
    // The control of the layout's frame that fills the key; null when the frame has none.
    QWidget* OptionInput(const ReportLayout& layout, std::string_view key) const;
    platform::Variant OptionValue(const ReportLayout& layout, const ReportKey& key) const;
    void ShowReportResult(int32_t result);

    // The chosen report's option layout; null when its stored number names none.
    const ReportLayout* m_layout = &LayoutOf(ReportOptions::ExpenseList);
    QString m_internalName;
    int32_t m_personId = 0;
    int m_currentTab = 0;
    bool m_settingTab = false;

    orv::FormHeading* fhMain = nullptr;
    QTabWidget* tabMain = nullptr;
    QPushButton* cmdPrev = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCancel = nullptr;

    QLabel* lblReportType = nullptr;
    QLabel* lblReportTypeDesc = nullptr;
    QComboBox* cboReport = nullptr;

    // A frame for each option layout, at the layout's value.
    std::array<QGroupBox*, kReportOptionsCount> fraReportOption{};
    // The frames' controls with the keys of the hand-off they fill.
    struct OptionControl {
        ReportOptions options;
        std::string_view key;
        QWidget* control;
    };
    QList<OptionControl> m_optionControls;
    DatePicker* dtpExpenseStartDate = nullptr;
    DatePicker* dtpExpenseEndDate = nullptr;
    QComboBox* cboExpenseType = nullptr;
    QLineEdit* txtFamilyCity = nullptr;
    QComboBox* cboFamilyState = nullptr;
    QLineEdit* txtFamilyZipCode = nullptr;
    QComboBox* cboGroupType = nullptr;
    QComboBox* cboClassification = nullptr;
    QLabel* lblAgeClassification = nullptr;
    QComboBox* cboAgeClassification = nullptr;
    QComboBox* cboMemberStatus = nullptr;
    QComboBox* cboSex = nullptr;
    QComboBox* cboMaritalStatus = nullptr;
    QComboBox* cboBaptized = nullptr;
    QComboBox* cboIsMember = nullptr;
    QLineEdit* txtCity = nullptr;
    QComboBox* cboState = nullptr;
    QLineEdit* txtZipCode = nullptr;
    QLabel* lblMemberAddressName = nullptr;
    QComboBox* cboMemberAddressName = nullptr;
    DatePicker* dtpOfferingStartDate = nullptr;
    DatePicker* dtpOfferingEndDate = nullptr;
    QComboBox* cboOfferingType = nullptr;
    QLineEdit* txtMember = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdClear = nullptr;
    DatePicker* dtpSummaryStartDate = nullptr;
    DatePicker* dtpSummaryEndDate = nullptr;
    QComboBox* cboMonth = nullptr;
    // The option labels with the text ids they show.
    QList<QPair<QLabel*, int32_t>> m_optionLabels;

    QLabel* lblReportDestinationDesc = nullptr;
    std::array<QRadioButton*, 2> optDestination{};
    QLabel* lblFileType = nullptr;
    QComboBox* cboExportType = nullptr;
    QLabel* lblFileName = nullptr;
    QLineEdit* txtFile = nullptr;
    QPushButton* cmdBrowse = nullptr;
};

} // namespace amb::windows
