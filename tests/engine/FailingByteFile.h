// A real file whose writes start failing after a given number of data writes, as a full disk
// makes them fail (and says so: no space left on device). Writes into the header (the sizes)
// keep working.
#pragma once

#include <cerrno>
#include <memory>

#include "wav/ByteFile.h"
#include "wav/WavWriter.h"

namespace velmora2::testing {

class FailingByteFile final : public ByteFile {
public:
    FailingByteFile(std::unique_ptr<ByteFile> file, int dataWritesAllowed)
        : file_(std::move(file)), allowed_(dataWritesAllowed) {}

    bool WriteAt(uint64_t offset, const void* data, size_t bytes) override {
        if (offset < WavWriter::kHeaderBytes) return file_->WriteAt(offset, data, bytes);
        if (allowed_ == 0) {
            // Half of the block reaches the disk before the failure.
            file_->WriteAt(offset, data, bytes / 2);
            failed_ = true;
            return false;
        }
        --allowed_;
        return file_->WriteAt(offset, data, bytes);
    }
    bool Truncate(uint64_t size) override { return file_->Truncate(size); }
    bool Close() override { return file_->Close(); }
    int LastError() const override { return failed_ ? ENOSPC : file_->LastError(); }

private:
    std::unique_ptr<ByteFile> file_;
    int allowed_;
    bool failed_ = false;
};

}  // namespace velmora2::testing
