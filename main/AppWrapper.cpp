#include "main/AppWrapper.h"

#include "common/HelpFile.h"
#include "common/StandardModule.h"
#include "windows/base/MessageService.h"

namespace amb::ambrel {

AppWrapper::~AppWrapper() {
    TerminateApplication();
}

void AppWrapper::InitializeApplication() {
    m_application = m_factory ? m_factory() : std::make_unique<CApplication>();
    if (!m_application->AmbApplication())
        m_application->CreateApplication();
    if (auto hub = m_application->AmbApplication(); hub && hub->OrvApplication())
        m_logTraceWriter = hub->OrvApplication()->LogTraceWriter();
    SetGlobalLogTraceWriter(m_logTraceWriter);
    if (auto hub = m_application->AmbApplication(); hub && !m_platformTexts)
        m_platformTexts = std::make_unique<PlatformTexts>(hub->GUILocaleID());
    m_session = std::make_unique<CSession>();
}

bool AppWrapper::SetHelpFile() {
    m_helpFile = HelpDocument(Hub());
    return !m_helpFile.isEmpty();
}

void AppWrapper::TerminateApplication() noexcept {
    m_session.reset();
    // Nothing of the shutdown writes trace lines.
    SetGlobalLogTraceWriter(nullptr);
    m_logTraceWriter.reset();
    if (m_application) {
        m_application->DestroyApplication();
        m_application.reset();
    }
    m_platformTexts.reset();
}

QString ErrorMessageText(int32_t number, const QString& description, const QString& source) {
    return QStringLiteral("Number: ") + QString::number(number) + QStringLiteral("\r\n\r\nDescription: ") +
           description + QStringLiteral("\r\n\r\nSource: ") + source + QStringLiteral("\r\n");
}

void ShowErrorMessage(int32_t number, const QString& description, const QString& source) {
    MessageService::Show(nullptr, ErrorMessageText(number, description, source), QStringLiteral("Error"),
                         MessageStyle::Information);
}

} // namespace amb::ambrel
