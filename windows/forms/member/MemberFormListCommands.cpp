#include "windows/forms/member/MemberForm.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/Shell.h"
#include "common/StandardModule.h"
#include "common/widgets/ListItem.h"
#include "common/widgets/ListKeys.h"
#include "contracts/IDatabaseManager.h"
#include "windows/base/ModalRunner.h"
#include "windows/forms/contact/AddressForm.h"
#include "windows/forms/contact/ContactValueForm.h"

#include <QToolBar>
#include <QTreeWidget>

#include <memory>

// The list commands of the person window: a double-click or Edit opens the row's window, New an empty
// one, Delete removes the row after asking, and Send writes an e-mail to the selected address.
namespace amb::windows {

namespace {

// What the commands of a contact list (addresses, phone numbers, e-mail addresses) differ in.
struct ContactList {
    int32_t bit;
    std::unique_ptr<ContactForm> (*make)(QWidget* owner);
    int32_t (IDatabaseManager::*remove)(int32_t);
};

template <class Form> std::unique_ptr<ContactForm> Make(QWidget* owner) {
    return std::make_unique<Form>(owner);
}

// clang-format off
const ContactList kContactLists[] = {
    {MemberForm::kAddresses,      &Make<AddressForm>,      &IDatabaseManager::DeletePersonAddress},
    {MemberForm::kPhoneNumbers,   &Make<PhoneNumberForm>,  &IDatabaseManager::DeletePersonPhoneNumber},
    {MemberForm::kEMailAddresses, &Make<EMailAddressForm>, &IDatabaseManager::DeletePersonEMailAddress},
};
// clang-format on

const ContactList* ContactListOf(int32_t bit) {
    for (const ContactList& list : kContactLists)
        if (list.bit == bit)
            return &list;
    return nullptr;
}

QTreeWidgetItem* Selected(QTreeWidget* list) {
    return list->selectedItems().value(0);
}

int32_t SelectedID(QTreeWidget* list) {
    const QTreeWidgetItem* row = Selected(list);
    return row ? GetIDFromKey(row->data(0, kListKeyRole).toString()) : 0;
}

} // namespace

void MemberForm::List_DblClick(int32_t mask) {
    const ListControls& l = ListOf(mask);
    const QString procedure = l.list->objectName() + QStringLiteral("_DblClick()");
    if (mask == kFamilies || mask == kGroups) {
        OpenFamilyOrGroup(mask, procedure);
        return;
    }
    Handle(procedure, [&] {
        if (!Selected(l.list))
            return;
        const int32_t id = SelectedID(l.list);
        if (mask == kOfferings)
            OpenOffering(id);
        else
            OpenContactWindow(mask, id);
    });
}

void MemberForm::OpenContactWindow(int32_t mask, int32_t id) {
    const ContactList* contacts = ContactListOf(mask);
    if (!contacts)
        return;
    WindowBusy busy(this);
    const std::unique_ptr<ContactForm> form = contacts->make(this);
    form->SetID(id);
    form->SetPersonID(m_id);
    form->SetWindowLoader(WindowLoader());
    if (form->UpdateForm() <= 0)
        return;
    ModalRunner::Run(*form);
    if (form->Response() == 1)
        RefreshGrids(mask);
}

void MemberForm::OpenOffering(int32_t id) {
    // The offering window opens through the hub's loader, as the offering commands of the main window do.
    if (HubLoader()->ShowOfferingWindow(id, EnumOfferingWindowType::Individual) > 0)
        cboOfferingType_Click();
}

void MemberForm::OpenFamilyOrGroup(int32_t mask, const QString& procedure) {
    const bool family = mask == kFamilies;
    // A person window opened from a family window does not open a family window again (groups alike).
    if (m_parentForm == (family ? EnumFamilyGroup::Family : EnumFamilyGroup::Group))
        return;
    QTreeWidget* list = ListOf(mask).list;
    // Without an entry line, as the family and group windows' own commands.
    Support().Run(procedure, [&] {
        const QTreeWidgetItem* row = Selected(list);
        const int32_t id = SelectedID(list);
        if (!row || id == 0)
            return;
        const int position = list->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(row));
        if (family)
            HubLoader()->ShowFamilyWindow(id);
        else
            HubLoader()->ShowGroupWindow(id);
        WindowBusy busy(this);
        RefreshGrids(mask);
        if (QTreeWidgetItem* again = list->topLevelItem(position)) {
            list->setCurrentItem(again);
            again->setSelected(true);
        }
    });
}

void MemberForm::Toolbar_ButtonClick(int32_t mask, int position) {
    const ListControls& l = ListOf(mask);
    Handle(l.toolbar->objectName() + QStringLiteral("_ButtonClick()"), [&] {
        switch (position) {
        case 1:
            if (mask != kOfferings)
                OpenContactWindow(mask, 0);
            break;
        case 2:
            List_DblClick(mask);
            break;
        case 3:
            DeleteSelectedRow(mask);
            break;
        case 7:
            if (mask == kEMailAddresses)
                SendEMail();
            break;
        default:
            break;
        }
    });
}

void MemberForm::DeleteSelectedRow(int32_t mask) {
    QTreeWidget* list = ListOf(mask).list;
    QTreeWidgetItem* row = Selected(list);
    if (!row)
        return;
    const int32_t id = SelectedID(list);
    if (ShowMessage(res::kMsgConfirmDelete, MessageStyle::YesNo | MessageStyle::Question) != MessageResult::Yes)
        return;
    WindowBusy busy(this);
    const ContactList* contacts = ContactListOf(mask);
    const IDatabaseManagerPtr database = Database();
    const int32_t deleted = contacts ? (database.get()->*contacts->remove)(id) : database->DeletePersonOffering(id);
    // A refused delete (a built-in kind, a row already gone, a failure) leaves the list as it is.
    if (deleted <= 0)
        return;
    delete row;
    ClearListSelection(list);
    EnableToolbarButtons(mask);
}

void MemberForm::SendEMail() {
    const QTreeWidgetItem* row = Selected(lstvwEMailAddress);
    if (!row)
        return;
    // The address is the link's path (see MailToLink), so nothing in it can add headers or files.
    const QString address = AsString(row->text(1));
    if (!address.isEmpty())
        OpenMailTo(address);
}

} // namespace amb::windows
