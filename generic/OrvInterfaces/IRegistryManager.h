#pragma once

#include "generic/OrvInterfaces/Enums.h"
#include "platform/com/Object.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace orv {

// Reads and writes settings in the registry, one open key at a time.
class IRegistryManager : public virtual platform::Object {
public:
    ~IRegistryManager() override;

    virtual int32_t CloseKey() = 0;
    virtual int32_t CreateKey(EnumRootKey lngRootKey, const QString& strSubKey) = 0;
    virtual int32_t DeleteKey(EnumRootKey lngRootKey, const QString& strSubKey) = 0;
    virtual int32_t OpenKey(EnumRootKey lngRootKey, const QString& strSubKey) = 0;
    virtual int32_t GetStringValue(const QString& strValueName, QString& strValue) = 0;
    virtual int32_t SetStringValue(const QString& strValueName, const QString& strValue) = 0;
    virtual int32_t GetIntegerValue(const QString& strValueName, int32_t& lngValue) = 0;
    virtual int32_t SetIntegerValue(const QString& strValueName, int32_t lngValue) = 0;
};

using IRegistryManagerPtr = std::shared_ptr<IRegistryManager>;

} // namespace orv
