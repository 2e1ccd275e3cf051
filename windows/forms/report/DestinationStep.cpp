#include "windows/forms/report/DestinationStep.h"

#include "windows/base/HelpMessage.h"
#include "common/ErrorGuard.h"
#include "common/HelpFile.h"
#include "common/ResourceIDs.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/HelpKey.h"
#include "windows/base/ModalRunner.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/FormControls.h"
#include "windows/forms/report/FormServices.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace amb::windows {

int DestinationStep::ExportTypeOfFileName(const QString& fileName) {
    const QString name = fileName.trimmed();
    if (name.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive))
        return 0;
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return 1;
    return -1;
}

QString DestinationStep::ExportTypeExtension(int exportType) {
    return exportType == 1 ? QStringLiteral(".pdf") : QStringLiteral(".rtf");
}

DestinationStep::DestinationStep(QWidget* parent, const WindowSupport& support) : QWidget(parent), m_support(support) {
    lblReportDestinationDesc = NamedLabel(this, "lblReportDestinationDesc", nullptr);
    lblReportDestinationDesc->setWordWrap(true);
    optDestination[0] = NamedControl<QRadioButton>(this, "optDestination0");
    optDestination[1] = NamedControl<QRadioButton>(this, "optDestination1");
    cboExportType = MakeDropDownList(this, "cboExportType");
    lblFileType = NamedLabel(this, "lblFileType", cboExportType);
    txtFile = NamedControl<QLineEdit>(this, "txtFile");
    lblFileName = NamedLabel(this, "lblFileName", txtFile);
    cmdBrowse = NamedControl<QPushButton>(this, "cmdBrowse");

    auto* file = new QGridLayout;
    file->setContentsMargins(24, 0, 0, 0);
    file->addWidget(lblFileType, 0, 0);
    file->addWidget(cboExportType, 0, 1, 1, 2);
    file->addWidget(lblFileName, 1, 0);
    file->addWidget(txtFile, 1, 1);
    file->addWidget(cmdBrowse, 1, 2);
    file->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblReportDestinationDesc);
    layout->addSpacing(8);
    layout->addWidget(optDestination[0]);
    layout->addWidget(optDestination[1]);
    layout->addLayout(file);
    layout->addStretch(1);

    connect(cboExportType, &QComboBox::currentIndexChanged, this, [this] { cboExportType_Click(); });
    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(optDestination[i], &QRadioButton::clicked, this, [this, i] {
            m_support.Handle(QStringLiteral("optDestination_Click()"), [&] { EnableExportControls(i); });
        });
    SelectAllOnFocus(support, cboExportType);
    SelectAllOnFocus(support, txtFile);
}

void DestinationStep::SetCaptions() {
    lblReportDestinationDesc->setText(m_support.Text(res::kLabelReportDestinationDesc));
    optDestination[0]->setText(m_support.Text(res::kOptionDefaultPrinter));
    optDestination[1]->setText(m_support.Text(res::kOptionExportToFile));
    lblFileType->setText(m_support.Text(res::kLabelFileType));
    lblFileName->setText(m_support.Text(res::kLabelFileName));
    cmdBrowse->setText(m_support.Text(res::kCaptionBrowse));
}

void DestinationStep::Reset() {
    optDestination[0]->setChecked(true);
    EnableExportControls(0);
    // The report chosen by the fill keeps the export type it selected, as a report chosen later.
    txtFile->clear();
}

void DestinationStep::OfferExportTypes() {
    cboExportType->clear();
    cboExportType->addItem(m_support.Text(res::kTextRtfType), 0);
    cboExportType->addItem(m_support.Text(res::kTextPdfType), 1);
    SelectComboItem(cboExportType, 1, true);
    txtFile->clear();
}

bool DestinationStep::ToPrinter() const {
    return optDestination[0]->isChecked();
}

int32_t DestinationStep::ExportType() const {
    const QString type = cboExportType->currentText();
    return type.contains(QStringLiteral(".rtf"))   ? 0
           : type.contains(QStringLiteral(".pdf")) ? 1
                                                   : 0;
}

