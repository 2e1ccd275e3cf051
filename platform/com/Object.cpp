#include "platform/com/Object.h"

namespace platform {

Object::~Object() = default;

} // namespace platform
