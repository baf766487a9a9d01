// Saving never destroys the file that is there: write-protected files and directories that cannot
// take a file give CannotWrite, and a write that fails half-way leaves the old bytes alone.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "settings/SettingsFile.h"
#include "tests/settings/SettingsTestSupport.h"

namespace velmora2 {
namespace {

using testing::FileNames;
using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::WriteBytes;

const std::string kOldBytes = "[OPTION]\r\nCAL : 7.000000\r\nold file, kept byte for byte\r\n";

SettingsRecord ChangedRecord() {
    SettingsRecord r;
    r.scales.cal = 2.0;
    return r;
}

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat s {};
    EXPECT_EQ(stat(path.c_str(), &s), 0) << path;
    return s.st_mode & 07777;
}

TEST(SettingsSave, CreatesTheFileWhenThereIsNone) {
    ScratchDirectory dir;
    ASSERT_EQ(SaveSettingsFile(dir.Path(), SettingsRecord{}), SettingsSave::Saved);
    EXPECT_EQ(ReadBytes(dir.SettingsPath()), FormatSettings(SettingsRecord{}));
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{kSettingsFileName});
}

TEST(SettingsSave, ReplacesTheOldFileKeepingItsPermissionsAndNoTemporaryFile) {
    ScratchDirectory dir;
    WriteBytes(dir.SettingsPath(), kOldBytes + std::string(5000, 'x'));
    ASSERT_EQ(chmod(dir.SettingsPath().c_str(), 0640), 0);
    ASSERT_EQ(SaveSettingsFile(dir.Path(), ChangedRecord()), SettingsSave::Saved);
    EXPECT_EQ(ReadBytes(dir.SettingsPath()), FormatSettings(ChangedRecord()));
    EXPECT_EQ(ModeOf(dir.SettingsPath()), 0640u);
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{kSettingsFileName});
}

TEST(SettingsSave, ALinkedFileIsWrittenThroughTheLink) {
    ScratchDirectory dir;
    const auto real = dir.Path() / "real.ini";
    WriteBytes(real, kOldBytes);
    std::filesystem::create_symlink(real, dir.SettingsPath());
    ASSERT_EQ(SaveSettingsFile(dir.Path(), ChangedRecord()), SettingsSave::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.SettingsPath()));
    EXPECT_EQ(ReadBytes(real), FormatSettings(ChangedRecord()));
}

TEST(SettingsSave, WriteProtectedFileIsLeftAlone) {
    ScratchDirectory dir;
    WriteBytes(dir.SettingsPath(), kOldBytes);
    ASSERT_EQ(chmod(dir.SettingsPath().c_str(), 0444), 0);
    EXPECT_EQ(SaveSettingsFile(dir.Path(), ChangedRecord()), SettingsSave::CannotWrite);
    EXPECT_EQ(ReadBytes(dir.SettingsPath()), kOldBytes);
    EXPECT_EQ(ModeOf(dir.SettingsPath()), 0444u);
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{kSettingsFileName});

    SettingsRecord loaded;  // a read-only file still loads
    ASSERT_EQ(LoadSettingsFile(dir.Path(), loaded), SettingsLoad::Loaded);
    EXPECT_EQ(loaded.scales.cal, 7.0);
}

TEST(SettingsSave, DirectoryThatCannotTakeAFile) {
    ScratchDirectory dir;
    const auto plainFile = dir.Path() / "not-a-directory";
    WriteBytes(plainFile, kOldBytes);
    EXPECT_EQ(SaveSettingsFile(dir.Path() / "missing", SettingsRecord{}),
              SettingsSave::CannotWrite);
    EXPECT_EQ(SaveSettingsFile(plainFile, SettingsRecord{}), SettingsSave::CannotWrite);
    EXPECT_EQ(ReadBytes(plainFile), kOldBytes);
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"not-a-directory"});

    std::filesystem::create_directory(dir.SettingsPath());  // a directory in the file's place
    EXPECT_EQ(SaveSettingsFile(dir.Path(), SettingsRecord{}), SettingsSave::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_empty(dir.SettingsPath()));
}

// The folder's mark is respected even by the superuser, whom the permission bits would not stop.
TEST(SettingsSave, WriteProtectedDirectoryKeepsTheOldFile) {
    ScratchDirectory dir;
    WriteBytes(dir.SettingsPath(), kOldBytes);
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    EXPECT_EQ(SaveSettingsFile(dir.Path(), ChangedRecord()), SettingsSave::CannotWrite);
    EXPECT_EQ(ReadBytes(dir.SettingsPath()), kOldBytes);
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{kSettingsFileName});
}

// A file-size limit makes the write fail half-way, as a full disk would, for any user.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool Active() const { return active_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool active_ = false;
};

TEST(SettingsSave, FailingWriteLeavesTheOldFileAndNoTemporaryFile) {
    ScratchDirectory dir;
    WriteBytes(dir.SettingsPath(), kOldBytes);
    SettingsSave result = SettingsSave::Saved;
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.Active());
        result = SaveSettingsFile(dir.Path(), ChangedRecord());
    }
    EXPECT_EQ(result, SettingsSave::CannotWrite);
    EXPECT_EQ(ReadBytes(dir.SettingsPath()), kOldBytes);
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{kSettingsFileName});
}

}  // namespace
}  // namespace velmora2
