#pragma once

#include "windows/base/FormBase.h"

#include <cstdint>
#include <functional>

namespace amb::windows {

// The steps that the name, user and change-password windows share: a refused check, the save with
// its failure message, and Cancel.
class EditForm : public FormBase {
    Q_OBJECT

public:
    using FormBase::FormBase;
    ~EditForm() override;

protected:
    // A failed check: the message of `text`, the focus on `box`, false.
    bool Refuse(int32_t text, QWidget* box);
    // Runs `update` with the window busy. A result below 0 shows the save-failed message and gives
    // false; otherwise `result` holds it.
    bool Save(const std::function<int32_t()>& update, int32_t& result);
    // Cancel: nothing saved, Response 2, the window hides.
    void cmdCancel_Click();
};

} // namespace amb::windows
