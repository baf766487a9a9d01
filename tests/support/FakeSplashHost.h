// A splash host without a window: counts what the splash asks of it.
#pragma once

#include <vector>

#include "dialogs/CSplashWnd.h"

namespace velmora2::testing {

class FakeSplashHost final : public SplashHost {
public:
    bool Create() override {
        ++creates;
        return canCreate;
    }
    void StartTimer(int delayMs) override { timers.push_back(delayMs); }
    void Destroy() override { ++destroys; }

    bool canCreate = true;
    int creates = 0;
    int destroys = 0;
    std::vector<int> timers;
};

}  // namespace velmora2::testing
