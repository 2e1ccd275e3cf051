#include "windows/forms/report/ReportForm.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/DatePicker.h"
#include "contracts/IReportPrinter.h"
#include "platform/com/Error.h"
#include "platform/data/Dictionary.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>

namespace amb::windows {

namespace {

platform::Variant DateOf(const DatePicker* picker) {
    return QDateTime(picker->Date().value_or(QDate()), QTime(0, 0));
}

// The id of the selected look-up entry (-998 for the blank entry); a box without a selected entry
// cannot give one.
platform::Variant IdOf(const QComboBox* box) {
    if (box->currentIndex() < 0)
        throw platform::Error(5,
                              QStringLiteral("Invalid procedure call or argument: ") + box->objectName() +
                                  QStringLiteral(" has no selected entry"),
                              QStringLiteral("AmbWindows.ReportForm"));
    return box->currentData().toInt();
}

QString Q(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

// The date range of the chosen layout ends no earlier than it starts; otherwise text 248 on the
// options step.
bool ReportForm::IsDateRangeValid() {
    if (!m_layout)
        return true;
    auto* start = qobject_cast<DatePicker*>(OptionInput(*m_layout, "DateStart"));
    auto* end = qobject_cast<DatePicker*>(OptionInput(*m_layout, "DateEnd"));
    if (!start || !end)
        return true;
    if (!Support().CheckDates({start, end})) {
        ShowTab(1);
        for (DatePicker* picker : {start, end}) {
            if (picker->DateEdit()->ShowsNonDate()) {
                picker->DateEdit()->setFocus();
                break;
            }
        }
        return false;
    }
    if (start->Date().value_or(QDate()) <= end->Date().value_or(QDate()))
        return true;
    ShowMessage(res::kMsgStartDateAfterEndDate);
    ShowTab(1);
    start->setFocus();
    return false;
}

// An export needs a file name in a folder that exists and can be written (D17).
bool ReportForm::IsDestinationValid() {
    if (!optDestination[1]->isChecked())
        return true;
    AgreeFileNameAndType();
    const QString name = txtFile->text();
    const QFileInfo file(name);
    if (name.trimmed().isEmpty() || file.isDir()) {
        ShowMessage(res::kMsgFileNameNeeded);
        txtFile->setFocus();
        return false;
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable() || (file.exists() && !file.isWritable())) {
        ShowMessage(res::kMsgFolderNotWritable);
        txtFile->setFocus();
        return false;
    }
    return true;
}

// The file written is the file named: a name ending in .pdf or .rtf chooses that type; a name with
// neither gets the chosen type's extension; a name without a folder goes into the user's documents
// folder. The text box then shows the whole path, so the user sees where the file went.
void ReportForm::AgreeFileNameAndType() {
    Trace(QStringLiteral("AgreeFileNameAndType()"));
    QString name = txtFile->text().trimmed();
    if (name.isEmpty())
        return;
    if (QDir::isRelativePath(name)) {
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty())
            documents = QDir::homePath();
        QDir().mkpath(documents);
        name = QDir(documents).filePath(name);
    }
    if (!QFileInfo(name).isDir()) {
        const int named = ExportTypeOfFileName(name);
        if (named >= 0)
            SelectComboItem(cboExportType, named, true);
        else if (cboExportType->currentIndex() >= 0)
            name += ExportTypeExtension(cboExportType->currentData().toInt());
    }
    txtFile->setText(QDir::cleanPath(name));
}

int32_t ReportForm::GenerateReport() {
    Trace(QStringLiteral("GenerateReport()"));
    if (optDestination[0]->isChecked())
        return CrystalReportPrint(false, 0);
    const QString type = cboExportType->currentText();
    const int32_t exportType = type.contains(QStringLiteral(".rtf"))   ? 0
                               : type.contains(QStringLiteral(".pdf")) ? 1
                                                                       : 0;
    return CrystalReportPrint(true, exportType);
}

int32_t ReportForm::CrystalReportPrint(bool printToFile, int32_t exportType) {
    return Member(QStringLiteral("CrystalReportPrint()"), int32_t{-2}, [&] {
        const IReportPrinterPtr printer = Printer();
        printer->Clear();
        printer->SetPrintToFile(printToFile);
        if (printToFile) {
            printer->SetExportFileName(txtFile->text());
            printer->SetExportFileType(static_cast<EnumReportExportType>(exportType));
        }
        printer->SetReportName(m_internalName);
        auto parameters = std::make_shared<platform::Dictionary>();
        AddLayoutParameters(parameters);
        const int32_t result = static_cast<int32_t>(printer->PrintReport(parameters));
        parameters->RemoveAll();
        return result;
    });
}

// The chosen layout's keys in their order, each with the value of its control.
void ReportForm::AddLayoutParameters(const std::shared_ptr<platform::Dictionary>& parameters) {
    if (!m_layout)
        return;
    for (const ReportKey& key : m_layout->keys)
        parameters->SetItem(Q(key.name), OptionValue(*m_layout, key));
}

QWidget* ReportForm::OptionInput(const ReportLayout& layout, std::string_view key) const {
    for (const OptionControl& input : m_optionControls)
        if (input.options == layout.options && input.key == key)
            return input.control;
    return nullptr;
}

platform::Variant ReportForm::OptionValue(const ReportLayout& layout, const ReportKey& key) const {
    QWidget* control = OptionInput(layout, key.name);
    auto* box = qobject_cast<QComboBox*>(control);
    auto* line = qobject_cast<QLineEdit*>(control);
    switch (key.value) {
    case ReportValue::Date:
        if (auto* picker = qobject_cast<DatePicker*>(control))
            return DateOf(picker);
        break;
    case ReportValue::Text:
        if (box || line)
            return (box ? box->currentText() : line->text()).trimmed();
        break;
    case ReportValue::Flag:
        if (box) {
            const QString shown = box->currentText();
            return shown == Text(res::kTextYes) ? 1 : shown == Text(res::kTextNo) ? -1 : 0;
        }
        break;
    case ReportValue::Id:
        if (box)
            return IdOf(box);
        // The giver's box shows a name; the id is the person the Search button chose.
        if (line)
            return m_personId;
        break;
    }
    throw platform::Error(
        5, QStringLiteral("Invalid procedure call or argument: the options have no control for ") + Q(key.name),
        SourceName());
}

void ReportForm::ShowReportResult(int32_t result) {
    if (result == static_cast<int32_t>(EnumReportError::Success)) {
        cmdCancel->setText(Text(res::kCaptionClose));
        return;
    }
    // A result without a text of its own still gets a message (D24).
    const QString message = GetReportErrorMessage(Hub(), static_cast<EnumReportError>(result));
    Support().ShowMessageText(message.isEmpty() ? Text(res::kMsgReportSystemError) : message);
}

} // namespace amb::windows
