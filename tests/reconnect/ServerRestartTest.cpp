// The sound server goes away under the running window and a new one comes up: the window shows
// the loss, keeps the sound libraries' complaints off the terminal, and captures again on the new
// server by itself.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/CTarvikDlg.h"
#include "display/DrawCallLog.h"
#include "settings/SettingsFile.h"
#include "tests/audio/PulseLoopback.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& done, std::chrono::seconds limit,
               std::chrono::milliseconds pause = 5ms) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(pause);
    }
    return true;
}

int RunLoopbackScript(const char* command) {
    const std::string line = std::string("bash '") + VELMORA2_LOOPBACK_SCRIPT + "' " + command;
    return std::system(line.c_str());
}

// Standard error into a file for as long as it lives; its lines are read back afterwards.
class StderrCapture {
public:
    explicit StderrCapture(std::string path) : path_(std::move(path)) {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~StderrCapture() { Restore(); }
    void Restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
    }
    std::vector<std::string> Lines() const {
        std::ifstream in(path_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    std::string path_;
    int saved_ = -1;
};

class ServerRestart : public testing::PulseLoopback {
protected:
    void TearDown() override {
        // The real-audio tests after this one need a server, whatever happened here.
        if (serverStopped) RunLoopbackScript("start");
    }
    bool serverStopped = false;
};

TEST_F(ServerRestart, CaptureComesBackOnTheNewServer) {
    testing::TempDirectory directory;
    ASSERT_EQ(SaveSettingsFile(directory.Path(), SettingsRecord{}), SettingsSave::Saved);
    DrawCallLogTarget clientArea;
    testing::FakeDialogView view;
    testing::FakeDialogServices services;
    CTarvikDlg window(sound, clientArea, view, services, directory.Path());
    window.SetStartTrace(false);
    window.OnInitDialog();
    ASSERT_NE(window.MainEngine(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return window.MainEngine()->BlocksProcessed() > 10; }, 20s));

    StderrCapture captured((directory.Path() / "stderr.txt").string());
    serverStopped = RunLoopbackScript("stop") == 0;
    ASSERT_TRUE(serverStopped);
    ASSERT_TRUE(WaitUntil(
        [&] {
            services.RunPosted();
            return window.DeviceOutage();
        },
        20s));
    const std::vector<std::string> atTheLoss = captured.Lines();
    // Tries while no server is there (the window's own tries come every 2 s).
    for (int attempt = 0; attempt < 3; ++attempt) {
        services.FireSingleShots();
        EXPECT_TRUE(window.DeviceOutage());
    }

    ASSERT_EQ(RunLoopbackScript("start"), 0);
    serverStopped = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            services.FireSingleShots();
            return !window.DeviceOutage();
        },
        20s, 500ms));
    ASSERT_NE(window.MainEngine(), nullptr);
    const uint64_t processed = window.MainEngine()->BlocksProcessed();
    EXPECT_TRUE(
        WaitUntil([&] { return window.MainEngine()->BlocksProcessed() > processed + 10; }, 20s));
    window.OnClose();
    captured.Restore();

    // After the engine's line about the loss, only the program's own lines.
    const std::vector<std::string> lines = captured.Lines();
    std::printf("standard error: %zu lines up to the loss, %zu after it\n", atTheLoss.size(),
                lines.size() - atTheLoss.size());
    for (const std::string& line : lines) std::printf("  | %s\n", line.c_str());
    size_t lossLine = lines.size();
    for (size_t i = 0; i < lines.size() && lossLine == lines.size(); ++i)
        if (lines[i].starts_with("engine: the capture device stopped")) lossLine = i;
    ASSERT_LT(lossLine, lines.size());
    for (size_t i = lossLine + 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_TRUE(line.starts_with("velmora2: ") || line.starts_with("engine: ") ||
                    line.starts_with("capture: "))
            << line;
    }
}

}  // namespace
}  // namespace velmora2
