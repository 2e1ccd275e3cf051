#pragma once

#include "common/HubLink.h"
#include "contracts/IApplication.h"
#include "contracts/IWindowLoader.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace amb::windows {

// The one way into the windows library: each Show...Window entry opens its form through OpenEntry
// (LoaderEntry.h), which creates it, hands it this loader, lets it fill itself, shows it modally, reads
// the outcome and destroys it. Setting the hub also gives the whole library its trace writer.
class WindowLoader : public IWindowLoader, public std::enable_shared_from_this<WindowLoader> {
public:
    WindowLoader();
    ~WindowLoader() override;
    WindowLoader(const WindowLoader&) = delete;
    WindowLoader& operator=(const WindowLoader&) = delete;

    IApplicationPtr AmbApplication() override;
    void SetAmbApplication(const IApplicationPtr& value) override;

    int32_t ShowBatchOfferingWindow() override;
    int32_t ShowBatchExpenseWindow() override;
    int32_t ShowOfferingWindow(int32_t n, EnumOfferingWindowType en) override;
    int32_t ShowExpenseWindow(int32_t n, EnumOfferingWindowType en) override;
    int32_t ShowFamilyWindow(int32_t n) override;
    int32_t ShowGroupWindow(int32_t n) override;
    int32_t ShowOptionWindow() override;
    int32_t ShowPersonWindow(int32_t n, EnumFamilyGroup enParentForm = EnumFamilyGroup::None,
                             int32_t nFamilyGroupID = 0) override;
    int32_t ShowReportWindow() override;
    int32_t ShowListWindow(EnumWindowType en) override;
    int32_t ShowLogInWindow() override;
    int32_t ShowChangePasswordWindow(const QString& sUsername, const QString& sOldPassword) override;
    int32_t ShowUserWindow(int32_t n) override;
    int32_t ShowNameWindow(EnumWindowType en, int32_t n) override;
    int32_t ShowSearchWindow(EnumSearchWindowType en, int32_t n) override;

private:
    // Behind ShowFamilyWindow and ShowGroupWindow: id 0 first starts a new family or group with its
    // head (FamilyGroupEntry.cpp); then the window on the id. Returns the id it opened, or -1.
    int32_t ShowFamilyGroupWindow(EnumFamilyGroup formType, int32_t id);
    int32_t NewFamilyGroup(EnumFamilyGroup formType);

    HubLink m_hub;
    QString m_sourceName;
};

} // namespace amb::windows
