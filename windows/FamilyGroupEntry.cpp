// The loader's family-or-group flow: a new family or group is saved together with its head's
// membership row, or not at all, by the OK of the window that asks for its name and head; then the
// window opens on the id.

#include "windows/WindowLoader.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"
#include "platform/data/Dictionary.h"
#include "windows/base/ActionScope.h"
#include "windows/base/FormBase.h"
#include "windows/base/MessageService.h"
#include "windows/base/ModalRunner.h"
#include "windows/base/SaveFailure.h"
#include "windows/forms/familygroup/AddOptionForm.h"
#include "windows/forms/familygroup/FamilyGroupForm.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"

#include <memory>

namespace amb::windows {

int32_t WindowLoader::ShowFamilyGroupWindow(EnumFamilyGroup formType, int32_t id) {
    WriteTraceLine(m_sourceName, QStringLiteral("ShowFamilyGroupWindow()"), QString(), 0);
    const int32_t shownID = id != 0 ? id : NewFamilyGroup(formType);
    if (shownID == -1 && id == 0)
        return -1;

    const auto form = std::make_unique<FamilyGroupForm>();
    form->SetID(shownID);
    if (FindFamilyGroupKind(formType))
        form->SetFormType(formType);
    form->SetWindowLoader(shared_from_this());
    if (form->UpdateForm() > 0)
        ModalRunner::Run(*form);
    // The id it was opened with, whatever the user did there.
    return shownID;
}

int32_t WindowLoader::NewFamilyGroup(EnumFamilyGroup formType) {
    const FamilyGroupKind* kind = FindFamilyGroupKind(formType);
    if (!kind)
        return -1;
    int32_t newID = -1;
    const auto add = std::make_unique<AddOptionForm>();
    add->SetWindowLoader(shared_from_this());
    add->SetFamilyGroupType(formType);
    // The window's OK saves; a refusal keeps it open with what was typed.
    add->SetSave([&] {
        const bool existing = add->IsExistingPersonChosen();
        // With neither option picked the head is a new person too.
        const int32_t personID = existing ? add->PersonID() : ShowPersonWindow(0, EnumFamilyGroup::None, 0);
        if (personID <= 0)
            return false;
        const IApplicationPtr hub = RequiredService(m_hub.Hub(), m_sourceName);
        const IDatabaseManagerPtr database = RequiredService(hub->DatabaseManager(), m_sourceName);
        auto record = std::make_shared<platform::Dictionary>();
        record->SetItem(QStringLiteral("ID"), 0);
        record->SetItem(QStringLiteral("Name"), add->NameText());
        if (kind->hasGroupType)
            record->SetItem(QStringLiteral("GroupTypeID"), 1);
        // Stored with its head's membership, or not at all.
        record->SetItem(IDatabaseManager::kHeadKey, personID);
        newID = (database.get()->*kind->save)(record);
        if (newID > 0)
            return true;
        const QString title = LoadResString(hub, kind->newTitle);
        if (existing) {
            MessageService::Show(add.get(), SaveFailureText(hub, add.get()), title, MessageStyle::Information);
            return false;
        }
        // The new head is stored: the window keeps that person as the head, so that the next OK makes
        // the family or group without a second person.
        MessageService::Show(add.get(),
                             LoadResString(hub, res::kMsgHeadWithoutFamily)
                                 .arg(LoadResString(hub, MembershipCausePhrase(database->LastFailure()))),
                             title, MessageStyle::Exclamation);
        // One message for the one OK: the person's name that a lock keeps from being read stays quiet.
        ActionScope::MarkReadFailureTold(add.get());
        add->ChoosePerson(personID);
        return false;
    });
    if (add->UpdateForm() > 0)
        ModalRunner::Run(*add);
    return add->Response() == FormResponse::OK ? newID : -1;
}

} // namespace amb::windows
