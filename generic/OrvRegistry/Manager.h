#pragma once

#include "generic/OrvInterfaces/IRegistryManager.h"

namespace orv::registry {

// The registry component: one open key at a time, shared by the whole program.
class Manager final : public IRegistryManager {
public:
    Manager() = default;
    ~Manager() override;
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    int32_t CloseKey() override;
    int32_t CreateKey(EnumRootKey lngRootKey, const QString& strSubKey) override;
    int32_t DeleteKey(EnumRootKey lngRootKey, const QString& strSubKey) override;
    int32_t OpenKey(EnumRootKey lngRootKey, const QString& strSubKey) override;
    int32_t GetStringValue(const QString& strValueName, QString& strValue) override;
    int32_t SetStringValue(const QString& strValueName, const QString& strValue) override;
    int32_t GetIntegerValue(const QString& strValueName, int32_t& lngValue) override;
    int32_t SetIntegerValue(const QString& strValueName, int32_t lngValue) override;

private:
    void CloseOpenKey();

    int32_t m_openKey = 0;
};

} // namespace orv::registry
