#pragma once

#include <QString>

#include <cstdint>

namespace platform::registry {

// The two value types the system stores, with their Windows type numbers.
enum class ValueType : int32_t {
    String = 1, // REG_SZ
    DWord = 4,  // REG_DWORD
};

struct Value {
    ValueType type = ValueType::String;
    QString text;        // when type is String
    uint32_t number = 0; // when type is DWord
};

} // namespace platform::registry
