// The sample data of a WAV file opened as a capture source: 16-bit PCM, mono or stereo, at one of
// the instrument's rates, read in order as stereo frames (a mono file feeds both inputs). Every
// refusal is one line that names the file and what is wrong with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio/WaveFormat.h"
#include "wav/ByteFile.h"

namespace velmora2 {

class WavInput {
public:
    static constexpr int kFrameBytes = 4;  // one stereo frame as the capture delivers it

    // Opens the file and checks it. Null, with `error` set, when it cannot be captured.
    static std::unique_ptr<WavInput> Open(const std::string& path, std::string& error);
    // The same for the bytes of a source; `name` is what messages call it.
    static std::unique_ptr<WavInput> FromSource(std::unique_ptr<ByteSource> source,
                                                const std::string& name, std::string& error);

    const std::string& Name() const { return name_; }
    int SampleRate() const { return static_cast<int>(format_.sampleRate); }
    int Channels() const { return format_.channels; }
    // Whole frames in the data chunk; a trailing partial frame is never read.
    uint64_t Frames() const { return frames_; }

    // Reads up to `frames` stereo frames at the current position into out (kFrameBytes each,
    // left then right, little-endian). Returns the frames read: fewer at the end of the data,
    // 0 once it is exhausted or the file cannot be read any more.
    size_t ReadFrames(uint8_t* out, size_t frames);
    // Back to the first frame (for looping).
    void Rewind() { position_ = 0; }

private:
    WavInput(std::unique_ptr<ByteSource> source, std::string name, const WaveFormat& format,
             uint64_t dataOffset, uint64_t frames);

    std::unique_ptr<ByteSource> source_;
    std::string name_;
    WaveFormat format_;
    uint64_t dataOffset_;
    uint64_t frames_;
    uint64_t position_ = 0;  // next frame
};

}  // namespace velmora2
