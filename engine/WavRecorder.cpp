#include "engine/WavRecorder.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <system_error>

namespace velmora2 {

namespace fs = std::filesystem;

namespace {

// Why a block could not be written, in the words of the system ("no space left on device").
std::string WriteFailure(int error) {
    if (error == 0) return "a block could not be written";
    std::string words = std::error_code(error, std::generic_category()).message();
    if (!words.empty())
        words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
    return words;
}

}  // namespace

WavRecorder::WavRecorder(fs::path directory, int sampleRate, const std::string& shownDirectory)
    : directory_(std::move(directory)),
      sampleRate_(sampleRate),
      opener_([](const fs::path& path) { return CreateByteFile(path, CreateMode::NewOnly); }) {
    std::snprintf(notice_.directory.data(), notice_.directory.size(), "%s", shownDirectory.c_str());
}

std::string ShownRecordingsDirectory(const fs::path& directory, const fs::path& programDirectory,
                                     const std::string& home) {
    if (directory.empty() || directory == programDirectory) return {};
    std::string shown = directory.string();
    if (!home.empty() && (shown == home || shown.rfind(home + "/", 0) == 0))
        shown = "~" + shown.substr(home.size());
    constexpr size_t kLongest = sizeof(RecordingNotice{}.directory) - 1;
    if (shown.size() <= kLongest) return shown;
    // The last parts of the path that fit after ".../", cut at a separator.
    const size_t keep = kLongest - 4;
    const size_t separator = shown.find('/', shown.size() - keep);
    return ".../" +
           shown.substr(separator == std::string::npos ? shown.size() - keep : separator + 1);
}

WavRecorder::~WavRecorder() {
    Stop("the engine stopped");
}

void WavRecorder::SetFileOpener(FileOpener opener) {
    std::lock_guard lock(mutex_);
    opener_ = std::move(opener);
}

void WavRecorder::SetDataLimit(uint64_t bytes) {
    std::lock_guard lock(mutex_);
    dataLimit_ = std::min(bytes, WavWriter::kMaxDataBytes);
}

void WavRecorder::SetEndHandler(EndHandler handler) {
    std::lock_guard lock(mutex_);
    endHandler_ = std::move(handler);
}

std::string WavRecorder::FileName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "RECORD%02d.wav", number);
    return name;
}

int WavRecorder::Start() {
    std::lock_guard lock(mutex_);
    if (writer_) return -1;
    std::error_code error;
    // The recordings directory of a locked install may not exist yet; a failure shows below.
    fs::create_directories(directory_, error);
    for (int number = 0; number < kFileCount; ++number) {
        const fs::path path = directory_ / FileName(number);
        // A dangling link or anything else of that name is left alone, like a file.
        if (fs::symlink_status(path, error).type() != fs::file_type::not_found) continue;
        std::unique_ptr<ByteFile> file = opener_(path);
        if (!file) return -1;
        auto writer = std::make_unique<WavWriter>(std::move(file));
        if (!writer->WriteHeader(WaveFormat::StereoPcm16(static_cast<uint32_t>(sampleRate_)))) {
            writer.reset();
            fs::remove(path, error);
            return -1;
        }
        writer_ = std::move(writer);
        fileNumber_ = number;
        notice_.active = true;
        notice_.full = false;
        std::snprintf(notice_.fileName.data(), notice_.fileName.size(), "%s",
                      FileName(number).c_str());
        return kFormatRecordBytes;
    }
    return -1;
}

std::optional<FinishedRecording> WavRecorder::FinishLocked(std::string reason) {
    if (!writer_) return std::nullopt;
    constexpr int kFrameBytes = 4;  // 16-bit stereo
    FinishedRecording finished{directory_ / FileName(fileNumber_),
                               static_cast<double>(writer_->DataBytes()) /
                                   (static_cast<double>(sampleRate_) * kFrameBytes),
                               std::move(reason)};
    writer_->Finish();
    writer_.reset();
    notice_.active = false;
    return finished;
}

std::optional<FinishedRecording> WavRecorder::Stop(std::string reason) {
    std::lock_guard lock(mutex_);
    return FinishLocked(std::move(reason));
}

RecordingInfo WavRecorder::Info() const {
    std::lock_guard lock(mutex_);
    RecordingInfo info;
    info.open = writer_ != nullptr;
    info.fileNumber = fileNumber_;
    if (fileNumber_ >= 0) info.fileName = FileName(fileNumber_);
    return info;
}

std::optional<FinishedRecording> WavRecorder::HandOff(const uint8_t* block, size_t bytes,
                                                      RecordingNotice& notice) {
    std::optional<RecordingEnd> ended;
    std::optional<FinishedRecording> finished;
    EndHandler handler;
    int endedNumber = -1;
    {
        std::lock_guard lock(mutex_);
        if (writer_) {
            std::string reason;
            if (bytes > dataLimit_ - writer_->DataBytes()) {
                ended = RecordingEnd::Full;  // ends, valid, before the RIFF size would pass 4 GiB
                reason = "the file is full (4 GiB)";
            } else if (!writer_->Append(block, bytes) || !writer_->WriteSizes()) {
                ended = RecordingEnd::WriteFailed;
                reason = WriteFailure(writer_->LastError());
            }
            if (ended) {
                finished = FinishLocked(std::move(reason));
                notice_.full = *ended == RecordingEnd::Full;
                handler = endHandler_;
                endedNumber = fileNumber_;
            }
        }
        notice = notice_;
    }
    if (ended && handler) handler(endedNumber, *ended);
    return finished;
}

std::string RecordingEndLine(const FinishedRecording& recording, uint64_t lostBlocks) {
    char length[32];
    std::snprintf(length, sizeof length, "%.2f s", recording.seconds);
    std::string line =
        "recorder: " + recording.path.string() + " finished (" + recording.reason + "), " + length;
    if (lostBlocks > 0) {
        line += "; " + std::to_string(lostBlocks) + (lostBlocks == 1 ? " block" : " blocks") +
                " of input lost while recording, missing from the file";
    }
    return line + "\n";
}

}  // namespace velmora2
