#include "main/ComponentsForm.h"

#include "main/AppWrapper.h"
#include "main/CApplication.h"
#include "main/ListRows.h"

#include "common/widgets/HelpKey.h"
#include "common/ErrorGuard.h"
#include "common/FileInfo.h"
#include "common/Shell.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/ListItem.h"
#include "heading/FormHeading.h"
#include "windows/base/HelpMessage.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace amb::ambrel {

namespace {

const QString kSource = QStringLiteral("OrvAmbrel.ComponentsForm");

struct ColumnSpec {
    const char* header;
    int width;
    Qt::Alignment alignment;
};

constexpr ColumnSpec kColumns[] = {
    {"Component", 80, Qt::AlignLeft},   {"Name", 80, Qt::AlignLeft},        {"Location", 160, Qt::AlignLeft},
    {"Size", 80, Qt::AlignRight},       {"Version", 80, Qt::AlignRight},    {"Created", 80, Qt::AlignHCenter},
    {"Modified", 80, Qt::AlignHCenter}, {"Accessed", 80, Qt::AlignHCenter},
};

constexpr const char* kComponentValues[] = {"ApplicationManager", "DatabaseManager", "ReportPrinter", "WindowManager"};

QString ReadDefault(orv::IRegistryManager& registry, const QString& key, const QString& current) {
    QString value = current;
    if (registry.OpenKey(orv::EnumRootKey::HKEY_CLASSES_ROOT, key) == 0)
        registry.GetStringValue(QString(), value);
    registry.CloseKey();
    return value;
}

} // namespace

void OpenURL(const QString& address) {
    CatchAll(kSource, QStringLiteral("OpenURL()"), [&] { ShellOpenDocument(address); });
}

QString FileSizeText(qint64 bytes) {
    const QLocale locale;
    if (bytes <= 1000000)
        return locale.toString(static_cast<double>(bytes) / 1000.0, 'f', 0) + QStringLiteral(" KB");
    return locale.toString(static_cast<double>(bytes) / 1000000.0, 'f', 2) + QStringLiteral(" MB");
}

ComponentsForm::ComponentsForm(AppWrapper& wrapper, QWidget* parent) : QDialog(parent), m_wrapper(wrapper) {
    setObjectName(QStringLiteral("ComponentsForm"));
    fhMain = new orv::FormHeading(this);
    fhMain->setObjectName(QStringLiteral("fhMain"));
    lblInstallDir = new QLabel(QStringLiteral("Application Install Directory"), this);
    lblInstallDir->setObjectName(QStringLiteral("lblInstallDir"));
    txtInstallDir = new QLineEdit(this);
    txtInstallDir->setObjectName(QStringLiteral("txtInstallDir"));
    lblMsg = new QLabel(QStringLiteral("Installed components"), this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lstvwComponents = new QTreeWidget(this);
    lstvwComponents->setObjectName(QStringLiteral("lstvwComponents"));
    lstvwComponents->setRootIsDecorated(false);
    lstvwComponents->setAllColumnsShowFocus(true);
    lstvwComponents->setUniformRowHeights(true);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 8, 12, 12);
    body->addWidget(lblInstallDir);
    body->addWidget(txtInstallDir);
    body->addSpacing(6);
    body->addWidget(lblMsg);
    body->addWidget(lstvwComponents, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fhMain);
    layout->addLayout(body, 1);
    resize(1100, 380);
    AddHelpKey(
        this, kSource, [this] { return m_wrapper.HelpFile(); },
        HelpNotShownOver(this, [this] { return m_wrapper.Hub(); }));

    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(lstvwComponents->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lstvwComponents_ColumnClick(column); });
}

int32_t ComponentsForm::UpdateForm() {
    setWindowTitle(QStringLiteral("Installed Components"));
    fhMain->SetHeading(QStringLiteral("Installed Components"));
    fhMain->SetDescription(QStringLiteral("View detail information about Ambrel components."));
    const auto hub = m_wrapper.Hub();
    txtInstallDir->setText(hub ? hub->AppDir() : QString());
    txtInstallDir->setReadOnly(true);
    ConfigureComponentsGrid();
    RefreshComponents();
    return 1;
}

void ComponentsForm::ConfigureComponentsGrid() {
    lstvwComponents->clear();
    lstvwComponents->setColumnCount(static_cast<int>(std::size(kColumns)));
    QStringList headers;
    for (const ColumnSpec& column : kColumns)
        headers << QLatin1String(column.header);
    lstvwComponents->setHeaderLabels(headers);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        // The designed widths leave the names and dates cut off; these fit them.
        lstvwComponents->setColumnWidth(i, kColumns[i].width * 7 / 4);
        lstvwComponents->headerItem()->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
    }
    SortByHeaderClick(lstvwComponents);
}

void ComponentsForm::RefreshComponents() {
    const auto hub = m_wrapper.Hub();
    auto registry = hub && hub->OrvApplication() ? hub->OrvApplication()->RegistryManager() : nullptr;
    std::vector<std::pair<QString, QString>> components{{QStringLiteral("Ambrel"), QStringLiteral("Ambrel")}};
    if (registry) {
        registry->OpenKey(orv::EnumRootKey::HKEY_LOCAL_MACHINE, QLatin1String(kComponentsKey));
        for (const char* name : kComponentValues) {
            QString value;
            registry->GetStringValue(QLatin1String(name), value);
            components.emplace_back(QLatin1String(name), value);
        }
        registry->CloseKey();
    }

    FileInfo info;
    const QLocale locale;
    auto dateText = [&](const QDateTime& date) {
        return date.isValid() ? locale.toString(date, QLocale::ShortFormat) : QString();
    };
    for (std::size_t i = 0; i < components.size(); ++i) {
        const auto& [name, className] = components[i];
        QString path;
        if (i == 0) {
            // The program file itself (the application folder holds data, not programs).
            path = QCoreApplication::applicationFilePath();
        } else if (registry) {
            const QString clsid = ReadDefault(*registry, className + QStringLiteral("\\Clsid"), className);
            path =
                ReadDefault(*registry, QStringLiteral("CLSID\\") + clsid + QStringLiteral("\\InprocServer32"), clsid);
        }
        info.GetFileInfo(path);
        auto* row = NewListRow(QString(), QIcon());
        SetTextCell(row, 0, name);
        SetTextCell(row, 1, className);
        SetTextCell(row, 2, path);
        SetNumberCell(row, 3, info.FileSize(), FileSizeText(info.FileSize()));
        SetTextCell(row, 4, info.ProductVersion());
        SetDateTimeCell(row, 5, info.DateCreated(), dateText(info.DateCreated()));
        SetDateTimeCell(row, 6, info.DateModified(), dateText(info.DateModified()));
        SetDateTimeCell(row, 7, info.DateAccessed(), dateText(info.DateAccessed()));
        for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
            row->setTextAlignment(c, kColumns[c].alignment | Qt::AlignVCenter);
        lstvwComponents->addTopLevelItem(row);
    }
}

void ComponentsForm::cmdClose_Click() {
    hide();
}

void ComponentsForm::lstvwComponents_ColumnClick(int column) {
    CatchAll(kSource, QStringLiteral("lstvwComponents_ColumnClick()"), [&] {
        BusyScope busy(this);
        SortListViewByColumn(lstvwComponents, column);
    });
}

} // namespace amb::ambrel
