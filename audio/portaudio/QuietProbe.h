// Keeps the sound libraries' probe chatter (dozens of lines about absent cards and an absent
// sound server at every start) off the terminal while PortAudio starts and ends. The program's
// own lines are not touched. VELMORA2_DEBUG=1 lets the chatter through.
#pragma once

namespace velmora2 {

class QuietProbe {
public:
    QuietProbe();
    ~QuietProbe();
    QuietProbe(const QuietProbe&) = delete;
    QuietProbe& operator=(const QuietProbe&) = delete;

    // Whether VELMORA2_DEBUG asks for the chatter.
    static bool DebugRequested();

private:
    int savedStderr_ = -1;
};

}  // namespace velmora2
