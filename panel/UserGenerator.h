// What the user's generator plays, as the settings choose it: the generator's own signal, or
// else the WAV file. The front panel, the options and the end of a sweep all load it this way.
#pragma once

#include <string>

#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"
#include "records/GeneratorSignal.h"

namespace velmora2 {

inline bool PlaysOwnSignal(const GeneratorSignal& signal) {
    return signal.kind != SignalKind::WavFile;
}

// The load's result as CDSCapture::SetGeneratorFile or SetGeneratorSignal gives it.
int LoadUserGenerator(const EngineHandle& engine, const GeneratorSignal& signal,
                      const std::string& playwav);

// Tells the user when the load failed, naming the file or the signal.
void ReportUserGeneratorLoad(DialogServices& services, const GeneratorSignal& signal,
                             const std::string& playwav, int result);

}  // namespace velmora2
