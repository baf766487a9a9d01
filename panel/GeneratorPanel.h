// The generator output switch and its volume spin, whose volume it keeps. The switch looks the
// generator file up first: a file found nowhere opens the missing-file warning and leaves the
// generator as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"
#include "panel/InitGates.h"
#include "panel/OutputSwitches.h"
#include "records/GeneratorSignal.h"

namespace velmora2 {

class GeneratorPanel {
public:
    // The main window's state; all of it outlives the panel.
    struct Bindings {
        OutputSwitches& outputs;
        const std::string& playwav;
        const GeneratorSignal& signal;  // the generator's own signal, when it plays no file
        const std::filesystem::path& programDirectory;
        const InitGates& gates;
        EngineHandle engine;
    };

    GeneratorPanel(DialogView& view, DialogServices& services, const Bindings& bindings);

    // Shows the volume label ("-6dB" until the spin moves).
    void PushLabel();
    void OnGeneratorSwitch();
    // The change notification of a spin. Returns false when it is not the volume spin; a change
    // before the spin's gate is set is ignored.
    bool OnSpinChanged(int spinId);

    // A new engine: the volume, and the generator's file when the box is on (a file that can no
    // longer be played switches the box off and says why).
    void SendToEngine();

    // Hundredths of a dB.
    int32_t Volume() const { return volume_; }

private:
    void OnVolume();

    DialogView& view_;
    DialogServices& services_;
    Bindings state_;
    int32_t volume_ = -600;
    std::string volumeLabel_ = "-6dB";
};

}  // namespace velmora2
