#include "windows/forms/member/PersonContactPages.h"

#include "windows/base/ActionScope.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/ContactForm.h"
#include "windows/forms/member/PersonLists.h"

namespace amb::windows {

PersonContactPages::PersonContactPages(QTabWidget* pages, const PersonPagesHost& host) : PersonListPages(host) {
    CreateLists(
        pages, [](const PersonList& list) { return list.contactForm != nullptr; },
        [this](const PersonList& list, RecordListCommands& commands) {
            commands.create = [this, &list] { OpenContactWindow(list, 0); };
            commands.open = [this, &list](int32_t id) { OpenContactWindow(list, id); };
        });
}

void PersonContactPages::OpenContactWindow(const PersonList& list, int32_t id) {
    WindowBusy busy(&m_host.window);
    const std::unique_ptr<ContactForm> form = list.contactForm(&m_host.window);
    form->SetID(id);
    form->SetPersonID(m_host.personId());
    form->SetWindowLoader(m_host.window.WindowLoader());
    if (form->UpdateForm() <= 0)
        return;
    ModalRunner::Run(*form);
    if (form->Response() == FormResponse::OK) {
        // The row is stored: a list that cannot be read again now must not say that nothing was.
        ActionScope::MarkSaved(&m_host.window);
        m_host.refresh(list.bit);
    } else {
        m_host.notSaved();
    }
    Of(list.bit).ReturnTo(form->ID());
}

} // namespace amb::windows
