// The start-up gates of the spin controls. Setting a spin's range and start position raises change
// notifications; a spin's handler ignores them until start-up has set that spin's gate.
#pragma once

#include <set>

namespace velmora2 {

class InitGates {
public:
    void Set(int spinId) { open_.insert(spinId); }
    bool IsSet(int spinId) const { return open_.count(spinId) != 0; }

private:
    std::set<int> open_;
};

}  // namespace velmora2
