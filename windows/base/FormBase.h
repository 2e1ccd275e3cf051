#pragma once

#include "contracts/IWindowLoader.h"
#include "windows/base/WindowSupport.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QAbstractButton;

namespace amb {

// A hub service that `source` cannot go on without: the service, or error 91 of `source` when there
// is none. For code outside a window (the loader's own flows); a window asks FormBase.
[[noreturn]] void ThrowServiceNotSet(const QString& source);
template <class Service>
std::shared_ptr<Service> RequiredService(std::shared_ptr<Service> service, const QString& source) {
    if (!service)
        ThrowServiceNotSet(source);
    return service;
}

// What a window's Response tells its opener.
namespace FormResponse {
inline constexpr int16_t None = 0;   // the user window's start: neither button yet
inline constexpr int16_t OK = 1;     // the opener takes the result (the ID, the saved record)
inline constexpr int16_t Cancel = 2; // every other window's start: closed without a result
} // namespace FormResponse

// The base of every editing window. The opener creates the window, sets WindowLoader first and then
// the window's own properties, calls UpdateForm, shows it through ModalRunner when the result allows,
// reads Response (and ID) after it closed, and then destroys it. A window closes itself by hiding,
// so everything stays readable until the opener is done.
class FormBase : public QDialog {
    Q_OBJECT

public:
    // formName is the class name as the trace lines show it ("LogInForm"); it is also the object name.
    explicit FormBase(const QString& formName, QWidget* parent = nullptr);
    ~FormBase() override;

    // Cancel from creation; OK when the opener is to take the result.
    int16_t Response();
    IWindowLoaderPtr WindowLoader();
    void SetWindowLoader(const IWindowLoaderPtr& value);
    // Fills the window from the properties set before it: 1 ready, -1 not to be shown.
    virtual int32_t UpdateForm() = 0;

protected:
    const WindowSupport& Support() const { return m_support; }
    const QString& SourceName() const { return m_support.SourceName(); }
    void Trace(const QString& procedure) const { m_support.Trace(procedure); }
    IApplicationPtr Hub() const { return m_support.Hub(); }
    // The hub's services. A window cannot go on without the one it asks for: none is error 91 of
    // this window, as a missing hub is. HubLoader is the hub's loader, which opens the other windows.
    IDatabaseManagerPtr Database() const;
    IWindowLoaderPtr HubLoader() const;
    IReportPrinterPtr Printer() const;
    QString Text(int32_t id) const { return m_support.Text(id); }
    QString RequiredText(int32_t id) const { return m_support.RequiredText(id); }
    int32_t ShowMessage(int32_t textId, int32_t style = MessageStyle::Information) const {
        return m_support.ShowMessage(textId, style);
    }
    void SetResponse(int16_t value) { m_response = value; }

    // An event handler: entry line, body; a failure is written at level 9 and ends the busy state.
    bool Handle(const QString& procedure, const std::function<void()>& body) const {
        return m_support.Handle(procedure, body);
    }
    // A public member or procedure with a result: entry line, body; a failure is written at level 9
    // and gives `failure`. The lines go through the window base, whichever library the window is in.
    template <class R, class F> R Member(const QString& procedure, R failure, F&& body) const {
        R result = failure;
        if (!m_support.Run(procedure, [&] { result = static_cast<R>(body()); }))
            return failure;
        return result;
    }

    // A failed check: the message of `text`, the focus on `box`, false.
    bool Refuse(int32_t text, QWidget* box);
    // A window's save: runs `update` with the window busy. A result below 0 shows why the save failed
    // (ShowSaveFailure; the input stays for another try) and gives false; otherwise `result` holds it.
    bool Save(const std::function<int32_t()>& update, int32_t& result);
    // The message of a refused save: the cause that the database kept, or the general save-failed text.
    void ShowSaveFailure() const;

    // OK is the default button (Enter). With escapeCancels, Esc presses Cancel; otherwise Esc does
    // nothing. The close box only hides the window, leaving Response as it is.
    void SetDialogButtons(QAbstractButton* ok, QAbstractButton* cancel, bool escapeCancels = true);
    // Runs `handler` whenever `widget` receives the focus.
    void OnFocusIn(QWidget* widget, std::function<void()> handler);
    // Ends the modal show by hiding the window.
    void HideForm();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    IApplicationPtr LoaderHub() const;

    WindowSupport m_support;
    IWindowLoaderPtr m_windowLoader;
    int16_t m_response = FormResponse::Cancel;
    QAbstractButton* m_cancelButton = nullptr;
    bool m_escapeCancels = false;
    QHash<QObject*, std::function<void()>> m_focusHandlers;
};

} // namespace amb
