#include "windows/WindowLoader.h"

#include "common/ErrorGuard.h"
#include "common/StandardModule.h"
#include "platform/com/ComponentServer.h"
#include "platform/com/Error.h"
#include "windows/AvailableWindows.h"
#include "windows/base/ModalRunner.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/LogInForm.h"

#include <memory>

namespace amb::windows {

namespace {

// The entries marked available are the ones implemented below; the others return -1 through NotBuilt.
static_assert(IsWindowAvailable("ShowLogInWindow"));
static_assert(!IsWindowAvailable("ShowBatchOfferingWindow") && !IsWindowAvailable("ShowBatchExpenseWindow") &&
              !IsWindowAvailable("ShowOfferingWindow") && !IsWindowAvailable("ShowExpenseWindow") &&
              !IsWindowAvailable("ShowFamilyWindow") && !IsWindowAvailable("ShowGroupWindow") &&
              !IsWindowAvailable("ShowOptionWindow") && !IsWindowAvailable("ShowPersonWindow") &&
              !IsWindowAvailable("ShowReportWindow") && !IsWindowAvailable("ShowListWindow") &&
              !IsWindowAvailable("ShowChangePasswordWindow") && !IsWindowAvailable("ShowUserWindow") &&
              !IsWindowAvailable("ShowNameWindow") && !IsWindowAvailable("ShowSearchWindow"));

const QString kSourceName = QStringLiteral("AmbWindows.WindowLoader");

// The whole library writes through one writer: this library's copy of the shared helpers and the
// window base's copy both get it.
void SetLibraryWriter(const orv::ILogTraceWriterPtr& writer) {
    SetGlobalLogTraceWriter(writer);
    SetWindowTraceWriter(writer);
}

} // namespace

WindowLoader::WindowLoader() : m_sourceName(kSourceName) {}

WindowLoader::~WindowLoader() {
    m_hub.reset();
    SetLibraryWriter(nullptr);
    m_sourceName.clear();
}

IApplicationPtr WindowLoader::AmbApplication() {
    return Guard(m_sourceName, QStringLiteral("Get_IWindowLoader_AmbApplication()"), IApplicationPtr(),
                 [&] { return m_hub; });
}

void WindowLoader::SetAmbApplication(const IApplicationPtr& value) {
    Guard(m_sourceName, QStringLiteral("Set_IWindowLoader_AmbApplication()"), [&] {
        m_hub = value;
        // Setting nothing keeps the writer until the loader ends.
        if (!value)
            return;
        const orv::IApplicationPtr generic = value->OrvApplication();
        if (!generic)
            throw platform::Error::ObjectNotSet(m_sourceName);
        SetLibraryWriter(generic->LogTraceWriter());
    });
}

int32_t WindowLoader::ShowBatchOfferingWindow() {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowBatchOfferingWindow()"));
}

int32_t WindowLoader::ShowBatchExpenseWindow() {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowBatchExpenseWindow()"));
}

int32_t WindowLoader::ShowOfferingWindow(int32_t, EnumOfferingWindowType) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowOfferingWindow()"));
}

int32_t WindowLoader::ShowExpenseWindow(int32_t, EnumOfferingWindowType) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowExpenseWindow()"));
}

int32_t WindowLoader::ShowFamilyWindow(int32_t) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowFamilyWindow()"));
}

int32_t WindowLoader::ShowGroupWindow(int32_t) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowGroupWindow()"));
}

int32_t WindowLoader::ShowOptionWindow() {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowOptionWindow()"));
}

int32_t WindowLoader::ShowPersonWindow(int32_t, EnumFamilyGroup, int32_t) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowPersonWindow()"));
}

int32_t WindowLoader::ShowReportWindow() {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowReportWindow()"));
}

int32_t WindowLoader::ShowListWindow(EnumWindowType) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowListWindow()"));
}

int32_t WindowLoader::ShowLogInWindow() {
    return Guard(m_sourceName, QStringLiteral("IWindowLoader_ShowLogInWindow()"), int32_t{-1}, [&] {
        const auto form = std::make_unique<LogInForm>();
        form->SetWindowLoader(shared_from_this());
        if (!ShowWhenReady(*form, ShowWhen::ZeroOrMore))
            return int32_t{-1};
        return form->Response() == 1 ? form->ID() : int32_t{-1};
    });
}

int32_t WindowLoader::ShowChangePasswordWindow(const QString&, const QString&) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowChangePasswordWindow()"));
}

int32_t WindowLoader::ShowUserWindow(int32_t) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowUserWindow()"));
}

int32_t WindowLoader::ShowNameWindow(EnumWindowType, int32_t) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowNameWindow()"));
}

int32_t WindowLoader::ShowSearchWindow(EnumSearchWindowType, int32_t) {
    return NotBuilt(QStringLiteral("IWindowLoader_ShowSearchWindow()"));
}

int32_t WindowLoader::NotBuilt(const QString& procedure) {
    return Guard(m_sourceName, procedure, int32_t{-1}, [] { return int32_t{-1}; });
}

bool WindowLoader::ShowWhenReady(FormBase& form, ShowWhen when) {
    const int32_t update = form.UpdateForm();
    if (when == ShowWhen::ZeroOrMore ? update < 0 : update <= 0)
        return false;
    ModalRunner::Run(form);
    return true;
}

} // namespace amb::windows

namespace {

const platform::com::ClassEntry Classes[] = {
    {"AmbWindows.WindowLoader", "{3C1E6B52-8D0A-4F57-9B7E-2A41D6C0E913}",
     &platform::com::MakeObject<amb::windows::WindowLoader>},
};

} // namespace

AMB_COMPONENT_SERVER(Classes)
