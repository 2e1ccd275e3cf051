#pragma once

#include <cstdint>

namespace platform::registry {

// The Windows status codes that the registry calls return, with their Windows meaning.
namespace Status {
constexpr int32_t Success = 0;
constexpr int32_t FileNotFound = 2;  // no such key or value
constexpr int32_t AccessDenied = 5;  // the hive cannot be written, or a key with sub-keys is deleted
constexpr int32_t InvalidHandle = 6; // not an open key or a root
constexpr int32_t InvalidData = 13;  // the hive file is damaged; it is left untouched
constexpr int32_t OutOfMemory = 14;
constexpr int32_t BadPathname = 161;  // an empty part inside a sub-key path
constexpr int32_t CannotRead = 1012;  // the hive file exists but cannot be read
constexpr int32_t CannotWrite = 1013; // writing the hive failed (disk full, I/O error)
constexpr int32_t KeyDeleted = 1018;  // the open key was deleted meanwhile
constexpr int32_t InternalError = 1359;
constexpr int32_t UnsupportedType = 1630; // a text read as a number or a number read as a text
} // namespace Status

} // namespace platform::registry
