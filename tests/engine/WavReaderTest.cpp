// The WAV reader against crafted files: each row breaks one thing and names the fault expected.
#include <gtest/gtest.h>

#include "tests/engine/WavCrafting.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

using namespace velmora2::testing;

struct ReaderCase {
    const char* description;
    Bytes file;
    WavFault fault;
};

std::vector<ReaderCase> ReaderCases() {
    const Bytes fmt = Chunk("fmt ", FormatBody({}));
    const Bytes data = Chunk("data", Samples(64));
    Bytes cutInFormat = Riff({Chunk("fmt ", FormatBody({}), 40)});
    cutInFormat.resize(12 + 8 + 16);
    Bytes cutInData = Riff({fmt, Chunk("data", Samples(64))});
    cutInData.resize(cutInData.size() - 1);
    return {
        {"a good 16-bit stereo file", GoodWav(), WavFault::None},
        {"an 18-byte format chunk with its extra size",
         Riff({Chunk("fmt ",
                     [] {
                         Bytes b = FormatBody({});
                         Append16(b, 0);
                         return b;
                     }()),
               data}),
         WavFault::None},
        {"8-bit mono", Riff({Chunk("fmt ", FormatBody({.channels = 1, .bits = 8})), data}),
         WavFault::None},
        {"an unknown chunk of odd size (padded) before the data",
         Riff({fmt, Chunk("LIST", Samples(5)), data}), WavFault::None},
        {"a RIFF size beyond the end of the file", Riff({fmt, data}, "WAVE", 1000000),
         WavFault::None},
        {"an empty file", {}, WavFault::NotRiffWave},
        {"shorter than the RIFF header", Bytes{'R', 'I', 'F', 'F', 4, 0}, WavFault::NotRiffWave},
        {"big-endian RIFX",
         [&] {
             Bytes b = Riff({fmt, data});
             b[3] = 'X';
             return b;
         }(),
         WavFault::NotRiffWave},
        {"a RIFF of another form", Riff({fmt, data}, "AVI "), WavFault::NotRiffWave},
        {"no format chunk", Riff({data}), WavFault::NoFormatChunk},
        {"a chunk in the way that claims more than the file holds",
         Riff({Chunk("junk", Samples(8), 0x7FFFFFF0), fmt, data}), WavFault::NoFormatChunk},
        {"an empty format chunk", Riff({Chunk("fmt ", {}), data}), WavFault::EmptyFormatChunk},
        {"a format chunk of 14 bytes",
         Riff({Chunk("fmt ", Bytes(fmt.begin() + 8, fmt.begin() + 22)), data}),
         WavFault::BadFormat},
        {"floating-point samples", Riff({Chunk("fmt ", FormatBody({.tag = 3, .bits = 32})), data}),
         WavFault::BadFormat},
        {"three channels", Riff({Chunk("fmt ", FormatBody({.channels = 3})), data}),
         WavFault::BadFormat},
        {"24-bit samples", Riff({Chunk("fmt ", FormatBody({.bits = 24})), data}),
         WavFault::BadFormat},
        {"a block align that does not match",
         Riff({Chunk("fmt ", FormatBody({.blockAlign = 2})), data}), WavFault::BadFormat},
        {"a sample rate of 0", Riff({Chunk("fmt ", FormatBody({.rate = 0})), data}),
         WavFault::BadFormat},
        {"a format chunk cut off by the end of the file", cutInFormat,
         WavFault::FormatChunkOverrun},
        {"no data chunk", Riff({fmt}), WavFault::NoDataChunk},
        {"the data chunk before the format chunk", Riff({data, fmt}), WavFault::NoDataChunk},
        {"an empty data chunk", Riff({fmt, Chunk("data", {})}), WavFault::EmptyDataChunk},
        {"a data chunk longer than the file", cutInData, WavFault::DataOverrun},
        {"a data chunk claiming 4 GiB", Riff({fmt, Chunk("data", Samples(16), 0xFFFFFFFF)}),
         WavFault::DataOverrun},
    };
}

TEST(WavReader, EachCraftedFileGivesItsFault) {
    for (const ReaderCase& c : ReaderCases()) {
        const WavInfo info = ReadWavLayout(MemorySource(c.file));
        EXPECT_EQ(info.fault, c.fault) << c.description;
    }
}

