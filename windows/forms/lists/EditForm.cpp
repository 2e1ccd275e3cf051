#include "windows/forms/lists/EditForm.h"

#include "common/ResourceIDs.h"

namespace amb::windows {

EditForm::~EditForm() = default;

bool EditForm::Refuse(int32_t text, QWidget* box) {
    ShowMessage(text);
    box->setFocus();
    return false;
}

bool EditForm::Save(const std::function<int32_t()>& update, int32_t& result) {
    WindowBusy busy(this);
    const int32_t saved = update();
    busy.End();
    if (saved < 0) {
        ShowMessage(res::kMsgSaveFailed);
        return false;
    }
    result = saved;
    return true;
}

void EditForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(2);
        HideForm();
    });
}

} // namespace amb::windows
