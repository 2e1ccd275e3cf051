#pragma once

#include <utility>

namespace platform::com {

// Runs a contract member's body so that no exception leaves it: any failure gives `failure`.
// Components that log their failures use their own helper; this one is for those that write nothing.
template <typename Result, typename Body> Result Guarded(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

} // namespace platform::com