// Files for measuring may hold wider samples; the instrument's own readers still refuse them.
TEST(WavReader, WiderSamplesOnlyForMeasuring) {
    const auto extensible = [](uint16_t subformat, uint16_t bits) {
        Bytes b = FormatBody({.tag = 0xFFFE, .bits = bits});
        Append16(b, 22);         // extra size
        Append16(b, bits);       // valid bits
        Append32(b, 3);          // channel mask
        Append16(b, subformat);  // the subformat's code, then the rest of its GUID
        for (int i = 0; i < 14; ++i) b.push_back(0);
        return b;
    };
    struct Case {
        const char* description;
        Bytes format;
        uint16_t tag;  // as read for measuring; 0: refused there too
    };
    const Case cases[] = {
        {"24-bit PCM", FormatBody({.bits = 24}), 1},
        {"32-bit PCM", FormatBody({.bits = 32}), 1},
        {"32-bit float", FormatBody({.tag = 3, .bits = 32}), 3},
        {"64-bit float", FormatBody({.tag = 3, .bits = 64}), 3},
        {"extensible 32-bit float", extensible(3, 32), 3},
        {"extensible 24-bit PCM", extensible(1, 24), 1},
        {"16-bit float", FormatBody({.tag = 3, .bits = 16}), 0},
        {"20-bit PCM", FormatBody({.bits = 20, .blockAlign = 6}), 0},
        {"extensible with another subformat", extensible(2, 16), 0},
    };
    for (const Case& c : cases) {
        const Bytes file = Riff({Chunk("fmt ", c.format), Chunk("data", Samples(48))});
        EXPECT_EQ(ReadWavLayout(MemorySource(file)).fault, WavFault::BadFormat) << c.description;
        const WavInfo info = ReadWavLayout(MemorySource(file), WavSamples::ForMeasuring);
        EXPECT_EQ(info.fault, c.tag ? WavFault::None : WavFault::BadFormat) << c.description;
        if (c.tag) {
            EXPECT_EQ(info.layout.format.formatTag, c.tag) << c.description;
        }
    }
}

TEST(WavReader, ReadsTheFormatAndTheSamplesOfAGoodFile) {
    const Bytes file = Riff({Chunk("fmt ", FormatBody({.channels = 1, .rate = 96000})),
                             Chunk("LIST", Samples(3)), Chunk("data", Samples(10, 9))});
    const MemorySource source(file);
    const WavInfo info = ReadWavLayout(source);
    ASSERT_EQ(info.fault, WavFault::None);
    EXPECT_EQ(info.layout.format.channels, 1);
    EXPECT_EQ(info.layout.format.sampleRate, 96000u);
    EXPECT_EQ(info.layout.format.bitsPerSample, 16);
    EXPECT_EQ(info.layout.formatChunkBytes, 16u);
    std::vector<uint8_t> data;
    ASSERT_TRUE(ReadWavData(source, info.layout, data));
    EXPECT_EQ(data, Samples(10, 9));
}

TEST(WavReader, TheFormatIsKnownOnlyOnceItHasBeenChecked) {
    EXPECT_FALSE(FormatChecked(WavFault::NotRiffWave));
    EXPECT_FALSE(FormatChecked(WavFault::BadFormat));
    const Bytes noData = Riff({Chunk("fmt ", FormatBody({.rate = 96000}))});
    const WavInfo info = ReadWavLayout(MemorySource(noData));
    ASSERT_EQ(info.fault, WavFault::NoDataChunk);
    ASSERT_TRUE(FormatChecked(info.fault));
    EXPECT_EQ(info.layout.format.sampleRate, 96000u);
}

TEST(WavReader, EveryTruncationOfAGoodFileIsRefusedWithoutReadingOutside) {
    const Bytes good = GoodWav(48000, 32);
    for (size_t length = 0; length < good.size(); ++length) {
        const Bytes cut(good.begin(), good.begin() + static_cast<long>(length));
        EXPECT_NE(ReadWavLayout(MemorySource(cut)).fault, WavFault::None) << length << " bytes";
    }
}

TEST(WavReader, AFileThatCannotBeOpenedSaysSo) {
    const WavContents missing = ReadWavFile("/nonexistent/velmora2/none.wav");
    EXPECT_EQ(missing.fault, WavFault::CannotOpen);
    EXPECT_EQ(ReadWavFile(std::filesystem::temp_directory_path()).fault, WavFault::CannotOpen);
    EXPECT_STREQ(DescribeWavFault(WavFault::EmptyDataChunk), "has an empty \"data\" chunk");
}

}  // namespace
}  // namespace velmora2
