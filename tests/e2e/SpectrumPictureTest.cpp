// The FFT analyzer end to end: a 1 kHz tone on both inputs of the stepped bench, analysed and
// drawn by the engine; the read-out the view draws names the tone for both channels.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/DrawCallLog.h"
#include "tests/e2e/PictureTestSupport.h"

namespace velmora2 {
namespace {

using namespace testing;

void RunSpectrum(SimBench& bench, DrawingTarget& window, int blocks) {
    bench.SetInputSignal(SineOnBothInputs(1000.0, 12000.0, 48000));
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);
    engine.SetMode(kModeSpectrum);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_TRUE(DeliverBlocks(bench, engine, blocks));
    EXPECT_EQ(engine.RecordsAnalysed(), static_cast<uint64_t>(blocks));
    ASSERT_TRUE(engine.Stop());
}

TEST(SpectrumPicture, ReadoutNamesTheToneForBothChannels) {
    SimBench bench;
    DrawCallLogTarget window;
    RunSpectrum(bench, window, 3);

    const auto copies = window.Copies();
    ASSERT_FALSE(copies.empty());
    std::vector<std::string> texts;
    for (const DrawCall& call : copies.back().calls)
        if (call.kind == DrawCall::Kind::Text) texts.push_back(call.text);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Main: 1000Hz"), 2);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Lch:"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Rch:"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "2048 point FFT"), 2);
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    }
}

TEST(SpectrumPicture, ToneShowsAsAPeakInBothTraces) {
    SimBench bench;
    QtClientArea clientArea(nullptr, QSize(705, 585), QColor(240, 240, 240));
    RunSpectrum(bench, clientArea, 3);
    const QImage picture = PictureField(clientArea);
    const std::string path = SavePicture(picture, "spectrum-1khz");
    SCOPED_TRACE(path);

    // 1 kHz on the default 500 Hz/div span lies at x = 96. Each trace reaches its top there:
    // the highest red and blue trace pixels (right of the dB markers at the left edge) are found
    // within a few pixels of that column.
    auto highestColumn = [&](Rgb colour) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 20; x < picture.width(); ++x)
                if (IsColour(picture, x, y, colour)) return x;
        return -1;
    };
    EXPECT_NEAR(highestColumn(kLeftChannelColor), 96, 3);
    EXPECT_NEAR(highestColumn(kRightChannelColor), 96, 3);
}

}  // namespace
}  // namespace velmora2
