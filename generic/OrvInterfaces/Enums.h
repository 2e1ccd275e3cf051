#pragma once

#include <cstdint>

namespace orv {

// The values are the Windows predefined root handles; the registry layer takes them unchanged.
enum class EnumRootKey : int32_t {
    HKEY_LOCAL_MACHINE = static_cast<int32_t>(0x80000002u),
    HKEY_CURRENT_USER = static_cast<int32_t>(0x80000001u),
    HKEY_CLASSES_ROOT = static_cast<int32_t>(0x80000000u),
};

enum class EnumObjectType : int32_t {
    Collection = 0,
    Dictionary = 1,
    FileSystemObject = 2,
};

} // namespace orv
