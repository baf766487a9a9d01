// Settings and recordings stay beside the program while its directory can be written; otherwise
// they go to the user's XDG directories, with the documented defaults under HOME.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/FilePlaces.h"

namespace velmora2 {
namespace {

namespace fs = std::filesystem;

class FilePlacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("velmora2-places-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "prefix/bin");
    }
    void TearDown() override {
        fs::permissions(root_ / "prefix/bin", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    void MakeProgramDirectoryReadOnly() {
        fs::permissions(root_ / "prefix/bin",
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    FilePlaces Resolve(const std::map<std::string, std::string>& variables) {
        return ResolveFilePlaces(root_ / "prefix/bin", [&](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        });
    }

    fs::path root_;
};

TEST_F(FilePlacesTest, WritableProgramDirectoryKeepsEverythingBesideTheProgram) {
    const FilePlaces places = Resolve({{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}});
    EXPECT_EQ(places.settingsDirectory, root_ / "prefix/bin");
    EXPECT_EQ(places.recordingsDirectory, root_ / "prefix/bin");
    // Tone files are looked for in the user's and the installed data directories all the same.
    EXPECT_EQ(places.userDataDirectory, fs::path("/home/u/.local/share/velmora2"));
    EXPECT_EQ(places.installedDataDirectory, root_ / "prefix/share/velmora2");
}

TEST_F(FilePlacesTest, ReadOnlyProgramDirectorySendsFilesToTheUsersDirectories) {
    struct Case {
        const char* description;
        std::map<std::string, std::string> variables;
        const char* settings;    // expected, or nullptr for the program directory
        const char* recordings;  // expected, or nullptr for the program directory
    };
    const Case cases[] = {
        {"both XDG variables set",
         {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}},
         "/cfg/velmora2",
         "/data/velmora2"},
        {"defaults under HOME",
         {{"HOME", "/home/u"}},
         "/home/u/.config/velmora2",
         "/home/u/.local/share/velmora2"},
        {"empty XDG variables fall back to the defaults",
         {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", ""}},
         "/home/u/.config/velmora2",
         "/home/u/.local/share/velmora2"},
        {"relative XDG variables are ignored",
         {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "data"}},
         "/home/u/.config/velmora2",
         "/home/u/.local/share/velmora2"},
        {"no HOME and no XDG: nowhere better than the program directory", {}, nullptr, nullptr},
        {"XDG set without HOME", {{"XDG_CONFIG_HOME", "/cfg"}}, "/cfg/velmora2", nullptr},
    };
    MakeProgramDirectoryReadOnly();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        const FilePlaces places = Resolve(c.variables);
        const fs::path program = root_ / "prefix/bin";
        EXPECT_EQ(places.settingsDirectory, c.settings ? fs::path(c.settings) : program);
        EXPECT_EQ(places.recordingsDirectory, c.recordings ? fs::path(c.recordings) : program);
    }
}

TEST_F(FilePlacesTest, WritabilityOfDirectories) {
    EXPECT_TRUE(IsWritableDirectory(root_ / "prefix/bin"));
    EXPECT_FALSE(IsWritableDirectory(root_ / "missing"));
    fs::create_directories(root_ / "file-parent");
    {
        std::FILE* f = std::fopen((root_ / "file-parent/plain").c_str(), "w");
        std::fclose(f);
    }
    EXPECT_FALSE(IsWritableDirectory(root_ / "file-parent/plain"));
    // Locked even for the superuser, who could otherwise write anywhere.
    MakeProgramDirectoryReadOnly();
    EXPECT_FALSE(IsWritableDirectory(root_ / "prefix/bin"));
}

}  // namespace
}  // namespace velmora2
