#include "main/SplashForm.h"

#include "main/Icons.h"

#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace amb::ambrel {

QString ProgramVersionText() {
    // AMB_VERSION is "major.minor.revision" from the build.
    return QStringLiteral("Version ") + QStringLiteral(AMB_VERSION);
}

SplashForm::SplashForm(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("Ambrel"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#SplashForm { background: #fdfaf3; border: 1px solid #8a6d3b; }"
                                 "#lblProduct { color: #6b4e16; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->setSpacing(8);

    auto* header = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* lblProduct = new QLabel(QStringLiteral("Ambrel"), this);
    lblProduct->setObjectName(QStringLiteral("lblProduct"));
    QFont productFont = lblProduct->font();
    productFont.setPointSizeF(productFont.pointSizeF() * 2.2);
    productFont.setBold(true);
    lblProduct->setFont(productFont);
    header->addWidget(picture);
    header->addSpacing(10);
    header->addWidget(lblProduct, 1);
    layout->addLayout(header);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setTextFormat(Qt::PlainText);
    layout->addWidget(lblVersion);
    layout->addStretch(1);

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setTextFormat(Qt::PlainText);
    layout->addWidget(lblMessage);

    setFixedSize(420, 210);
}

int32_t SplashForm::UpdateForm() {
    lblVersion->setText(ProgramVersionText());
    lblMessage->setText(QStringLiteral("Ambrel is preparing to start. \nPlease wait..."));
    return 1;
}

} // namespace amb::ambrel
