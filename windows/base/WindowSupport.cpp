#include "windows/base/WindowSupport.h"

#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/ReadFailure.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/BusyScope.h"
#include "common/widgets/DateBox.h"
#include "platform/com/Error.h"
#include "windows/base/ActionScope.h"
#include "windows/base/WaitStatus.h"

#include <QWidget>

#include <utility>

namespace amb {

namespace {

// Hears the date boxes of one window that refuse to be left.
class DateRefusals : public QObject {
public:
    DateRefusals(QWidget& window, const WindowSupport& support) : QObject(&window), m_support(support) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != DateRefusedEvent::kType)
            return QObject::eventFilter(watched, event);
        QDateTimeEdit* box = static_cast<DateRefusedEvent*>(event)->Box();
        m_support.Handle(QStringLiteral("DateBox_Refused()"), [&] { m_support.RefuseDate(*box); });
        event->accept();
        return true;
    }

private:
    const WindowSupport& m_support;
};

} // namespace

// This library's copy of the shared helpers keeps a writer of its own; it is the windows library's.
void SetWindowTraceWriter(const orv::ILogTraceWriterPtr& writer) {
    SetGlobalLogTraceWriter(writer);
}

MessageButtonTexts MessageButtonTextsOf(const IApplicationPtr& hub) {
    return {LoadResString(hub, res::kCaptionOK), LoadResString(hub, res::kCaptionCancel),
            LoadResString(hub, res::kTextYes), LoadResString(hub, res::kTextNo)};
}

WindowSupport::WindowSupport(QWidget& window, QString sourceName, HubSource hub)
    : m_window(window), m_sourceName(std::move(sourceName)), m_hub(std::move(hub)),
      m_dateRefusals(new DateRefusals(window, *this)) {
    // "Waiting" while a save waits for another program (the window owns it).
    new WaitStatus(window, [source = m_hub] {
        const IApplicationPtr app = source ? source() : IApplicationPtr();
        return app ? LoadResString(app, res::kStatusWaiting) : QString();
    });
}

WindowSupport::~WindowSupport() {
    delete m_dateRefusals.data();
}

void WindowSupport::Trace(const QString& procedure) const {
    WriteTraceLine(m_sourceName, procedure, QString(), 0);
}

IApplicationPtr WindowSupport::Hub() const {
    IApplicationPtr hub = m_hub ? m_hub() : IApplicationPtr();
    if (!hub)
        throw platform::Error::ObjectNotSet(m_sourceName);
    return hub;
}

QString WindowSupport::Text(int32_t id) const {
    return LoadResString(Hub(), id);
}

QString WindowSupport::RequiredText(int32_t id) const {
    return Text(id) + QLatin1Char('*');
}

int32_t WindowSupport::ShowMessage(int32_t textId, int32_t style) const {
    return ShowMessageText(Text(textId), style);
}

int32_t WindowSupport::ShowMessageText(const QString& text, int32_t style) const {
    // A window without its hub still shows the message, with Qt's own button captions.
    const IApplicationPtr hub = m_hub ? m_hub() : IApplicationPtr();
    return MessageService::Show(&m_window, text, m_window.windowTitle(), style,
                                hub ? MessageButtonTextsOf(hub) : MessageButtonTexts{});
}

QString WindowSupport::ReadFailureText() const {
    return amb::ReadFailureText(m_hub ? m_hub() : IApplicationPtr(), ActionScope::Saved(&m_window));
}

bool WindowSupport::ShowReadFailure() const {
    const QString text = ReadFailureText();
    return !text.isEmpty() && TellReadFailure(text);
}

bool WindowSupport::TellReadFailure(const QString& text) const {
    if (ActionScope::ReadFailureTold(&m_window))
        return true;
    ActionScope::MarkReadFailureTold(&m_window);
    ShowMessageText(text, MessageStyle::Exclamation);
    return true;
}

void WindowSupport::ShowNothingRead(int32_t nothingText) const {
    if (!ShowReadFailure())
        ShowMessage(nothingText);
}

bool WindowSupport::CheckDates(std::initializer_list<QWidget*> areas) const {
    QList<QDateTimeEdit*> boxes;
    for (QWidget* area : areas)
        boxes << DateBoxesIn(area);
    for (QDateTimeEdit* box : boxes)
        FinishDateTyping(box);
    for (QDateTimeEdit* box : boxes) {
        if (ShowsNonDate(box)) {
            RefuseDate(*box);
            return false;
        }
    }
    return true;
}

void WindowSupport::RefuseDate(QDateTimeEdit& box) const {
    ShowMessageText(Text(res::kMsgNotADate).arg(DateBoxName(&box)));
    box.setFocus();
}

void WindowSupport::SetBusy(bool busy) const {
    amb::SetBusy(&m_window, busy);
}

bool WindowSupport::IsBusy() const {
    return amb::IsBusy(&m_window);
}

bool WindowSupport::Run(const QString& procedure, const std::function<void()>& body) const {
    const ActionScope action(&m_window);
    return Guard(m_sourceName, procedure, [&] { body(); });
}

bool WindowSupport::Handle(const QString& procedure, const std::function<void()>& body) const {
    const ActionScope action(&m_window);
    return Guard(m_sourceName, procedure, [&] {
        try {
            body();
        } catch (...) {
            SetBusy(false);
            throw;
        }
    });
}

} // namespace amb
