#include "main/AppWrapper.h"

#include "common/StandardModule.h"
#include "windows/base/MessageService.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

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
    m_session = std::make_unique<CSession>();
}

bool AppWrapper::SetHelpFile() {
    const auto hub = Hub();
    if (!hub)
        return false;
    const QString path = QDir(hub->AppDir()).filePath(QLatin1String(kHelpFileName));
    if (!QFileInfo(path).isFile())
        return false;
    // One file holds both languages; a Korean interface opens it at its Korean half, which a fragment
    // names, so the help goes as a file URL rather than a path.
    if (hub->GUILocaleID() == EnumSupportedLocaleID::Korean) {
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(QLatin1String(kHelpKoreanHalf));
        m_helpFile = url.toString(QUrl::FullyEncoded);
    } else {
        m_helpFile = path;
    }
    return true;
}

void AppWrapper::TerminateApplication() noexcept {
    m_session.reset();
    // Nothing of the shutdown writes trace lines.
    SetGlobalLogTraceWriter(nullptr);
    m_logTraceWriter.reset();
    if (!m_application)
        return;
    m_application->DestroyApplication();
    m_application.reset();
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