QString DestinationStep::FileName() const {
    return txtFile->text();
}

// Choosing a type gives a name that ends in the other type's extension this type's extension, so the
// file is named as it is written.
void DestinationStep::cboExportType_Click() {
    m_support.Handle(QStringLiteral("cboExportType_Click()"), [&] {
        const QString name = txtFile->text().trimmed();
        const int named = ExportTypeOfFileName(name);
        if (named < 0 || cboExportType->currentIndex() < 0)
            return;
        const int chosen = cboExportType->currentData().toInt();
        if (chosen != named)
            txtFile->setText(name.chopped(4) + ExportTypeExtension(chosen));
    });
}

void DestinationStep::EnableExportControls(int index) {
    m_support.Trace(QStringLiteral("EnableExportControls()"));
    for (QWidget* control :
         std::initializer_list<QWidget*>{lblFileName, lblFileType, cboExportType, txtFile, cmdBrowse})
        control->setEnabled(index == 1);
}

void DestinationStep::cmdBrowse_Click() {
    m_support.Handle(QStringLiteral("cmdBrowse_Click()"), [&] {
        if (cboExportType->currentText().trimmed().isEmpty()) {
            m_support.ShowMessage(res::kMsgSelectFileType);
            cboExportType->setFocus();
            return;
        }
        QString chosen;
        if (OpenOpenDialog(txtFile->text(), cboExportType->currentText(), &chosen))
            txtFile->setText(chosen);
    });
}

// The file dialog: the type's pattern as its filter and default suffix, titled with text 125. False
// when cancelled (which writes nothing) or when anything fails (which writes its level-9 line, so a
// dialog that could not be shown is not mistaken for a cancel).
bool DestinationStep::OpenOpenDialog(const QString& fileName, const QString& exportType, QString* chosen) {
    m_support.Trace(QStringLiteral("OpenOpenDialog()"));
    return CatchAll(m_support.SourceName(), QStringLiteral("OpenOpenDialog()"), false, [&] {
        const QString pattern = exportType.mid(exportType.lastIndexOf(QLatin1Char('(')) + 1, 5);
        QFileDialog dialog(window(), m_support.Text(res::kTitleExportFile));
        dialog.setObjectName(QStringLiteral("cmndlgNew"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A window of its own: the report window's F1 does not reach it.
        AddHelpKey(
            &dialog, m_support.SourceName(), [this] { return HelpDocument(m_support.Hub()); },
            HelpNotShownOver(&dialog, [this] { return m_support.Hub(); }));
        dialog.setNameFilter(exportType);
        dialog.setDefaultSuffix(pattern.mid(2));
        if (!fileName.trimmed().isEmpty()) {
            dialog.setDirectory(QFileInfo(fileName).absolutePath());
            dialog.selectFile(fileName);
        }
        if (ModalRunner::Run(dialog) != QDialog::Accepted)
            return false;
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty())
            return false;
        *chosen = files.first();
        return true;
    });
}

bool DestinationStep::IsDestinationValid() {
    if (!optDestination[1]->isChecked())
        return true;
    AgreeFileNameAndType();
    const QString name = txtFile->text();
    const QFileInfo file(name);
    if (name.trimmed().isEmpty() || file.isDir()) {
        m_support.ShowMessage(res::kMsgFileNameNeeded);
        txtFile->setFocus();
        return false;
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable() || (file.exists() && !file.isWritable())) {
        m_support.ShowMessage(res::kMsgFolderNotWritable);
        txtFile->setFocus();
        return false;
    }
    return true;
}

// The file written is the file named: a name ending in .pdf or .rtf chooses that type; a name with
// neither gets the chosen type's extension; a name without a folder goes into the user's documents
// folder. The text box then shows the whole path, so the user sees where the file went.
void DestinationStep::AgreeFileNameAndType() {
    m_support.Trace(QStringLiteral("AgreeFileNameAndType()"));
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

} // namespace amb::windows
