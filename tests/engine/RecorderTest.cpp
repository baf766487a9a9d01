// The recorder end to end on the stepped bench: every captured frame reaches the file in order,
// in every mode and in hold, under the lowest free name; the file on disk is always valid, also
// after a failed write, a forgotten stop or the engine's destruction.
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <fstream>
#include <functional>
#include <mutex>
#include <vector>

#include "display/DrawCallLog.h"
#include "tests/engine/FailingByteFile.h"
#include "tests/engine/WavCrafting.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/TempDirectory.h"
#include "wav/WavReader.h"

namespace velmora2 {
namespace {

using namespace velmora2::testing;

constexpr size_t kBlock = kBlockBytes;

// The frame numbers (NumberFrames) of a recording, checked to run on without a gap.
::testing::AssertionResult FramesRunOn(const std::vector<uint8_t>& data) {
    for (size_t f = 1; f < data.size() / 4; ++f) {
        const int64_t previous = FrameNumberAt(data.data(), static_cast<int>(f - 1));
        const int64_t current = FrameNumberAt(data.data(), static_cast<int>(f));
        if (current != previous + 1)
            return ::testing::AssertionFailure()
                   << "frame " << f << " is " << current << " after " << previous;
    }
    return ::testing::AssertionSuccess();
}

// A file that is created but takes no write, as on a medium that turned read-only.
class ReadOnlyMedium final : public ByteFile {
public:
    explicit ReadOnlyMedium(std::unique_ptr<ByteFile> file) : file_(std::move(file)) {}
    bool WriteAt(uint64_t, const void*, size_t) override { return false; }
    bool Truncate(uint64_t size) override { return file_->Truncate(size); }
    bool Close() override { return file_->Close(); }
    int LastError() const override { return EROFS; }

private:
    std::unique_ptr<ByteFile> file_;
};

class Recorder : public ::testing::Test {
protected:
    // A recording the recorder ended by itself, as its end handler heard of it.
    struct End {
        int fileNumber;
        RecordingEnd why;
        friend bool operator==(const End&, const End&) = default;
    };

    void SetUp() override {
        bench.SetInputSignal(NumberFrames);
        engine->SetRecordingEndHandler([this](int fileNumber, RecordingEnd why) {
            std::lock_guard lock(endsMutex_);
            ends_.push_back({fileNumber, why});
        });
        int maxRate = 0;
        ASSERT_EQ(engine->Start(maxRate), kOk);
    }
    void TearDown() override {
        if (engine) {
            EXPECT_TRUE(engine->Stop());
        }
    }

    void Deliver(int count) { ASSERT_TRUE(DeliverBlocks(bench, *engine, count)); }
    std::vector<End> Ends() const {
        std::lock_guard lock(endsMutex_);
        return ends_;
    }
    std::filesystem::path File(int number) const {
        char name[16];
        std::snprintf(name, sizeof name, "RECORD%02d.wav", number);
        return dir / name;
    }

