#include "generic/OrvRegistry/Manager.h"

#include "platform/com/ComponentServer.h"
#include "platform/com/Guard.h"
#include "platform/registry/Registry.h"

namespace orv::registry {

namespace reg = platform::registry;
using platform::com::Guarded;

namespace {
constexpr int32_t Failure = -1;
}

Manager::~Manager() {
    CloseOpenKey();
}

void Manager::CloseOpenKey() {
    if (m_openKey > 0)
        reg::CloseKey(m_openKey);
    m_openKey = 0;
}

int32_t Manager::CloseKey() {
    return Guarded(Failure, [&] {
        const int32_t status = reg::CloseKey(m_openKey);
        m_openKey = 0;
        return status;
    });
}

// The status tells the caller whether a key is open now; with none, the value calls refuse.
int32_t Manager::CreateKey(EnumRootKey lngRootKey, const QString& strSubKey) {
    return Guarded(Failure, [&] {
        CloseOpenKey();
        return reg::CreateKey(static_cast<reg::Key>(lngRootKey), strSubKey, m_openKey);
    });
}

// Deleting keys is not offered to callers: nothing in the system removes its settings.
int32_t Manager::DeleteKey(EnumRootKey, const QString&) {
    return 0;
}

int32_t Manager::OpenKey(EnumRootKey lngRootKey, const QString& strSubKey) {
    return Guarded(Failure, [&] {
        CloseOpenKey();
        return reg::OpenKey(static_cast<reg::Key>(lngRootKey), strSubKey, m_openKey);
    });
}

int32_t Manager::GetStringValue(const QString& strValueName, QString& strValue) {
    return Guarded(Failure, [&] {
        if (m_openKey <= 0)
            return reg::Status::InvalidHandle;
        strValue.clear();
        QString text;
        const int32_t status = reg::QueryString(m_openKey, strValueName, text);
        if (status == reg::Status::Success)
            strValue = text.left(text.indexOf(QChar(u'\0'))); // a text ends at its first NUL
        return status;
    });
}

int32_t Manager::SetStringValue(const QString& strValueName, const QString& strValue) {
    return Guarded(Failure, [&] {
        if (m_openKey <= 0)
            return reg::Status::InvalidHandle;
        return reg::SetString(m_openKey, strValueName, strValue);
    });
}

int32_t Manager::GetIntegerValue(const QString& strValueName, int32_t& lngValue) {
    return Guarded(Failure, [&] {
        if (m_openKey <= 0)
            return reg::Status::InvalidHandle;
        uint32_t number = 0;
        const int32_t status = reg::QueryDWord(m_openKey, strValueName, number);
        lngValue = status == reg::Status::Success ? static_cast<int32_t>(number) : 0;
        return status;
    });
}

int32_t Manager::SetIntegerValue(const QString& strValueName, int32_t lngValue) {
    return Guarded(Failure, [&] {
        if (m_openKey <= 0)
            return reg::Status::InvalidHandle;
        return reg::SetDWord(m_openKey, strValueName, static_cast<uint32_t>(lngValue));
    });
}

} // namespace orv::registry

namespace {
const platform::com::ClassEntry Classes[] = {
    {"OrvRegistry.Manager", "{8EF1CAE7-679A-408B-845A-9A0224800C67}",
     &platform::com::MakeObject<orv::registry::Manager>},
};
} // namespace

AMB_COMPONENT_SERVER(Classes)
