// The WAV writer: the exact 46-byte header, sizes that follow the data, a file that reads back
// at every moment, and a failed write that still leaves a valid file.
#include <gtest/gtest.h>

#include "tests/engine/FailingByteFile.h"
#include "tests/engine/WavCrafting.h"
#include "tests/support/TempDirectory.h"
#include "wav/WavReader.h"
#include "wav/WavWriter.h"

namespace velmora2 {
namespace {

using namespace velmora2::testing;

constexpr size_t kWriteBytes = 8192;

class WavWriterTest : public ::testing::Test {
protected:
    std::unique_ptr<ByteFile> NewFile() { return CreateByteFile(path, CreateMode::NewOnly); }

    TempDirectory dir;
    std::filesystem::path path = dir / "out.wav";
};

TEST_F(WavWriterTest, FiveBlocksGiveTheDocumentedHeaderAndSizes) {
    const Bytes block = Samples(kWriteBytes);
    {
        WavWriter writer(NewFile());
        ASSERT_TRUE(writer.WriteHeader(WaveFormat::StereoPcm16(96000)));
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(writer.Append(block.data(), block.size()));
        ASSERT_TRUE(writer.Finish());
    }
    const Bytes file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), 41006u);
    Bytes header;
    for (const char* tag : {"RIFF"}) header.insert(header.end(), tag, tag + 4);
    Append32(header, 40998);
    for (const char* tag : {"WAVE", "fmt "}) header.insert(header.end(), tag, tag + 4);
    Append32(header, 18);
    Append16(header, 1);
    Append16(header, 2);
    Append32(header, 96000);
    Append32(header, 384000);
    Append16(header, 4);
    Append16(header, 16);
    Append16(header, 0);
    header.insert(header.end(), {'d', 'a', 't', 'a'});
    Append32(header, 40960);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 46), header);
    EXPECT_EQ(Bytes(file.begin() + 46 + 4 * kWriteBytes, file.end()), block);
}

TEST_F(WavWriterTest, AFileLeftWithoutFinishReadsUpToTheLastSizeUpdate) {
    const Bytes block = Samples(kWriteBytes);
    WavWriter writer(NewFile());
    ASSERT_TRUE(writer.WriteHeader(WaveFormat::StereoPcm16(48000)));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(writer.Append(block.data(), block.size()));
        ASSERT_TRUE(writer.WriteSizes());
    }
    ASSERT_TRUE(writer.Append(block.data(), block.size()));  // not yet in the sizes

    const WavContents seen = ReadWavFile(path);  // what a killed program leaves behind
    ASSERT_EQ(seen.fault, WavFault::None);
    EXPECT_EQ(seen.data.size(), 3 * kWriteBytes);
    EXPECT_EQ(seen.format.sampleRate, 48000u);
}

TEST_F(WavWriterTest, AFailedWriteLeavesAValidFileOfTheBlocksWrittenBefore) {
    const Bytes block = Samples(kWriteBytes);
    WavWriter writer(std::make_unique<FailingByteFile>(NewFile(), 3));
    ASSERT_TRUE(writer.WriteHeader(WaveFormat::StereoPcm16(48000)));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(writer.Append(block.data(), block.size()));
    EXPECT_FALSE(writer.Append(block.data(), block.size()));
    EXPECT_EQ(writer.DataBytes(), 3 * kWriteBytes);
    EXPECT_TRUE(writer.Finish());

    const Bytes file = ReadFileBytes(path);
    EXPECT_EQ(file.size(), 46 + 3 * kWriteBytes);  // the half-written block is cut off
    EXPECT_EQ(Read32(file, 4), 38 + 3 * kWriteBytes);
    const WavContents seen = ReadWavFile(path);
    ASSERT_EQ(seen.fault, WavFault::None);
    EXPECT_EQ(seen.data.size(), 24576u);
}

TEST_F(WavWriterTest, RefusesDataThatWouldPassTheRiffSizeLimit) {
    WavWriter writer(NewFile());
    EXPECT_FALSE(writer.WouldOverflow(WavWriter::kMaxDataBytes));
    EXPECT_TRUE(writer.WouldOverflow(WavWriter::kMaxDataBytes + 1));
    EXPECT_EQ(38 + WavWriter::kMaxDataBytes, 0xFFFFFFFFull);
}

TEST_F(WavWriterTest, NothingCanBeWrittenAfterFinish) {
    const Bytes block = Samples(16);
    WavWriter writer(NewFile());
    ASSERT_TRUE(writer.WriteHeader(WaveFormat::StereoPcm16(48000)));
    ASSERT_TRUE(writer.Append(block.data(), block.size()));
    ASSERT_TRUE(writer.Finish());
    EXPECT_TRUE(writer.Finish());
    EXPECT_FALSE(writer.Append(block.data(), block.size()));
    EXPECT_EQ(ReadFileBytes(path).size(), 46u + 16u);
}

TEST_F(WavWriterTest, NewOnlyNeverReplacesAnExistingFile) {
    WriteFileBytes(path, Bytes{1, 2, 3});
    EXPECT_EQ(CreateByteFile(path, CreateMode::NewOnly), nullptr);
    EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3}));
    EXPECT_NE(CreateByteFile(path, CreateMode::Replace), nullptr);
    EXPECT_TRUE(ReadFileBytes(path).empty());
}

}  // namespace
}  // namespace velmora2
