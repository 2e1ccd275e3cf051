#include "windows/forms/edit/EditForm.h"

namespace amb::windows {

EditForm::~EditForm() = default;

void EditForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        HideForm();
    });
}

} // namespace amb::windows
