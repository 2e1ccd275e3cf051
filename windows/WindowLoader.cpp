#include "windows/WindowLoader.h"

#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "platform/com/ComponentServer.h"
#include "platform/com/Error.h"
#include "windows/LoaderEntry.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/LogInForm.h"
#include "windows/forms/SearchForm.h"
#include "windows/forms/lists/ListForm.h"
#include "windows/forms/lists/NameForm.h"
#include "windows/forms/member/MemberForm.h"
#include "windows/forms/offering/BatchForm.h"
#include "windows/forms/offering/OfferingExpenseForm.h"
#include "windows/forms/options/OptionsForm.h"
#include "windows/forms/report/ReportForm.h"
#include "windows/forms/users/ChangePasswordForm.h"
#include "windows/forms/users/UserForm.h"

#include <memory>

namespace amb::windows {

namespace {

const QString kSourceName = QStringLiteral("AmbWindows.WindowLoader");

// The single offering or expense window as the loader opens it: saved to the database by itself.
void PrepareOfferingExpense(OfferingExpenseForm& form, int32_t id, EnumOfferingWindowType type, int32_t batchType) {
    form.SetID(id);
    form.SetWindowType(type);
    form.SetBatchType(batchType);
    form.SetUpdateTarget(SaveTarget::Database);
}

template <class Form> int32_t OneWhenConfirmed(Form& form) {
    return form.Response() == FormResponse::OK ? 1 : -1;
}

} // namespace

WindowLoader::WindowLoader() : m_hub(kSourceName, &SetWindowTraceWriter), m_sourceName(kSourceName) {}

WindowLoader::~WindowLoader() {
    m_hub.Release();
    m_sourceName.clear();
}

IApplicationPtr WindowLoader::AmbApplication() {
    return Guard(m_sourceName, QStringLiteral("Get_IWindowLoader_AmbApplication()"), IApplicationPtr(),
                 [&] { return m_hub.Hub(); });
}

void WindowLoader::SetAmbApplication(const IApplicationPtr& value) {
    Guard(m_sourceName, QStringLiteral("Set_IWindowLoader_AmbApplication()"), [&] {
        // Setting nothing keeps the writer until the loader ends.
        m_hub.Attach(value);
    });
}

int32_t WindowLoader::ShowBatchOfferingWindow() {
    return OpenEntry<"ShowBatchOfferingWindow", BatchForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore, [](BatchForm& form) { form.SetBatchType(BatchKind::Offering); },
        OneWhenConfirmed<BatchForm>);
}

int32_t WindowLoader::ShowBatchExpenseWindow() {
    return OpenEntry<"ShowBatchExpenseWindow", BatchForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore, [](BatchForm& form) { form.SetBatchType(BatchKind::Expense); },
        OneWhenConfirmed<BatchForm>);
}

int32_t WindowLoader::ShowOfferingWindow(int32_t n, EnumOfferingWindowType en) {
    return OpenEntry<"ShowOfferingWindow", OfferingExpenseForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore,
        [&](OfferingExpenseForm& form) { PrepareOfferingExpense(form, n, en, BatchKind::Offering); },
        OneWhenConfirmed<OfferingExpenseForm>);
}

int32_t WindowLoader::ShowExpenseWindow(int32_t n, EnumOfferingWindowType en) {
    return OpenEntry<"ShowExpenseWindow", OfferingExpenseForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore,
        [&](OfferingExpenseForm& form) { PrepareOfferingExpense(form, n, en, BatchKind::Expense); },
        OneWhenConfirmed<OfferingExpenseForm>);
}

int32_t WindowLoader::ShowFamilyWindow(int32_t n) {
    static_assert(IsWindowEntry("ShowFamilyWindow"), "not an entry of the loader's table");
    return Guard(m_sourceName, EntryProcedure<"ShowFamilyWindow">(), int32_t{-1},
                 [&] { return ShowFamilyGroupWindow(EnumFamilyGroup::Family, n); });
}

