#include "windows/base/FormBase.h"

#include "windows/base/HelpMessage.h"
#include "common/HelpFile.h"
#include "contracts/IApplication.h"
#include "common/widgets/DateBox.h"
#include "common/widgets/HelpKey.h"
#include "platform/com/Error.h"
#include "windows/base/SaveFailure.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace amb {

FormBase::FormBase(const QString& formName, QWidget* parent)
    : QDialog(parent), m_support(*this, QStringLiteral("AmbWindows.") + formName, [this] { return LoaderHub(); }) {
    setObjectName(formName);
    // F1 opens the help from every window, as Help > Contents does in the main window.
    AddHelpKey(
        this, m_support.SourceName(), [this] { return HelpDocument(Hub()); },
        HelpNotShownOver(this, [this] { return Hub(); }));
}

FormBase::~FormBase() = default;

int16_t FormBase::Response() {
    return Member(QStringLiteral("Get_Response()"), int16_t{0}, [&] { return m_response; });
}

IWindowLoaderPtr FormBase::WindowLoader() {
    return Member(QStringLiteral("Get_WindowLoader()"), IWindowLoaderPtr(), [&] { return m_windowLoader; });
}

void FormBase::SetWindowLoader(const IWindowLoaderPtr& value) {
    m_support.Run(QStringLiteral("Set_WindowLoader()"), [&] { m_windowLoader = value; });
}

void FormBase::SetDialogButtons(QAbstractButton* ok, QAbstractButton* cancel, bool escapeCancels) {
    if (auto* button = qobject_cast<QPushButton*>(ok)) {
        button->setDefault(true);
        button->setAutoDefault(true);
    }
    // Enter on a focused button presses that button, as on any dialog; elsewhere it presses OK.
    if (auto* button = qobject_cast<QPushButton*>(cancel))
        button->setAutoDefault(true);
    if (cancel && cancel != ok)
        cancel->setProperty(kLeavesWithoutSaving, true);
    m_cancelButton = cancel;
    m_escapeCancels = escapeCancels;
}

void FormBase::OnFocusIn(QWidget* widget, std::function<void()> handler) {
    m_focusHandlers.insert(widget, std::move(handler));
    widget->installEventFilter(this);
}

void FormBase::HideForm() {
    done(m_response == FormResponse::OK ? QDialog::Accepted : QDialog::Rejected);
}

bool FormBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (const auto handler = m_focusHandlers.constFind(watched); handler != m_focusHandlers.cend())
            (*handler)();
    }
    return QDialog::eventFilter(watched, event);
}

void FormBase::keyPressEvent(QKeyEvent* event) {
    // Esc is the Cancel button's key, not QDialog's own reject.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_escapeCancels && m_cancelButton && m_cancelButton->isEnabled())
            m_cancelButton->click();
        event->accept();
        return;
    }
    // Enter on a focused button presses that button, also where the button is not the kind that takes
    // the default role; only elsewhere does it reach the default button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget());
            button && (qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button))) {
            if (button->isEnabled())
                button->click();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void ThrowServiceNotSet(const QString& source) {
    throw platform::Error::ObjectNotSet(source);
}

IDatabaseManagerPtr FormBase::Database() const {
    return RequiredService(Hub()->DatabaseManager(), SourceName());
}

IWindowLoaderPtr FormBase::HubLoader() const {
    return RequiredService(Hub()->WindowLoader(), SourceName());
}

IReportPrinterPtr FormBase::Printer() const {
    return RequiredService(Hub()->ReportPrinter(), SourceName());
}

IApplicationPtr FormBase::LoaderHub() const {
    const IWindowLoaderPtr loader = m_windowLoader;
    return loader ? loader->AmbApplication() : IApplicationPtr();
}

bool FormBase::Refuse(int32_t text, QWidget* box) {
    ShowMessage(text);
    box->setFocus();
    return false;
}

bool FormBase::Save(const std::function<int32_t()>& update, int32_t& result) {
    WindowBusy busy(this);
    const int32_t saved = update();
    busy.End();
    if (saved < 0) {
        ShowSaveFailure();
        return false;
    }
    result = saved;
    return true;
}

void FormBase::ShowSaveFailure() const {
    m_support.ShowMessageText(SaveFailureText(LoaderHub(), this));
}

} // namespace amb
