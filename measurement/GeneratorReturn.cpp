#include "measurement/GeneratorReturn.h"

namespace velmora2 {

void GiveBackGenerator(const EngineHandle& engine, SweepListener& listener,
                       const FileSearchPlaces& tones, const UserGenerator& user) {
    if (user.signal.kind != SignalKind::WavFile) {
        if (const int loaded = engine.Ask(&CDSCapture::SetGeneratorSignal, 0, user.signal);
            loaded != 0)
            listener.OnToneRefused("The generator's signal", loaded);
    } else if (!FindGeneratorFile(user.file, tones)) {
        listener.OnToneMissing(user.file);
    } else if (const int loaded = engine.Ask(&CDSCapture::SetGeneratorFile, 0, user.file);
               loaded != 0) {
        listener.OnToneRefused(user.file, loaded);
    }
    // The sweep switched the generator on, and it stays on with the user's own sound.
    engine.Do(&CDSCapture::SetOutputs, user.leftShown, user.rightShown, true);
    engine.Do(&CDSCapture::SetGeneratorVolume, user.volume);
}

}  // namespace velmora2
