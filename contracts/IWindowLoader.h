#pragma once

#include "contracts/Enums.h"
#include "contracts/IApplication.h"
#include "platform/com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace amb {

// Opens the editing windows modally. Each Show...Window returns when its window closes: -1 when the
// user cancelled, otherwise 1 or the id of the record the window saved.
class IWindowLoader : public virtual platform::Object {
public:
    ~IWindowLoader() override;

    virtual IApplicationPtr AmbApplication() = 0;
    virtual void SetAmbApplication(const IApplicationPtr& value) = 0;

    virtual int32_t ShowBatchOfferingWindow() = 0;
    virtual int32_t ShowBatchExpenseWindow() = 0;
    virtual int32_t ShowOfferingWindow(int32_t n, EnumOfferingWindowType en) = 0;
    virtual int32_t ShowExpenseWindow(int32_t n, EnumOfferingWindowType en) = 0;
    virtual int32_t ShowFamilyWindow(int32_t n) = 0;
    virtual int32_t ShowGroupWindow(int32_t n) = 0;
    virtual int32_t ShowOptionWindow() = 0;
    virtual int32_t ShowPersonWindow(int32_t n, EnumFamilyGroup enParentForm = EnumFamilyGroup::None,
                                     int32_t nFamilyGroupID = 0) = 0;
    virtual int32_t ShowReportWindow() = 0;
    virtual int32_t ShowListWindow(EnumWindowType en) = 0;
    virtual int32_t ShowLogInWindow() = 0;
    virtual int32_t ShowChangePasswordWindow(const QString& sUsername, const QString& sOldPassword) = 0;
    virtual int32_t ShowUserWindow(int32_t n) = 0;
    virtual int32_t ShowNameWindow(EnumWindowType en, int32_t n) = 0;
    virtual int32_t ShowSearchWindow(EnumSearchWindowType en, int32_t n) = 0;
};

} // namespace amb