int32_t WindowLoader::ShowGroupWindow(int32_t n) {
    static_assert(IsWindowEntry("ShowGroupWindow"), "not an entry of the loader's table");
    return Guard(m_sourceName, EntryProcedure<"ShowGroupWindow">(), int32_t{-1},
                 [&] { return ShowFamilyGroupWindow(EnumFamilyGroup::Group, n); });
}

int32_t WindowLoader::ShowOptionWindow() {
    return OpenEntry<"ShowOptionWindow", OptionsForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore, [](OptionsForm&) {},
        [](OptionsForm& f) { return f.Response() == FormResponse::OK ? 1 : -1; });
}

int32_t WindowLoader::ShowPersonWindow(int32_t n, EnumFamilyGroup enParentForm, int32_t nFamilyGroupID) {
    return OpenEntry<"ShowPersonWindow", MemberForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore,
        [&](MemberForm& form) {
            form.SetID(n);
            form.SetParentForm(enParentForm);
            form.SetFamilyGroupID(nFamilyGroupID);
        },
        IdWhenConfirmed<MemberForm>);
}

int32_t WindowLoader::ShowReportWindow() {
    // 1 whatever happened in the window; -1 only when the window could not even be made.
    bool made = false;
    OpenEntry<"ShowReportWindow", ReportForm>(
        m_sourceName, shared_from_this(), ShowWhen::MoreThanZero, [&](ReportForm&) { made = true; },
        [](ReportForm&) { return 1; });
    return made ? 1 : -1;
}

// The list window has no OK, so this is -1 whatever the user did.
int32_t WindowLoader::ShowListWindow(EnumWindowType en) {
    return OpenEntry<"ShowListWindow", ListForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore, [&](ListForm& f) { f.SetWindowType(en); },
        [](ListForm& f) { return f.Response() == FormResponse::OK ? 1 : -1; });
}

int32_t WindowLoader::ShowLogInWindow() {
    return OpenEntry<"ShowLogInWindow", LogInForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore, [](LogInForm&) {}, IdWhenConfirmed<LogInForm>);
}

// The old password is not used: the window asks for it.
int32_t WindowLoader::ShowChangePasswordWindow(const QString& sUsername, const QString&) {
    return OpenEntry<"ShowChangePasswordWindow", ChangePasswordForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore,
        [&](ChangePasswordForm& f) { f.SetUsername(sUsername); },
        [&](ChangePasswordForm& f) {
            if (f.Response() != FormResponse::OK)
                return -1;
            MessageService::Show(&f, LoadResString(m_hub.Hub(), res::kMsgPasswordChanged), f.windowTitle(),
                                 MessageStyle::Information, MessageButtonTextsOf(m_hub.Hub()));
            return 1;
        });
}

int32_t WindowLoader::ShowUserWindow(int32_t n) {
    return OpenEntry<"ShowUserWindow", UserForm>(
        m_sourceName, shared_from_this(), ShowWhen::MoreThanZero, [&](UserForm& f) { f.SetID(n); },
        IdWhenConfirmed<UserForm>);
}

int32_t WindowLoader::ShowNameWindow(EnumWindowType en, int32_t n) {
    return OpenEntry<"ShowNameWindow", NameForm>(
        m_sourceName, shared_from_this(), ShowWhen::ZeroOrMore,
        [&](NameForm& f) {
            f.SetID(n);
            f.SetWindowType(en);
        },
        [](NameForm& f) { return f.Response() == FormResponse::OK ? 1 : -1; });
}

int32_t WindowLoader::ShowSearchWindow(EnumSearchWindowType, int32_t) {
    return OpenEntry<"ShowSearchWindow", SearchForm>(
        m_sourceName, shared_from_this(), ShowWhen::MoreThanZero, [](SearchForm&) {}, IdWhenConfirmed<SearchForm>);
}

} // namespace amb::windows

namespace {

const platform::com::ClassEntry Classes[] = {
    {"AmbWindows.WindowLoader", "{3C1E6B52-8D0A-4F57-9B7E-2A41D6C0E913}",
     &platform::com::MakeObject<amb::windows::WindowLoader>},
};

} // namespace

AMB_COMPONENT_SERVER(Classes)
