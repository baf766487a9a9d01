// A program installed where it cannot write keeps the user's settings under $XDG_CONFIG_HOME: the
// start-up recovery save lands there, the shipped file beside the program stays as it was, and
// the next start reads the user's file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "panel/ControlIds.h"
#include "settings/SettingsFile.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/FileText.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

namespace fs = std::filesystem;
using testing::FakeDialogServices;
using testing::FakeDialogView;
using testing::ReadFile;

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class UserFiles : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(Program());
        // The device can do 48000 Hz only, the file asks for 96000: start-up saves 48000.
        SettingsRecord shipped;
        shipped.fsample = 96000;
        ASSERT_EQ(SaveSettingsFile(Program(), shipped), SettingsSave::Saved);
    }
    fs::path Program() const { return root_ / "bin"; }
    fs::path Config() const { return root_ / "config"; }
    void LockProgramDirectory() {
        fs::permissions(Program(), fs::perms::all, fs::perm_options::remove);
        fs::permissions(Program(), fs::perms::owner_read | fs::perms::owner_exec,
                        fs::perm_options::add);
    }
    // One start of the main window on a bench whose output tops out at 48000 Hz; the messages it
    // showed.
    std::vector<testing::RecordedMessage> StartOnce() {
        SimBenchOptions options;
        options.maxOutputRate = 48000;
        SimBench bench(options);
        FakeDialogServices services;
        CTarvikDlg window(bench, clientArea_, view_, services, Program());
        window.OnInitDialog();
        window.OnClose();
        return services.Messages();
    }

    testing::TempDirectory root_;
    DrawCallLogTarget clientArea_;
    FakeDialogView view_;
};

TEST_F(UserFiles, LockedProgramDirectorySavesUnderXdgConfigHome) {
    const ScopedVariable config("XDG_CONFIG_HOME", Config().string());
    LockProgramDirectory();
    const fs::path shippedFile = Program() / kSettingsFileName;
    const std::string shipped = ReadFile(shippedFile);

    // The rate warning only: the save did not fail.
    ASSERT_EQ(StartOnce().size(), 1u);
    const fs::path userFile = Config() / "velmora2" / kSettingsFileName;
    ASSERT_TRUE(fs::exists(userFile));
    EXPECT_NE(ReadFile(userFile).find("FSAMPLE : 48000\n"), std::string::npos);
    EXPECT_EQ(ReadFile(shippedFile), shipped);

    // The next start reads the user's file: 48000 Hz fits the device, so nothing is said.
    EXPECT_TRUE(StartOnce().empty());
}

TEST_F(UserFiles, WritableProgramDirectoryKeepsTheSettingsBesideTheProgram) {
    const ScopedVariable config("XDG_CONFIG_HOME", Config().string());
    ASSERT_EQ(StartOnce().size(), 1u);
    EXPECT_NE(ReadFile(Program() / kSettingsFileName).find("FSAMPLE : 48000\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(Config()));
}

TEST_F(UserFiles, ARecordingAwayFromTheProgramNamesItsDirectoryInThePicture) {
    const ScopedVariable home("HOME", root_.Path().string());
    const ScopedVariable data("XDG_DATA_HOME", (root_ / "data").string());
    const ScopedVariable config("XDG_CONFIG_HOME", Config().string());
    LockProgramDirectory();
    SimBench bench;
    FakeDialogServices services;
    CTarvikDlg window(bench, clientArea_, view_, services, Program());
    window.OnInitDialog();
    ASSERT_NE(window.MainEngine(), nullptr);
    window.OnCommand(ctl::kRecord);
    ASSERT_TRUE(window.MainEngine()->Recording().open);
    ASSERT_TRUE(testing::DeliverBlocks(bench, *window.MainEngine(), 3));
    bool named = false;
    for (const auto& copy : clientArea_.Copies())
        for (const DrawCall& call : copy.calls)
            named |= call.kind == DrawCall::Kind::Text && call.text == "in ~/data/velmora2";
    EXPECT_TRUE(named);
    EXPECT_TRUE(fs::exists(root_ / "data" / "velmora2" / "RECORD00.wav"));
    window.OnClose();
}

}  // namespace
}  // namespace velmora2
