// The stepped network sweep: the generator plays one tone file per point of the sweep table, each
// for one period, and the engine measures the right input against the left at each (after its
// settling records). The tick after the last point ends the sweep: the engine shows the network
// plot and the generator goes back to the user's own tone.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/EngineHandle.h"
#include "measurement/SweepMethod.h"
#include "platform/GeneratorFileSearch.h"
#include "settings/SettingsRecord.h"

namespace velmora2 {

// What a stepped sweep reads when it starts: the tone list and its period, and what it gives
// back at its end.
struct SteppedSweepPlan {
    int32_t points = 18;           // WAVN: chooses the tone list
    int sampleRate = 48000;        // the active rate: chooses the list's column and the file names
    int32_t periodMs = 500;        // one tone's time
    int32_t averagingLength = 50;  // MAXAVEN, handed on while averaging is off for the sweep
    int32_t recordLength = 2048;   // FFTN, the record length after the sweep
    // The user's generator, given back at the end.
    std::string generatorFile = "sin1k.wav";  // PLAYWAV
    GeneratorSignal generatorSignal;          // played instead of the file unless a WAV file
    int32_t generatorVolume = -600;           // hundredths of a dB
    bool leftShown = true;
    bool rightShown = true;
};

// The plan of a sweep started now: the settings' tone list, period, averaging length, record
// length and generator file, with the front panel's generator volume and trace switches.
SteppedSweepPlan PlanFromSettings(const SettingsRecord& settings, int32_t generatorVolume = -600,
                                  bool leftShown = true, bool rightShown = true);

class SteppedSweep final : public SweepMethod {
public:
    // The first tick follows a Start this soon.
    static constexpr int kStartDelayMs = 10;
    // Record length of a sweep: one frame is one captured block.
    static constexpr int32_t kRecordLength = 2048;

    // Without an engine the sweep only steps through its tones; tone files are looked up in
    // `tones`.
    SteppedSweep(EngineHandle engine, SweepListener& listener,
                 std::function<SteppedSweepPlan()> plan, FileSearchPlaces tones);

    void ClearResults() override;
    int Start() override;
    std::optional<int> Tick() override;
    // Whether a sweep runs, and the point playing (-1 before the first tick).
    bool Running() const override { return running_; }
    int Index() const { return index_; }

private:
    // Plays a point's tone and starts measuring it; false when the sweep must end.
    bool PlayTone(const std::string& name);
    void End();

    const EngineHandle engine_;
    SweepListener& listener_;
    const std::function<SteppedSweepPlan()> planOf_;
    const FileSearchPlaces tones_;
    SteppedSweepPlan plan_;
    bool running_ = false;
    int index_ = -1;
};

}  // namespace velmora2
