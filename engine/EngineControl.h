// The control record shared by the user-interface thread and the worker: the user interface
// changes it under a short lock; the worker copies it (and takes the pending requests) once at the
// start of every block, so one block always sees one consistent set of settings.
#pragma once

#include <mutex>

#include "engine/WorkerRequests.h"
#include "records/RuntimeState.h"

namespace velmora2 {

class EngineControl {
public:
    // Runs change(state, requests) under the lock.
    template <typename Change>
    void Update(Change&& change) {
        std::lock_guard lock(mutex_);
        change(state_, requests_);
    }

    // Runs look(state) under the lock: one field without copying the record.
    template <typename Look>
    void Inspect(Look&& look) const {
        std::lock_guard lock(mutex_);
        look(state_);
    }

    // A copy of the current settings (for the user interface and tests).
    RuntimeState Read() const {
        std::lock_guard lock(mutex_);
        return state_;
    }

    // Worker side: copies the settings into snapshot (reusing its string storage) and takes the
    // pending requests, leaving none behind.
    void TakeSnapshot(RuntimeState& snapshot, WorkerRequests& requests) {
        std::lock_guard lock(mutex_);
        snapshot = state_;
        requests = requests_;
        requests_ = WorkerRequests{};
    }

private:
    mutable std::mutex mutex_;
    RuntimeState state_;
    WorkerRequests requests_;
};

}  // namespace velmora2
