// Frames handed over in pieces of any size come out as whole, gap-free capture blocks in order.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "audio/BlockAssembler.h"
#include "audio/BlockQueue.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2 {
namespace {

using testing::FrameNumberAt;
using testing::NumberFrames;

// Numbered frames in the capture layout (see NumberFrames).
std::vector<uint8_t> NumberedFrames(int64_t first, size_t count) {
    std::vector<uint8_t> bytes(count * 4);
    for (size_t i = 0; i < count; ++i) {
        double left = 0.0;
        double right = 0.0;
        NumberFrames(first + static_cast<int64_t>(i), left, right);
        const int16_t samples[2] = {static_cast<int16_t>(left), static_cast<int16_t>(right)};
        std::memcpy(&bytes[i * 4], samples, 4);
    }
    return bytes;
}

struct PieceCase {
    const char* description;
    std::vector<size_t> pieces;  // frames per callback, repeated until enough frames went in
};

class BlockAssemblerPieces : public ::testing::TestWithParam<PieceCase> {};

TEST_P(BlockAssemblerPieces, EveryFrameArrivesOnceAndInOrder) {
    SCOPED_TRACE(GetParam().description);
    constexpr int kBlocks = 7;
    WakeSignal wake;
    BlockQueue queue(wake, kBlocks + 1);
    BlockAssembler assembler;
    assembler.Attach(&queue);

    int64_t next = 0;
    for (size_t k = 0; next < kBlocks * kBlockFrames; ++k) {
        const size_t count = GetParam().pieces[k % GetParam().pieces.size()];
        const std::vector<uint8_t> piece = NumberedFrames(next, count);
        assembler.Append(piece.data(), count);
        next += static_cast<int64_t>(count);
    }

    // Only whole blocks are passed on; the remainder waits for the next callback.
    EXPECT_EQ(queue.PushedCount(), static_cast<uint64_t>(next / kBlockFrames));
    uint8_t block[kBlockBytes];
    for (int b = 0; b < kBlocks; ++b) {
        ASSERT_TRUE(queue.Pop(block)) << "block " << b;
        for (int f = 0; f < kBlockFrames; ++f)
            ASSERT_EQ(FrameNumberAt(block, f), static_cast<int64_t>(b) * kBlockFrames + f)
                << "block " << b << " frame " << f;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CallbackSizes, BlockAssemblerPieces,
    ::testing::Values(PieceCase{"exactly one block per callback", {2048}},
                      PieceCase{"small callbacks", {256}},
                      PieceCase{"sizes that do not divide a block", {1, 333, 1000, 77}},
                      PieceCase{"callbacks larger than a block", {4096 + 5, 3000}},
                      PieceCase{"one frame short, then one over", {2047, 2049}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(BlockAssembler, MissingInputCountsAsSilentFrames) {
    WakeSignal wake;
    BlockQueue queue(wake);
    BlockAssembler assembler;
    assembler.Attach(&queue);
    const std::vector<uint8_t> loud(kBlockBytes, 0x55);
    assembler.Append(loud.data(), 1000);
    assembler.Append(nullptr, 1048);

    uint8_t block[kBlockBytes];
    ASSERT_TRUE(queue.Pop(block));
    EXPECT_EQ(block[0], 0x55);
    EXPECT_EQ(block[1000 * 4 - 1], 0x55);
    for (int i = 1000 * 4; i < kBlockBytes; ++i) ASSERT_EQ(block[i], 0) << i;
}

}  // namespace
}  // namespace velmora2
