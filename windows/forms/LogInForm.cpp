#include "windows/forms/LogInForm.h"

#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ControlHelpers.h"
#include "contracts/IDatabaseManager.h"
#include "heading/FormHeading.h"
#include "platform/data/Recordset.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace amb::windows {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumWidth(200);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(88);
    return button;
}

// The window's picture: a padlock, drawn so that it stays sharp at any screen scale.
QPixmap LockPicture(qreal devicePixelRatio) {
    constexpr int kSize = 48;
    QPixmap pixmap(QSize(kSize, kSize) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 100), 5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(13, 5, 22, 26), 0, 180 * 16);
    painter.drawLine(QPointF(13, 18), QPointF(13, 24));
    painter.drawLine(QPointF(35, 18), QPointF(35, 24));
    painter.setPen(QPen(QColor(140, 100, 20), 1.5));
    painter.setBrush(QColor(222, 176, 60));
    painter.drawRoundedRect(QRectF(7, 22, 34, 23), 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 60, 10));
    painter.drawEllipse(QPointF(24, 31), 3.5, 3.5);
    painter.drawRect(QRectF(22.5, 32, 3, 8));
    return pixmap;
}

} // namespace

LogInForm::LogInForm(QWidget* parent)
    : FormBase(QStringLiteral("LogInForm"), parent), fhMain(new orv::FormHeading(this)),
      Image1(MakeLabel(this, "Image1")), lblMessage(MakeLabel(this, "lblMessage")),
      lblUsername(MakeLabel(this, "lblUsername")), txtUsername(MakeTextBox(this, "txtUsername")),
      lblPassword(MakeLabel(this, "lblPassword")), txtPassword(MakeTextBox(this, "txtPassword")),
      cmdOK(MakeButton(this, "cmdOK")), cmdCancel(MakeButton(this, "cmdCancel")) {
    fhMain->setObjectName(QStringLiteral("fhMain"));
    Image1->setPixmap(LockPicture(devicePixelRatioF()));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblMessage->setWordWrap(true);
    txtPassword->setEchoMode(QLineEdit::Password);
    lblUsername->setBuddy(txtUsername);
    lblPassword->setBuddy(txtPassword);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    fields->addWidget(lblMessage, 0, 0, 1, 2);
    fields->setRowMinimumHeight(1, 4);
    fields->addWidget(lblUsername, 2, 0);
    fields->addWidget(txtUsername, 2, 1);
    fields->addWidget(lblPassword, 3, 0);
    fields->addWidget(txtPassword, 3, 1);
    fields->setColumnStretch(1, 1);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(16, 12, 16, 0);
    body->setSpacing(16);
    body->addWidget(Image1, 0, Qt::AlignTop);
    body->addLayout(fields, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 12);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(fhMain);
    layout->addLayout(body);
    layout->addStretch(1);
    layout->addLayout(buttons);
    // Resizing the window changes nothing in it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtUsername, txtPassword);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    SetDialogButtons(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    OnFocusIn(txtUsername, [this] { txtUsername_GotFocus(); });
    OnFocusIn(txtPassword, [this] { txtPassword_GotFocus(); });
}

LogInForm::~LogInForm() = default;

int32_t LogInForm::ID() {
    return Member(QStringLiteral("Get_ID()"), int32_t{0}, [&] { return m_id; });
}

int32_t LogInForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        SetControlCaption();
        setWindowTitle(Text(res::kTitleLogIn));
        fhMain->SetHeading(Text(res::kTitleLogIn));
        fhMain->SetDescription(Text(res::kDescLogIn));
        return int32_t{1};
    });
}

void LogInForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    lblMessage->setText(Text(res::kLabelLogInMessage));
    lblPassword->setText(RequiredText(res::kLabelPassword));
    lblUsername->setText(RequiredText(res::kLabelUserName));
    cmdCancel->setText(Text(res::kCaptionCancel));
    cmdOK->setText(Text(res::kCaptionOK));
}

bool LogInForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (txtUsername->text().trimmed().isEmpty()) {
        ShowMessage(res::kMsgEnterUserName);
        txtUsername->setFocus();
        return false;
    }
    if (txtPassword->text().trimmed().isEmpty()) {
        ShowMessage(res::kMsgEnterPassword);
        txtPassword->setFocus();
        return false;
    }
    return true;
}

void LogInForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        m_id = 0;
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid())
            return;

        WindowBusy busy(this);
        const IDatabaseManagerPtr database = Database();
        // The user name is looked up without surrounding blanks; the password goes as typed, since
        // blanks in it are part of it.
        platform::RecordsetPtr user =
            database->GetUserByUsernameAndPassword(txtUsername->text().trimmed(), txtPassword->text());
        const int32_t id = user && !user->IsEOF() ? AsLong(user->Field(QStringLiteral("ID"))) : 0;
        // A disabled account is refused with the same message as a wrong password.
        const bool enabled = id > 0 && (!user->HasField(QStringLiteral("IsEnabled")) ||
                                        AsBoolean(user->Field(QStringLiteral("IsEnabled"))));
        if (user)
            user->Close();
        user.reset();
        if (!enabled) {
            busy.End();
            // A user table that cannot be read is no wrong password.
            if (!user && Support().ShowReadFailure())
                return;
            ShowMessage(res::kMsgInvalidLogIn);
            txtUsername->setFocus();
            return;
        }

        m_id = id;
        database->SetUserDateLogin(m_id, platform::Now());
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void LogInForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        HideForm();
    });
}

void LogInForm::txtUsername_GotFocus() {
    Handle(QStringLiteral("txtUsername_GotFocus()"), [&] { SelectAllText(txtUsername); });
}

void LogInForm::txtPassword_GotFocus() {
    Handle(QStringLiteral("txtPassword_GotFocus()"), [&] { SelectAllText(txtPassword); });
}

} // namespace amb::windows
