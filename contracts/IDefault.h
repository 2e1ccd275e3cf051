#pragma once

#include "platform/com/Object.h"

namespace amb {

// Marker contract without members.
class IDefault : public virtual platform::Object {
public:
    ~IDefault() override;
};

} // namespace amb
