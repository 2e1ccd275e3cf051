#pragma once

#include "windows/base/FormBase.h"

#include <cstdint>
#include <functional>

namespace amb::windows {

// The Cancel that the name, user and change-password windows share (refused checks and the save are
// the window base's Refuse and Save).
class EditForm : public FormBase {
    Q_OBJECT

public:
    using FormBase::FormBase;
    ~EditForm() override;

protected:
    // Cancel: nothing saved, Response 2, the window hides.
    void cmdCancel_Click();
};

} // namespace amb::windows
