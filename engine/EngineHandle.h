// The running engine as the front panel, the options and the measurement methods reach it: an
// operation goes to the engine there is at the time of the call, and nowhere once it is gone (the
// sound device was lost, or the window closed). The owner keeps the engine itself.
#pragma once

#include <memory>
#include <utility>

#include "engine/CDSCapture.h"

namespace velmora2 {

class EngineHandle {
public:
    // Not explicit: a panel's bindings take the owner's pointer as it stands.
    EngineHandle(const std::unique_ptr<CDSCapture>& engine) : engine_(engine) {}  // NOLINT

    // Calls `operation` with `args` on the engine; nothing without one.
    template <class Result, class... Params, class... Args>
    void Do(Result (CDSCapture::*operation)(Params...), Args&&... args) const {
        if (engine_) (engine_.get()->*operation)(std::forward<Args>(args)...);
    }
    // The result of `operation`, or `otherwise` without an engine.
    template <class Result, class... Params, class... Args>
    Result Ask(Result (CDSCapture::*operation)(Params...), Result otherwise, Args&&... args) const {
        return engine_ ? (engine_.get()->*operation)(std::forward<Args>(args)...) : otherwise;
    }
    template <class Result>
    Result Ask(Result (CDSCapture::*observation)() const, Result otherwise) const {
        return engine_ ? (engine_.get()->*observation)() : otherwise;
    }

    explicit operator bool() const { return engine_ != nullptr; }

private:
    const std::unique_ptr<CDSCapture>& engine_;
};

}  // namespace velmora2
