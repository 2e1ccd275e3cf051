#pragma once

#include "main/CApplication.h"
#include "main/CSession.h"
#include "main/PlatformTexts.h"

#include "generic/OrvInterfaces/ILogTraceWriter.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace amb::ambrel {

// The program's state for one run: the application wrapper, the session of the logged-in user and
// the program's own log writer, from the main window's initialisation to its end.
class AppWrapper {
public:
    using Factory = std::function<std::unique_ptr<CApplication>()>;

    // The factory makes the application wrapper; by default a new one that wires the components
    // from the registry. Tests give one around components they made.
    explicit AppWrapper(Factory factory = {}) : m_factory(std::move(factory)) {}
    ~AppWrapper();
    AppWrapper(const AppWrapper&) = delete;
    AppWrapper& operator=(const AppWrapper&) = delete;

    // Creates the wrapper, wires the components and keeps the log writer; the platform's texts then
    // speak the interface's language. Throws platform::Error.
    void InitializeApplication();
    // Looks for the help file in the application folder; true when it was found and set.
    bool SetHelpFile();
    // Saves the recent searches, detaches the components and closes the log files; the platform's texts
    // are its own again. Never throws.
    void TerminateApplication() noexcept;

    CApplication* Application() const { return m_application.get(); }
    CSession* Session() const { return m_session.get(); }
    // The hub, or nothing before the wiring and after the shutdown.
    IApplicationPtr Hub() const { return m_application ? m_application->AmbApplication() : nullptr; }
    // What Help > Contents opens: the help file's path, or its URL at the Korean half; empty when there is none.
    QString HelpFile() const { return m_helpFile; }

private:
    Factory m_factory;
    std::unique_ptr<CApplication> m_application;
    std::unique_ptr<CSession> m_session;
    orv::ILogTraceWriterPtr m_logTraceWriter;
    std::unique_ptr<PlatformTexts> m_platformTexts;
    QString m_helpFile;
};

// The "Error" box of a failed start-up: number, description and source of the failure.
void ShowErrorMessage(int32_t number, const QString& description, const QString& source);
// Its text.
QString ErrorMessageText(int32_t number, const QString& description, const QString& source);

} // namespace amb::ambrel
