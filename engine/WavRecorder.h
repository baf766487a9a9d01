// The recorder: writes every captured block to the lowest-numbered RECORDnn.wav that does not
// exist yet in the program's directory. Start and stop come from the user-interface thread, the
// blocks from the worker; one mutex covers all of them and the file name the pictures show, so a
// stop never overlaps a block write. The header's sizes follow every block, so the file on disk
// is always a complete WAV file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "wav/ByteFile.h"
#include "wav/WavWriter.h"

namespace velmora2 {

struct RecordingInfo {
    bool open = false;
    int fileNumber = -1;   // the file being written (or last written); -1 before the first
    std::string fileName;  // "RECORDnn.wav"
};

// What the worker shows in the picture for one block: a fixed buffer, so that taking it never
// allocates.
struct RecordingNotice {
    bool active = false;
    // The recorder ended the recording in fileName because it was full; kept until the next
    // recording starts.
    bool full = false;
    std::array<char, 16> fileName{};  // NUL-terminated
    // Where the file is, when not beside the program ("~/.local/share/velmora2"); else empty.
    std::array<char, 64> directory{};  // NUL-terminated
};

// The recordings directory as the picture names it: empty when it is the program's own, the home
// directory written "~", and a path too long for the notice cut to ".../" and its last parts.
std::string ShownRecordingsDirectory(const std::filesystem::path& directory,
                                     const std::filesystem::path& programDirectory,
                                     const std::string& home);

// What a recording came to when it ended, for its end line.
struct FinishedRecording {
    std::filesystem::path path;
    double seconds = 0.0;  // of sound in the file
    std::string reason;    // why it ended: "stopped", "no space left on device", ...
};

// The line written when a recording ends: the file, why it ended and its length, and how many
// blocks of input were lost while it was open (the file then has gaps where they belong).
std::string RecordingEndLine(const FinishedRecording& recording, uint64_t lostBlocks);

// Why the recorder ended a recording by itself.
enum class RecordingEnd {
    WriteFailed,  // a block could not be written
    Full,         // the next block would have passed the size limit
};

class WavRecorder {
public:
    static constexpr int kFileCount = 100;
    static constexpr int kFormatRecordBytes = 18;
    // Creates a new file (never replacing one); empty when it cannot.
    using FileOpener = std::function<std::unique_ptr<ByteFile>(const std::filesystem::path&)>;

    // shownDirectory: what the picture's notice names the directory (ShownRecordingsDirectory).
    WavRecorder(std::filesystem::path directory, int sampleRate,
                const std::string& shownDirectory = {});
    // Finishes an open recording.
    ~WavRecorder();
    WavRecorder(const WavRecorder&) = delete;
    WavRecorder& operator=(const WavRecorder&) = delete;

    // Tests: another way to create the files, and a smaller limit than the 32-bit RIFF size.
    void SetFileOpener(FileOpener opener);
    void SetDataLimit(uint64_t bytes);
    // Called on the worker, once a recording, when the recorder ends it by itself; the file is
    // then already finished.
    using EndHandler = std::function<void(int fileNumber, RecordingEnd why)>;
    void SetEndHandler(EndHandler handler);

    // 18 (the bytes of the format record) when a recording was opened; -1 when one is already
    // open, all 100 names exist, or the file or its header cannot be written (no file is left).
    int Start();
    // Finishes and closes the open recording, for `reason`; nothing happens when none is open.
    std::optional<FinishedRecording> Stop(std::string reason = "stopped");
    RecordingInfo Info() const;

    // Worker: appends one block to the open recording and says what the picture shows. A block
    // that would pass the size limit ends the recording instead, as full; a block that cannot be
    // written ends it too. Returns the recording it ended.
    std::optional<FinishedRecording> HandOff(const uint8_t* block, size_t bytes,
                                             RecordingNotice& notice);

private:
    static std::string FileName(int number);
    std::optional<FinishedRecording> FinishLocked(std::string reason);

    const std::filesystem::path directory_;
    const int sampleRate_;
    mutable std::mutex mutex_;
    FileOpener opener_;
    uint64_t dataLimit_ = WavWriter::kMaxDataBytes;
    EndHandler endHandler_;
    std::unique_ptr<WavWriter> writer_;  // set while a recording is open
    int fileNumber_ = -1;
    RecordingNotice notice_;
};

}  // namespace velmora2
