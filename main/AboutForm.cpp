#include "main/AboutForm.h"

#include "main/AppWrapper.h"
#include "main/ComponentsForm.h"
#include "main/Icons.h"
#include "main/SplashForm.h"

#include "common/widgets/HelpKey.h"
#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "heading/FormHeading.h"
#include "windows/base/HelpMessage.h"
#include "windows/base/ModalRunner.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace amb::ambrel {

namespace {

const QString kSource = QStringLiteral("OrvAmbrel.AboutForm");

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutForm::AboutForm(AppWrapper& wrapper, QWidget* parent) : QDialog(parent), m_wrapper(wrapper) {
    setObjectName(QStringLiteral("AboutForm"));
    fhMain = new orv::FormHeading(this);
    fhMain->setObjectName(QStringLiteral("fhMain"));
    Image1 = NewLabel(this, "Image1");
    Image1->setPixmap(ProgramIcon().pixmap(48, 48));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblProduct = NewLabel(this, "lblProduct");
    QFont productFont = lblProduct->font();
    productFont.setBold(true);
    lblProduct->setFont(productFont);
    lblVersion = NewLabel(this, "lblVersion");
    lblNotice = NewLabel(this, "lblNotice");
    lblNote = NewLabel(this, "lblNote");
    lblURL = NewLabel(this, "lblURL");
    QFont linkFont = lblURL->font();
    linkFont.setUnderline(true);
    lblURL->setFont(linkFont);
    QPalette linkPalette = lblURL->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 238));
    lblURL->setPalette(linkPalette);
    lblURL->setCursor(Qt::PointingHandCursor);
    lblURL->installEventFilter(this);
    txtWarning = new QPlainTextEdit(this);
    txtWarning->setObjectName(QStringLiteral("txtWarning"));
    txtWarning->setReadOnly(true);
    txtWarning->setMaximumHeight(72);
    cmdMore = new QPushButton(this);
    cmdMore->setObjectName(QStringLiteral("cmdMore"));
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setDefault(true);

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(lblProduct);
    text->addWidget(lblVersion);
    text->addWidget(lblNotice);
    auto* link = new QHBoxLayout;
    link->setSpacing(0);
    link->addWidget(lblNote);
    link->addWidget(lblURL);
    link->addStretch(1);
    text->addLayout(link);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 8, 12, 0);
    body->addWidget(Image1);
    body->addSpacing(12);
    body->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdMore);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(fhMain);
    layout->addLayout(body);
    auto* bottom = new QVBoxLayout;
    bottom->setContentsMargins(12, 4, 12, 0);
    bottom->addWidget(txtWarning);
    bottom->addLayout(buttons);
    layout->addLayout(bottom);
    resize(480, 330);

    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdMore, &QPushButton::clicked, this, [this] { cmdMore_Click(); });
    AddHelpKey(
        this, kSource, [this] { return m_wrapper.HelpFile(); },
        HelpNotShownOver(this, [this] { return m_wrapper.Hub(); }));
}

int32_t AboutForm::UpdateForm() {
    WriteTraceLine(kSource, QStringLiteral("UpdateForm()"), QString(), 0);
    const auto hub = m_wrapper.Hub();
    const QString company = hub ? hub->CompanyName() : QString();
    const QString maker = QLatin1String(kMakerName);
    const QString product = QLatin1String(kProductName);
    setWindowTitle(LoadResString(hub, res::kTitleAbout));
    fhMain->SetHeading(maker + QLatin1Char(' ') + product);
    fhMain->SetDescription(QStringLiteral("for ") + company);
    lblProduct->setText(maker + QLatin1Char(' ') + product + QStringLiteral("\r\n     for ") + company);
    lblVersion->setText(ProgramVersionText());
    cmdMore->setText(LoadResString(hub, res::kButtonMore));
    cmdCancel->setText(LoadResString(hub, res::kButtonClose));
    lblNotice->setText(QStringLiteral("Copyright \u00A9 2026 ") + maker + QStringLiteral(". All rights reserved."));
    // The link continues the note's sentence on the same line, however wide the font draws it.
    lblNote->setText(QStringLiteral("For more information, please visit "));
    lblNote->setFixedWidth(QFontMetrics(lblNote->font()).horizontalAdvance(lblNote->text()));
    lblURL->setText(QLatin1String(kMakerURL));
    lblURL->setFixedWidth(QFontMetrics(lblURL->font()).horizontalAdvance(lblURL->text()) + 1);
    txtWarning->setPlainText(QStringLiteral(
        "Warning: This computer program is protected by copyright law and international treaties. "
        "Unauthorized reproduction or distribution of this program, or any portion of it, may result in "
        "severe civil and criminal penalties, and will be prosecuted to the maximum extent possible under "
        "the law."));
    return 1;
}

void AboutForm::cmdCancel_Click() {
    WriteTraceLine(kSource, QStringLiteral("cmdCancel_Click()"), QString(), 0);
    hide();
}

void AboutForm::cmdMore_Click() {
    CatchAll(kSource, QStringLiteral("cmdMore_Click()"), [&] {
        ComponentsForm components(m_wrapper, this);
        if (components.UpdateForm() > 0)
            ModalRunner::Run(components);
    });
}

void AboutForm::lblURL_Click() {
    Guard(kSource, QStringLiteral("lblURL_Click()"), [&] {
        const QString address = lblURL->text().trimmed();
        if (!address.isEmpty())
            OpenURL(address);
    });
}

bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblURL && event->type() == QEvent::MouseButtonRelease) {
        lblURL_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace amb::ambrel
