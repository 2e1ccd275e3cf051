#include "windows/forms/edit/EditForm.h"

namespace amb::windows {

EditForm::~EditForm() = default;

void EditForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(2);
        HideForm();
    });
}

} // namespace amb::windows
