// The loader's family-or-group flow: a new family or group is saved together with its head's
// membership row, or not at all; then the window opens on the id.

#include "windows/WindowLoader.h"

#include "common/GlobalModule.h"
#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"
#include "platform/data/Dictionary.h"
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
    QString name;
    int32_t personID = 0;
    {
        const auto add = std::make_unique<AddOptionForm>();
        add->SetWindowLoader(shared_from_this());
        add->SetFamilyGroupType(formType);
        if (add->UpdateForm() > 0) {
            ModalRunner::Run(*add);
            if (add->Response() == FormResponse::OK) {
                name = add->NameText();
                // With neither option picked the head is a new person too.
                personID =
                    add->IsExistingPersonChosen() ? add->PersonID() : ShowPersonWindow(0, EnumFamilyGroup::None, 0);
            }
        }
    }
    const FamilyGroupKind* kind = FindFamilyGroupKind(formType);
    if (personID <= 0 || !kind)
        return -1;

    const IApplicationPtr hub = RequiredService(m_hub.Hub(), m_sourceName);
    const IDatabaseManagerPtr database = RequiredService(hub->DatabaseManager(), m_sourceName);
    const auto refused = [&] {
        MessageService::Show(nullptr, SaveFailureText(hub), LoadResString(hub, kind->newTitle),
                             MessageStyle::Information);
        return int32_t{-1};
    };

    auto record = std::make_shared<platform::Dictionary>();
    record->SetItem(QStringLiteral("ID"), 0);
    record->SetItem(QStringLiteral("Name"), name);
    if (kind->hasGroupType)
        record->SetItem(QStringLiteral("GroupTypeID"), 1);
    const int32_t newID = (database.get()->*kind->save)(record);
    if (newID < 1)
        return refused();

    record->RemoveAll();
    record->SetItem(QStringLiteral("ID"), 0);
    record->SetItem(QStringLiteral("PersonID"), personID);
    record->SetItem(QString::fromLatin1(kind->ownerKey), newID);
    record->SetItem(QString::fromLatin1(kind->headFlag), true);
    record->SetItem(QString::fromLatin1(kind->role), QString());
    const int32_t link = (database.get()->*kind->saveMember)(record);
    record->RemoveAll();
    if (link < 1) {
        // A family or group exists only with its head; the person chosen or created stays.
        (database.get()->*kind->remove)(newID);
        return refused();
    }
    return newID;
}

} // namespace amb::windows
