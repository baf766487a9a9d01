#include "engine/WavRecorder.h"

#include <cstdio>
#include <optional>
#include <system_error>

namespace velmora2 {

namespace fs = std::filesystem;

WavRecorder::WavRecorder(fs::path directory, int sampleRate)
    : directory_(std::move(directory)),
      sampleRate_(sampleRate),
      opener_([](const fs::path& path) { return CreateByteFile(path, CreateMode::NewOnly); }) {}

WavRecorder::~WavRecorder() {
    Stop();
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

void WavRecorder::FinishLocked() {
    if (!writer_) return;
    writer_->Finish();
    writer_.reset();
    notice_.active = false;
}

void WavRecorder::Stop() {
    std::lock_guard lock(mutex_);
    FinishLocked();
}

RecordingInfo WavRecorder::Info() const {
    std::lock_guard lock(mutex_);
    RecordingInfo info;
    info.open = writer_ != nullptr;
    info.fileNumber = fileNumber_;
    if (fileNumber_ >= 0) info.fileName = FileName(fileNumber_);
    return info;
}

void WavRecorder::HandOff(const uint8_t* block, size_t bytes, RecordingNotice& notice) {
    std::optional<RecordingEnd> ended;
    EndHandler handler;
    int endedNumber = -1;
    {
        std::lock_guard lock(mutex_);
        if (writer_) {
            if (bytes > dataLimit_ - writer_->DataBytes())
                ended = RecordingEnd::Full;  // ends, valid, before the RIFF size would pass 4 GiB
            else if (!writer_->Append(block, bytes) || !writer_->WriteSizes())
                ended = RecordingEnd::WriteFailed;
            if (ended) {
                FinishLocked();
                notice_.full = *ended == RecordingEnd::Full;
                handler = endHandler_;
                endedNumber = fileNumber_;
            }
        }
        notice = notice_;
    }
    if (ended && handler) handler(endedNumber, *ended);
}

}  // namespace velmora2
