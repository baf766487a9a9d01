// Timer 1 of the main window, which the recording limit and the network sweep share: set with its
// id kept, set again for a sweep's next step without taking the id, and killed by the id kept.
#pragma once

#include "dialogs/DialogView.h"

namespace velmora2 {

class WindowTimer {
public:
    WindowTimer(DialogServices& services, int timerId) : services_(services), timerId_(timerId) {}

    void Set(int periodMs) { storedId_ = services_.SetTimer(timerId_, periodMs); }
    void SetAgain(int periodMs) { services_.SetTimer(timerId_, periodMs); }
    // Nothing before the first Set: no id is kept yet.
    void Kill() { services_.KillTimer(storedId_); }
    int StoredId() const { return storedId_; }

private:
    DialogServices& services_;
    const int timerId_;
    int storedId_ = 0;
};

}  // namespace velmora2
