#pragma once

#include "windows/base/FormBase.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;

namespace orv {
class FormHeading;
class ILogTraceWriter;
class IRegistryManager;
} // namespace orv

namespace amb::windows {

// The program's options: automatic backup, back up now and purge; language, date and address format;
// log and trace with the sizes of their files. OK and Apply write every option to the machine-wide
// settings and apply it at once, except the language, which is written only when the user picked one
// and takes effect at the next start.
class OptionsForm : public FormBase {
    Q_OBJECT

public:
    explicit OptionsForm(QWidget* parent = nullptr);
    ~OptionsForm() override;

    int32_t UpdateForm() override;

private:
    // Filling (OptionsForm.cpp).
    void SetControlCaption();
    void InitializeComboBoxes();
    // The sizes of the two files in the writer's folder.
    void RefreshFileSizes(const QString& folder);
    void tabMain_Click(int tab);
    void cboGUILanguage_Click();

    // Commands (OptionsCommands.cpp).
    // Writes and applies every option; false when a setting could not be written (the user has been told).
    bool UpdateRegistry();
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdBackUp_Click();
    void cmdPurge_Click();
    // Closes both log files, deletes one and opens both again with the switches as they were.
    void ClearLogFile(const QString& procedure, const QString& fileName);
    std::shared_ptr<orv::ILogTraceWriter> Writer() const;
    std::shared_ptr<orv::IRegistryManager> Registry() const;

    bool m_languageChanged = false;

    orv::FormHeading* fhMain;
    QTabWidget* tabMain;
    QCheckBox* chkBackUpAuto;
    QPushButton* cmdBackUp;
    QPushButton* cmdPurge;
    QPushButton* cmdClearSearch;
    QFrame* fraGUILanguage;
    QLabel* lblGUILanguage;
    QComboBox* cboGUILanguage;
    QFrame* fraDateFormat;
    QLabel* lblDateFormat;
    QComboBox* cboDateFormat;
    QFrame* fraAddressFormat;
    QLabel* lblAddressFormat;
    QComboBox* cboAddressFormat;
    QCheckBox* chkTurnOnLog;
    QCheckBox* chkTurnOnTrace;
    QPushButton* cmdClearLog;
    QPushButton* cmdClearTrace;
    QLabel* lblLogFileSize;
    QLabel* lblTraceFileSize;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;
};

} // namespace amb::windows
