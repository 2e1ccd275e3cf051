#include "windows/forms/member/PersonFamilyGroupPages.h"

#include "windows/forms/member/PersonLists.h"

namespace amb::windows {

PersonFamilyGroupPages::PersonFamilyGroupPages(QTabWidget* pages, const PersonPagesHost& host)
    : PersonListPages(host) {
    CreateLists(
        pages, [](const PersonList& list) { return list.showWindow != nullptr; },
        [this](const PersonList& list, RecordListCommands& commands) {
            commands.open = [this, &list](int32_t id) { OpenFamilyOrGroup(list, id); };
        });
}

void PersonFamilyGroupPages::SetOpens(EnumFamilyGroup parentForm) const {
    ForEach([parentForm](const PersonList& list, RecordListPart& part) { part.SetOpens(list.notFrom != parentForm); });
}

void PersonFamilyGroupPages::OpenFamilyOrGroup(const PersonList& list, int32_t id) {
    if (id == 0)
        return;
    (m_host.context.loader().get()->*list.showWindow)(id);
    WindowBusy busy(&m_host.window);
    m_host.refresh(list.bit);
    Of(list.bit).ReturnTo(id);
}

} // namespace amb::windows
