#include "windows/forms/options/OptionsForm.h"

#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "generic/OrvInterfaces/IApplication.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"
#include "heading/FormHeading.h"
#include "windows/forms/edit/ControlFactory.h"
#include "windows/forms/options/FileSizeText.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace amb::windows {

namespace {

const QString kDateFormats[] = {QStringLiteral("M/d/yyyy"), QStringLiteral("yyyy-M-d")};

QComboBox* DropDownList(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(false);
    box->setMinimumWidth(200);
    return box;
}

// A framed group of one label and its list.
QFrame* Frame(QWidget* parent, const char* name, QLabel* label, QComboBox* box) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    label->setParent(frame);
    box->setParent(frame);
    label->setBuddy(box);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(label);
    layout->addWidget(box, 1);
    return frame;
}

} // namespace

OptionsForm::OptionsForm(QWidget* parent)
    : FormBase(QStringLiteral("OptionsForm"), parent), fhMain(new orv::FormHeading(this)),
      tabMain(new QTabWidget(this)), chkBackUpAuto(controls::CheckBox(this, "chkBackUpAuto")),
      cmdBackUp(controls::Button(this, "cmdBackUp")), cmdPurge(controls::Button(this, "cmdPurge")),
      cmdClearSearch(controls::Button(this, "cmdClearSearch")), lblGUILanguage(controls::Label(this, "lblGUILanguage")),
      cboGUILanguage(DropDownList(this, "cboGUILanguage")), lblDateFormat(controls::Label(this, "lblDateFormat")),
      cboDateFormat(DropDownList(this, "cboDateFormat")), lblAddressFormat(controls::Label(this, "lblAddressFormat")),
      cboAddressFormat(DropDownList(this, "cboAddressFormat")), chkTurnOnLog(controls::CheckBox(this, "chkTurnOnLog")),
      chkTurnOnTrace(controls::CheckBox(this, "chkTurnOnTrace")), cmdClearLog(controls::Button(this, "cmdClearLog")),
      cmdClearTrace(controls::Button(this, "cmdClearTrace")), lblLogFileSize(controls::Label(this, "lblLogFileSize")),
      lblTraceFileSize(controls::Label(this, "lblTraceFileSize")), cmdOK(controls::Button(this, "cmdOK")),
      cmdCancel(controls::Button(this, "cmdCancel")), cmdApply(controls::Button(this, "cmdApply")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    tabMain->setObjectName(QStringLiteral("tabMain"));
    fraGUILanguage = Frame(this, "fraGUILanguage", lblGUILanguage, cboGUILanguage);
    fraDateFormat = Frame(this, "fraDateFormat", lblDateFormat, cboDateFormat);
    fraAddressFormat = Frame(this, "fraAddressFormat", lblAddressFormat, cboAddressFormat);

    auto* general = new QWidget;
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(chkBackUpAuto);
    for (QPushButton* button : {cmdBackUp, cmdPurge, cmdClearSearch}) {
        auto* row = new QHBoxLayout;
        row->addWidget(button);
        row->addStretch(1);
        generalLayout->addLayout(row);
    }
    generalLayout->addStretch(1);

    auto* regional = new QWidget;
    auto* regionalLayout = new QVBoxLayout(regional);
    for (QFrame* frame : {fraGUILanguage, fraDateFormat, fraAddressFormat})
        regionalLayout->addWidget(frame);
    regionalLayout->addStretch(1);

    auto* logging = new QWidget;
    auto* loggingLayout = new QGridLayout(logging);
    loggingLayout->addWidget(chkTurnOnLog, 0, 0);
    loggingLayout->addWidget(lblLogFileSize, 0, 1);
    loggingLayout->addWidget(cmdClearLog, 0, 2);
    loggingLayout->addWidget(chkTurnOnTrace, 1, 0);
    loggingLayout->addWidget(lblTraceFileSize, 1, 1);
    loggingLayout->addWidget(cmdClearTrace, 1, 2);
    loggingLayout->setColumnStretch(1, 1);
    loggingLayout->setRowStretch(2, 1);

    tabMain->addTab(general, QString());
    tabMain->addTab(regional, QString());
    tabMain->addTab(logging, QString());
    tabMain->setMinimumSize(440, 200);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {cmdOK, cmdCancel, cmdApply})
        buttons->addWidget(button);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 12);
    body->addWidget(tabMain, 1);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fhMain);
    layout->addLayout(body, 1);

    SetDialogButtons(cmdOK, cmdCancel);
    connect(tabMain, &QTabWidget::currentChanged, this, [this](int tab) { tabMain_Click(tab); });
    // A pick counts, even of the entry already shown; the window's own filling does not.
    connect(cboGUILanguage, &QComboBox::activated, this, [this] { cboGUILanguage_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
    connect(cmdBackUp, &QPushButton::clicked, this, [this] { cmdBackUp_Click(); });
    connect(cmdPurge, &QPushButton::clicked, this, [this] { cmdPurge_Click(); });
    connect(cmdClearLog, &QPushButton::clicked, this,
            [this] { ClearLogFile(QStringLiteral("cmdClearLog_Click()"), QStringLiteral("Log.txt")); });
    connect(cmdClearTrace, &QPushButton::clicked, this,
            [this] { ClearLogFile(QStringLiteral("cmdClearTrace_Click()"), QStringLiteral("Trace.txt")); });
}

OptionsForm::~OptionsForm() = default;

int32_t OptionsForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        setWindowTitle(Text(res::kTitleOptions));
        fhMain->SetHeading(Text(res::kTitleOptions));
        fhMain->SetDescription(Text(res::kDescOptions));
        SetControlCaption();
        InitializeComboBoxes();
        tabMain_Click(tabMain->currentIndex());

        const IApplicationPtr hub = Hub();
        chkBackUpAuto->setChecked(hub->AutoBackUp());
        // A stored format that is neither entry stays unselected, and is then kept on saving.
        const QString dateFormat = hub->DateFormat();
        cboDateFormat->setCurrentIndex(
            dateFormat.isEmpty() ? -1 : cboDateFormat->findText(dateFormat, Qt::MatchFixedString));
        cboAddressFormat->setCurrentIndex(hub->DefaultAddressFormat() == EnumAddressFormat::USFormat ? 1 : 0);
        cboGUILanguage->setCurrentIndex(cboGUILanguage->findData(static_cast<int32_t>(hub->GUILocaleID())));

        const auto writer = Writer();
        chkTurnOnTrace->setChecked(writer->TraceOn());
        chkTurnOnLog->setChecked(writer->LogOn());
        RefreshFileSizes(writer->LogTraceDir());
        cmdClearSearch->setEnabled(false);
        m_languageChanged = false;
        return int32_t{1};
    });
}

void OptionsForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    tabMain->setTabText(0, Text(res::kTabGeneral));
    tabMain->setTabText(1, Text(res::kTabRegional));
    tabMain->setTabText(2, Text(res::kTabLogTrace));
    const std::pair<QAbstractButton*, int32_t> buttons[] = {{chkBackUpAuto, res::kCheckBackUpAuto},
                                                            {cmdBackUp, res::kCaptionBackUpNow},
                                                            {cmdPurge, res::kCaptionPurge},
                                                            {cmdClearSearch, res::kCaptionClearSearch},
                                                            {chkTurnOnLog, res::kCheckTurnOnLog},
                                                            {chkTurnOnTrace, res::kCheckTurnOnTrace},
                                                            {cmdClearLog, res::kCaptionClearLog},
                                                            {cmdClearTrace, res::kCaptionClearTrace},
                                                            {cmdOK, res::kCaptionOK},
                                                            {cmdCancel, res::kCaptionClose},
                                                            {cmdApply, res::kCaptionApply}};
    for (const auto& [button, text] : buttons)
        button->setText(Text(text));
    const std::pair<QFrame*, QLabel*> frames[] = {
        {fraGUILanguage, lblGUILanguage}, {fraDateFormat, lblDateFormat}, {fraAddressFormat, lblAddressFormat}};
    const int32_t frameTexts[] = {res::kLabelLanguage, res::kLabelDateFormat, res::kLabelAddressFormat};
    int labelWidth = 0;
    for (int i = 0; i < 3; ++i) {
        frames[i].first->setAccessibleName(Text(frameTexts[i]));
        frames[i].second->setText(Text(frameTexts[i]));
        labelWidth = std::max(labelWidth, frames[i].second->sizeHint().width());
    }
    // The three frames' labels share one width, so their lists line up under each other.
    for (const auto& [frame, label] : frames)
        label->setMinimumWidth(labelWidth);
}

