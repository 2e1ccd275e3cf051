#include "windows/forms/familygroup/FamilyGroupWindow.h"

#include "windows/base/FormBase.h"
#include "windows/base/SaveFailure.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"

namespace amb::windows {

const FamilyGroupKind* FamilyGroupWindow::Kind() const {
    return FindFamilyGroupKind(formType);
}

IDatabaseManagerPtr FamilyGroupWindow::Database() const {
    return RequiredService(support.Hub()->DatabaseManager(), support.SourceName());
}

void FamilyGroupWindow::ShowSaveFailure() const {
    support.ShowMessageText(SaveFailureText(support.Hub(), &form));
}

} // namespace amb::windows
