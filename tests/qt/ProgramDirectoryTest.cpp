// The program directory is where the executable lies, found through the link to it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/ProgramDirectory.h"

namespace velmora2 {
namespace {

namespace fs = std::filesystem;

class ProgramDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("velmora2-programdir-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path root_;
};

TEST_F(ProgramDirectoryTest, IsTheDirectoryOfTheLinkedFile) {
    fs::create_symlink("/opt/instrument/bin/velmora2", root_ / "exe");
    EXPECT_EQ(ProgramDirectory(root_ / "exe"), fs::path("/opt/instrument/bin"));
}

TEST_F(ProgramDirectoryTest, RelativeLinkIsTakenFromTheLinksOwnDirectory) {
    fs::create_symlink("bin/velmora2", root_ / "exe");
    EXPECT_EQ(ProgramDirectory(root_ / "exe"), root_ / "bin");
}

TEST_F(ProgramDirectoryTest, UnreadableLinkFallsBackToTheCurrentDirectory) {
    EXPECT_EQ(ProgramDirectory(root_ / "missing"), fs::current_path());
}

TEST_F(ProgramDirectoryTest, RunningProgramLiesInIt) {
    EXPECT_TRUE(fs::exists(ProgramDirectory() / "qt_tests"));
}

}  // namespace
}  // namespace velmora2