    mutable std::mutex endsMutex_;
    std::vector<End> ends_;
    TempDirectory dir;
    SimBench bench;
    DrawCallLogTarget window;
    std::unique_ptr<CDSCapture> engine = std::make_unique<CDSCapture>(
        bench, window, DeviceId{}, DeviceId{}, 48000, FileSearchPlaces{dir.Path(), {}, {}, {}});
};

TEST_F(Recorder, FiveBlocksMakeA41006ByteFileOfTheCapturedFrames) {
    Deliver(2);
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(5);
    engine->StopRecording();
    Deliver(2);  // after the stop nothing more is written

    const Bytes file = ReadFileBytes(File(0));
    ASSERT_EQ(file.size(), 41006u);
    EXPECT_EQ(Read32(file, 4), 40998u);
    EXPECT_EQ(Read32(file, 42), 40960u);
    const WavContents wav = ReadWavFile(File(0));
    ASSERT_EQ(wav.fault, WavFault::None);
    EXPECT_EQ(wav.format.sampleRate, 48000u);
    EXPECT_EQ(FrameNumberAt(wav.data.data(), 0), 2 * kBlockFrames);
    EXPECT_TRUE(FramesRunOn(wav.data));
}

TEST_F(Recorder, GoesOnInHoldWhileASpectrumRecordAssemblesAndAcrossALengthChange) {
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(2);
    engine->SetMode(kModeSpectrum);
    ASSERT_EQ(engine->SetRecordLength(8192), kOk);
    Deliver(3);  // the first of these only applies the new length
    engine->ToggleRun();
    Deliver(3);
    engine->StopRecording();

    const WavContents wav = ReadWavFile(File(0));
    ASSERT_EQ(wav.fault, WavFault::None);
    EXPECT_EQ(wav.data.size(), 8 * kBlock);
    EXPECT_EQ(FrameNumberAt(wav.data.data(), 0), 0);
    EXPECT_TRUE(FramesRunOn(wav.data));
}

TEST_F(Recorder, DestroyingTheEngineFinishesTheFile) {
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(4);
    StopAndRelease(engine);
    ASSERT_EQ(engine, nullptr);

    const Bytes file = ReadFileBytes(File(0));
    ASSERT_EQ(file.size(), 46 + 4 * kBlock);
    EXPECT_EQ(Read32(file, 42), 4 * kBlock);
    EXPECT_EQ(ReadWavFile(File(0)).fault, WavFault::None);
}

TEST_F(Recorder, TakesTheLowestNameThatDoesNotExistAndNeverReplacesOne) {
    for (int n : {0, 1, 2, 5}) WriteFileBytes(File(n), Bytes{'k', 'e', 'e', 'p'});
    ASSERT_EQ(engine->StartRecording(), 18);
    EXPECT_EQ(engine->Recording().fileName, "RECORD03.wav");
    EXPECT_EQ(engine->Recording().fileNumber, 3);
    EXPECT_EQ(engine->StartRecording(), -1) << "a second start while one is open";
    Deliver(2);
    engine->StopRecording();
    ASSERT_EQ(engine->StartRecording(), 18);
    EXPECT_EQ(engine->Recording().fileName, "RECORD04.wav");
    engine->StopRecording();
    ASSERT_EQ(engine->StartRecording(), 18);
    EXPECT_EQ(engine->Recording().fileName, "RECORD06.wav");
    engine->StopRecording();

    for (int n : {0, 1, 2, 5}) EXPECT_EQ(ReadFileBytes(File(n)), (Bytes{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(ReadWavFile(File(3)).data.size(), 2 * kBlock) << "the second start left it alone";
}

TEST_F(Recorder, RefusesWhenAllHundredNamesExist) {
    for (int n = 0; n < 100; ++n) WriteFileBytes(File(n), Bytes{1});
    EXPECT_EQ(engine->StartRecording(), -1);
    EXPECT_FALSE(engine->Recording().open);
    Deliver(1);
    EXPECT_EQ(ReadFileBytes(File(0)), Bytes{1});
}

TEST_F(Recorder, AHeaderThatCannotBeWrittenLeavesNoFileAndNoRecording) {
    engine->RecorderForTests().SetFileOpener([](const std::filesystem::path& path) {
        return std::make_unique<ReadOnlyMedium>(CreateByteFile(path, CreateMode::NewOnly));
    });
    EXPECT_EQ(engine->StartRecording(), -1);
    EXPECT_FALSE(engine->Recording().open);
    EXPECT_FALSE(std::filesystem::exists(File(0)));

    engine->RecorderForTests().SetFileOpener([](const std::filesystem::path&) { return nullptr; });
    EXPECT_EQ(engine->StartRecording(), -1);
    EXPECT_FALSE(std::filesystem::exists(File(0)));
}

TEST_F(Recorder, AFailedBlockWriteFinishesTheFileAndTellsOnce) {
    engine->RecorderForTests().SetFileOpener([](const std::filesystem::path& path) {
        return std::make_unique<FailingByteFile>(CreateByteFile(path, CreateMode::NewOnly), 3);
    });
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(6);

    EXPECT_EQ(Ends(), (std::vector<End>{{0, RecordingEnd::WriteFailed}}));
    EXPECT_FALSE(engine->Recording().open);
    const WavContents wav = ReadWavFile(File(0));
    ASSERT_EQ(wav.fault, WavFault::None);
    EXPECT_EQ(wav.data.size(), 24576u);
    EXPECT_EQ(ReadFileBytes(File(0)).size(), 46u + 24576u);
    EXPECT_TRUE(FramesRunOn(wav.data));
}

TEST_F(Recorder, AFileCutOffWithoutAStopOpensWithAtMostTheLastSecondMissing) {
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(30);  // 1.28 s at 48000 Hz
    // Read while the recording is still open: what a killed program would leave.
    const WavContents wav = ReadWavFile(File(0));
    ASSERT_EQ(wav.fault, WavFault::None);
    const size_t oneSecond = 48000 * 4;
    EXPECT_GE(wav.data.size() + oneSecond, 30 * kBlock);
    EXPECT_LE(wav.data.size(), 30 * kBlock);
    EXPECT_TRUE(FramesRunOn(wav.data));
    EXPECT_TRUE(engine->Recording().open);
}

TEST_F(Recorder, EndsValidBeforeTheSizeLimitAndTellsItFullNotFailed) {
    engine->RecorderForTests().SetDataLimit(3 * kBlock + 100);
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(5);
    EXPECT_FALSE(engine->Recording().open);
    EXPECT_EQ(Ends(), (std::vector<End>{{0, RecordingEnd::Full}}));
    const WavContents wav = ReadWavFile(File(0));
    ASSERT_EQ(wav.fault, WavFault::None);
    EXPECT_EQ(wav.data.size(), 3 * kBlock);

    // The next recording starts empty and is told full on its own.
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(4);
    EXPECT_EQ(Ends(), (std::vector<End>{{0, RecordingEnd::Full}, {1, RecordingEnd::Full}}));
    EXPECT_EQ(ReadWavFile(File(1)).data.size(), 3 * kBlock);
}

TEST_F(Recorder, ThePictureSaysWhereItRecordsWhileItRecords) {
    const std::string notice = "Recording to RECORD00.wav. Click TEISHI to suspend.";
    const auto lastPictureTexts = [&] {
        std::vector<std::string> texts;
        const std::vector<DrawCallLogTarget::Copy> copies = window.Copies();
        for (const DrawCall& call : copies.back().calls)
            if (call.kind == DrawCall::Kind::Text) texts.push_back(call.text);
        return texts;
    };
    const auto shows = [&](const std::vector<std::string>& texts) {
        return std::find(texts.begin(), texts.end(), notice) != texts.end();
    };
    Deliver(2);
    EXPECT_FALSE(shows(lastPictureTexts()));
    ASSERT_EQ(engine->StartRecording(), 18);
    Deliver(2);
    EXPECT_TRUE(shows(lastPictureTexts()));
    engine->SetMode(kModeSpectrum);
    Deliver(2);
    EXPECT_TRUE(shows(lastPictureTexts()));
    engine->StopRecording();
    Deliver(2);
    EXPECT_FALSE(shows(lastPictureTexts()));
}

TEST_F(Recorder, EveryEndWritesItsLineWithWhyItsPathAndItsLength) {
    struct Case {
        const char* description;
        std::function<void(CDSCapture&)> arrange;  // before the recording starts
        std::function<void()> end;                 // what ends it
        int blocksKept;
        const char* reason;
    };
    const auto fullDisk = [](CDSCapture& e) {
        e.RecorderForTests().SetFileOpener([](const std::filesystem::path& path) {
            return std::make_unique<FailingByteFile>(CreateByteFile(path, CreateMode::NewOnly), 3);
        });
    };
    const auto noLimit = [](CDSCapture&) {};
    const Case cases[] = {
        {"the stop button", noLimit,
         [this] {
             Deliver(4);
             engine->StopRecording();
         },
         4, "stopped"},
        {"a full disk", fullDisk, [this] { Deliver(6); }, 3, "no space left on device"},
        {"the size limit", [](CDSCapture& e) { e.RecorderForTests().SetDataLimit(2 * kBlock); },
         [this] { Deliver(5); }, 2, "the file is full (4 GiB)"},
        {"the engine stopped", noLimit,
         [this] {
             Deliver(3);
             EXPECT_TRUE(engine->Stop());
         },
         3, "the engine stopped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        engine = std::make_unique<CDSCapture>(bench, window, DeviceId{}, DeviceId{}, 48000,
                                              FileSearchPlaces{dir.Path(), {}, {}, {}});
        int maxRate = 0;
        ASSERT_EQ(engine->Start(maxRate), kOk);
        c.arrange(*engine);
        ASSERT_EQ(engine->StartRecording(), 18);
        const std::filesystem::path file = File(engine->Recording().fileNumber);
        ::testing::internal::CaptureStderr();
        c.end();
        const std::string written = ::testing::internal::GetCapturedStderr();
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f s", c.blocksKept * 2048 / 48000.0);
        EXPECT_EQ(written,
                  "recorder: " + file.string() + " finished (" + c.reason + "), " + seconds + "\n");
        EXPECT_EQ(ReadWavFile(file).data.size(), c.blocksKept * kBlock);
    }
}

TEST(RecorderPlace, WritesIntoTheRecordingsDirectoryMadeOnFirstUse) {
    TempDirectory program;
    TempDirectory data;
    const std::filesystem::path recordings = data / "velmora2";
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000,
                      FileSearchPlaces{program.Path(), {}, {}, {}}, recordings);
    int maxRate = 0;
    ASSERT_EQ(engine.Start(maxRate), kOk);
    ASSERT_EQ(engine.StartRecording(), 18);
    ASSERT_TRUE(DeliverBlocks(bench, engine, 1));
    engine.StopRecording();
    EXPECT_TRUE(engine.Stop());
    EXPECT_EQ(ReadWavFile(recordings / "RECORD00.wav").data.size(), kBlock);
    EXPECT_FALSE(std::filesystem::exists(program / "RECORD00.wav"));
}

TEST(RecorderPlace, ThePictureNamesADirectoryThatIsNotTheProgramsOwn) {
    const std::string longer(70, 'x');
    const struct {
        const char* description;
        std::filesystem::path directory;
        const char* shown;
    } cases[] = {
        {"beside the program", "/opt/velmora2/bin", ""},
        {"none given", "", ""},
        {"under the home directory", "/home/me/.local/share/velmora2", "~/.local/share/velmora2"},
        {"elsewhere", "/srv/recordings", "/srv/recordings"},
        {"a look-alike of the home directory", "/home/meadow/rec", "/home/meadow/rec"},
        {"too long: its last parts", "/data/" + longer + "/takes/velmora2", ".../takes/velmora2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(ShownRecordingsDirectory(c.directory, "/opt/velmora2/bin", "/home/me"), c.shown);
    }
}

}  // namespace
}  // namespace velmora2
