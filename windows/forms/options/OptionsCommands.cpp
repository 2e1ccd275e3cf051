#include "windows/forms/options/OptionsForm.h"

#include "common/Backup.h"
#include "common/CauseTexts.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"
#include "generic/OrvInterfaces/IRegistryManager.h"
#include "platform/com/Error.h"
#include "windows/base/FileRemover.h"
#include "windows/base/SaveFailure.h"
#include "windows/forms/edit/ControlFactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>

// What the options window does: save and apply the options, clear a log file, back up and purge.

namespace amb::windows {

namespace {

const QString kSettingsKey = QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel");

// What the user is told when the records were removed but the file was not compacted: the texts that
// say "nothing was saved" would be untrue then, so each cause has a text of its own.
constexpr CauseText kCompactionTexts[] = {
    {.cause = EnumDatabaseFailure::Locked, .text = res::kMsgCompactBusy},
    {.cause = EnumDatabaseFailure::Damaged, .text = res::kMsgCompactDamaged},
    {.cause = EnumDatabaseFailure::DiskFullOrReadOnly, .text = res::kMsgCompactDiskFull},
};

} // namespace

bool OptionsForm::UpdateRegistry() {
    Trace(QStringLiteral("UpdateRegistry()"));
    const auto registry = Registry();
    const auto writer = Writer();
    const IApplicationPtr hub = Hub();
    // Every value is still applied for this session when its write fails; the user is told once.
    int32_t failed = 0;
    const auto check = [&failed](int32_t status) {
        if (status != 0 && failed == 0)
            failed = status;
        return status == 0;
    };
    registry->CloseKey();
    check(registry->OpenKey(orv::EnumRootKey::HKEY_LOCAL_MACHINE, kSettingsKey));

    check(registry->SetIntegerValue(QStringLiteral("LogOn"), chkTurnOnLog->isChecked() ? 1 : 0));
    writer->SetLogOn(chkTurnOnLog->isChecked());
    check(registry->SetIntegerValue(QStringLiteral("TraceOn"), chkTurnOnTrace->isChecked() ? 1 : 0));
    writer->SetTraceOn(chkTurnOnTrace->isChecked());
    check(registry->SetIntegerValue(QStringLiteral("AutoBackUp"), chkBackUpAuto->isChecked() ? 1 : 0));
    hub->SetAutoBackUp(chkBackUpAuto->isChecked());

    // The language takes effect at the next start, so the hub keeps its own.
    if (m_languageChanged && cboGUILanguage->currentIndex() >= 0 &&
        check(registry->SetIntegerValue(QStringLiteral("GUILocaleID"), cboGUILanguage->currentData().toInt()))) {
        m_languageChanged = false;
        ShowMessage(res::kMsgLanguageNextStart);
    }
    // A stored format that the list does not offer is left as it is.
    if (cboDateFormat->currentIndex() >= 0) {
        check(registry->SetStringValue(QStringLiteral("DateFormat"), cboDateFormat->currentText()));
        hub->SetDateFormat(cboDateFormat->currentText());
    }
    if (cboAddressFormat->currentIndex() < 0)
        throw platform::Error(platform::ErrorNumber::InvalidArgument, QStringLiteral("No address format is selected"),
                              SourceName());
    const int32_t addressFormat = cboAddressFormat->currentData().toInt();
    check(registry->SetIntegerValue(QStringLiteral("DefaultAddressFormat"), addressFormat));
    hub->SetDefaultAddressFormat(static_cast<EnumAddressFormat>(addressFormat));
    registry->CloseKey();

    if (failed != 0) {
        WriteTraceLine(SourceName(), QStringLiteral("UpdateRegistry()"),
                       QStringLiteral("[%1] The settings could not be written").arg(failed), 9);
        ShowMessage(res::kMsgOptionsNotSaved);
        return false;
    }
    return true;
}

void OptionsForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!UpdateRegistry())
            return;
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void OptionsForm::cmdApply_Click() {
    Handle(QStringLiteral("cmdApply_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (UpdateRegistry())
            SetResponse(FormResponse::OK);
    });
}

void OptionsForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] { HideForm(); });
}

void OptionsForm::ClearLogFile(const QString& procedure, const QString& fileName) {
    Handle(procedure, [&] {
        WindowBusy busy(this);
        const auto writer = Writer();
        const bool logOn = writer->LogOn();
        const bool traceOn = writer->TraceOn();
        const QString folder = Hub()->AppDir();
        writer->CloseLogTrace();
        // Both files are opened again with the switches as they were, whatever became of the one.
        const bool removed = FileRemover::Remove(QDir(folder).filePath(fileName));
        writer->OpenLogTrace(folder, logOn, traceOn);
        RefreshFileSizes(writer->LogTraceDir());
        busy.End();
        if (!removed) {
            WriteTraceLine(SourceName(), procedure, fileName + QStringLiteral(" could not be deleted"), 9);
            ShowMessage(res::kMsgClearFileFailed);
        }
    });
}

void OptionsForm::cmdBackUp_Click() {
    Handle(QStringLiteral("cmdBackUp_Click()"), [&] {
        WindowBusy busy(this);
        const IApplicationPtr hub = Hub();
        const BackUpReport report = RunBackUp(hub->AppDir(), hub->BackUpDir());
        busy.End();
        if (report.result != BackUpResult::Done) {
            WriteTraceLine(SourceName(), QStringLiteral("cmdBackUp_Click()"), report.errorText, 9);
            Support().ShowMessageText(
                Text(BackUpFailureTextId(report)).replace(QStringLiteral("%1"), QDir::toNativeSeparators(hub->BackUpDir())),
                report.result == BackUpResult::Damaged ? MessageStyle::Exclamation : MessageStyle::Information);
        }
    });
}

void OptionsForm::cmdPurge_Click() {
    Handle(QStringLiteral("cmdPurge_Click()"), [&] {
        if (ShowMessage(res::kMsgConfirmPurge, MessageStyle::YesNo | MessageStyle::Question) != MessageResult::Yes)
            return;
        WindowBusy busy(this);
        const int32_t result = Database()->Purge();
        busy.End();
        // 0: the records are gone for good, only the compaction failed, for the cause the user is told. A
        // purge refused as a whole names its cause (a full disk, a read-only or damaged file) when it has one.
        if (result == 0) {
            ShowMessage(TextOfCause(kCompactionTexts, Database()->LastFailure(), res::kMsgCompactFailed));
            return;
        }
        // Another program holding the file refused the purge before it deleted anything; the general
        // locked text would speak of unsaved changes.
        if (result < 0 && Database()->LastFailure() == EnumDatabaseFailure::Locked) {
            ShowMessage(res::kMsgPurgeLocked);
            return;
        }
        const QString cause = result < 0 ? FailureCauseText(Hub(), this) : QString();
        if (!cause.isEmpty())
            Support().ShowMessageText(cause);
        else
            ShowMessage(result == 1 ? res::kMsgPurgeDone : res::kMsgPurgeFailed);
    });
}

} // namespace amb::windows
