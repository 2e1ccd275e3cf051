#pragma once

#include <memory>

namespace platform {

// Base of every object that crosses a library boundary (contracts, result sets, dictionaries).
// Its key function lives in PlatformCom so its type information is one across all libraries.
class Object {
public:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object();
};

using ObjectPtr = std::shared_ptr<Object>;

} // namespace platform
