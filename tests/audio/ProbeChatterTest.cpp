// Starting, surveying and ending PortAudio writes nothing to the standard error stream: the sound
// libraries' chatter about absent cards and servers stays off the user's terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "audio/portaudio/PortAudioSystem.h"

namespace velmora2 {
namespace {

// Everything written to file descriptor 2 while it lives goes to a file instead.
class StderrToFile {
public:
    explicit StderrToFile(std::string path) : path_(std::move(path)) {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~StderrToFile() { Restore(); }
    std::string Restore() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            dup2(saved_, STDERR_FILENO);
            close(saved_);
            saved_ = -1;
        }
        std::ifstream in(path_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::string path_;
    int saved_ = -1;
};

TEST(ProbeChatter, PortAudioStartSurveyAndEndWriteNothingToStderr) {
    ASSERT_EQ(unsetenv("VELMORA2_DEBUG"), 0);
    const std::string path = ::testing::TempDir() + "probe-chatter.txt";
    StderrToFile capture(path);
    {
        PortAudioSystem sound;
        for (const DeviceInfo& device : sound.CaptureDevices())
            sound.CanUseCaptureDevice(device.id);
        for (const DeviceInfo& device : sound.OutputDevices()) sound.CanUseOutputDevice(device.id);
    }
    EXPECT_EQ(capture.Restore(), "");
}

}  // namespace
}  // namespace velmora2