void OptionsForm::InitializeComboBoxes() {
    Trace(QStringLiteral("InitializeComboBoxes()"));
    const QSignalBlocker blockDate(cboDateFormat);
    const QSignalBlocker blockAddress(cboAddressFormat);
    const QSignalBlocker blockLanguage(cboGUILanguage);
    cboDateFormat->clear();
    for (const QString& format : kDateFormats)
        cboDateFormat->addItem(format);
    cboAddressFormat->clear();
    cboAddressFormat->addItem(Text(res::kTextAddressFormatFree),
                              static_cast<int32_t>(EnumAddressFormat::UnknownFormat));
    cboAddressFormat->addItem(Text(res::kTextAddressFormatUS), static_cast<int32_t>(EnumAddressFormat::USFormat));

    // One entry per language folder of the application folder, by the folder's exact name.
    cboGUILanguage->clear();
    const std::pair<int32_t, int32_t> languages[] = {{res::kLocaleEnglish, res::kLanguageEnglish},
                                                     {res::kLocaleKorean, res::kLanguageKorean}};
    const QStringList folders = QDir(Hub()->AppDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        for (const auto& [locale, name] : languages) {
            if (folder == Text(locale))
                cboGUILanguage->addItem(Text(name), AsLong(Text(locale)));
        }
    }
}

void OptionsForm::RefreshFileSizes(const QString& folder) {
    const std::pair<QLabel*, QString> files[] = {{lblLogFileSize, QStringLiteral("Log.txt")},
                                                 {lblTraceFileSize, QStringLiteral("Trace.txt")}};
    for (const auto& [label, name] : files) {
        label->setText(QString());
        const QFileInfo file(QDir(folder).filePath(name));
        if (!folder.isEmpty() && file.isFile())
            label->setText(FormatFileSize(file.size()));
    }
}

void OptionsForm::tabMain_Click(int tab) {
    Handle(QStringLiteral("tabMain_Click()"), [&] {
        const QList<QWidget*> byTab[] = {{cmdBackUp, cmdPurge},
                                         {fraDateFormat, lblDateFormat, cboDateFormat, fraAddressFormat,
                                          lblAddressFormat, cboAddressFormat, fraGUILanguage, lblGUILanguage},
                                         {chkTurnOnLog, chkTurnOnTrace, cmdClearLog, cmdClearTrace}};
        if (tab < 0 || tab > 2)
            return;
        for (int i = 0; i < 3; ++i)
            for (QWidget* control : byTab[i])
                control->setEnabled(i == tab);
        cmdClearSearch->setEnabled(false);
    });
}

void OptionsForm::cboGUILanguage_Click() {
    Handle(QStringLiteral("cboGUILanguage_Click()"), [&] { m_languageChanged = true; });
}

std::shared_ptr<orv::ILogTraceWriter> OptionsForm::Writer() const {
    const orv::IApplicationPtr generic = Hub()->OrvApplication();
    return RequiredService(generic ? generic->LogTraceWriter() : orv::ILogTraceWriterPtr(), SourceName());
}

std::shared_ptr<orv::IRegistryManager> OptionsForm::Registry() const {
    const orv::IApplicationPtr generic = Hub()->OrvApplication();
    return RequiredService(generic ? generic->RegistryManager() : orv::IRegistryManagerPtr(), SourceName());
}

} // namespace amb::windows
