#include "windows/forms/member/MemberForm.h"

#include "contracts/IDatabaseManager.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/ContactForm.h"
#include "windows/forms/member/PersonLists.h"

// What the person window's list commands do: a double-click, Edit or Enter opens the row's window (a
// contact, an offering, a family or group), New an empty contact window, and Delete removes the row
// from the database once the list has asked.
namespace amb::windows {

RecordListCommands MemberForm::ListCommands(const PersonList& list) {
    RecordListCommands commands;
    if (list.contactForm) {
        commands.create = [this, &list] { OpenContactWindow(list, 0); };
        commands.open = [this, &list](int32_t id) { OpenContactWindow(list, id); };
    } else if (list.showWindow) {
        commands.open = [this, &list](int32_t id) { OpenFamilyOrGroup(list, id); };
    } else {
        commands.open = [this](int32_t id) { OpenOffering(id); };
    }
    if (list.remove)
        commands.remove = [this, &list](int32_t id) { return (Database().get()->*list.remove)(id); };
    commands.selectionChanged = [this, &list] { EnableToolbarButtons(list.bit); };
    return commands;
}

void MemberForm::OpenContactWindow(const PersonList& list, int32_t id) {
    WindowBusy busy(this);
    const std::unique_ptr<ContactForm> form = list.contactForm(this);
    form->SetID(id);
    form->SetPersonID(m_id);
    form->SetWindowLoader(WindowLoader());
    if (form->UpdateForm() <= 0)
        return;
    ModalRunner::Run(*form);
    if (form->Response() == FormResponse::OK)
        RefreshGrids(list.bit);
}

void MemberForm::OpenOffering(int32_t id) {
    // The offering window opens through the hub's loader, as the offering commands of the main window do.
    if (HubLoader()->ShowOfferingWindow(id, EnumOfferingWindowType::Individual) > 0)
        cboOfferingType_Click();
}

void MemberForm::OpenFamilyOrGroup(const PersonList& list, int32_t id) {
    if (id == 0)
        return;
    RecordListPart& part = *ListOf(list.bit).part;
    const int position = part.SelectedPosition();
    (HubLoader().get()->*list.showWindow)(id);
    WindowBusy busy(this);
    RefreshGrids(list.bit);
    part.SelectPosition(position);
}

} // namespace amb::windows
