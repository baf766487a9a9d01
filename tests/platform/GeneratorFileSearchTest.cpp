// Generator files are found in the program's directory first, then the current directory, then
// along PATH, with ".wav" added to a bare name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/GeneratorFileSearch.h"

namespace velmora2 {
namespace {

namespace fs = std::filesystem;

class GeneratorFileSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("velmora2-search-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        for (const char* dir : {"program", "current", "path1", "path2", "user", "installed"})
            fs::create_directories(root_ / dir);
        places_ = {root_ / "program",
                   root_ / "current",
                   (root_ / "path1").string() + ":" + (root_ / "path2").string(),
                   {root_ / "user", root_ / "installed"}};
    }
    void TearDown() override { fs::remove_all(root_); }
    void Touch(const fs::path& file) { std::ofstream(root_ / file) << "x"; }

    fs::path root_;
    FileSearchPlaces places_;
};

TEST_F(GeneratorFileSearchTest, SearchOrderAndExtension) {
    struct Case {
        const char* description;
        std::vector<const char*> files;  // relative to the test root
        const char* name;
        const char* expected;  // relative to the test root; nullptr = not found
    };
    const Case cases[] = {
        {"program directory wins over the others",
         {"program/sin1k.wav", "current/sin1k.wav", "path1/sin1k.wav"},
         "sin1k.wav",
         "program/sin1k.wav"},
        {"program directory before the user's tone files",
         {"program/e.wav", "user/e.wav"},
         "e.wav",
         "program/e.wav"},
        {"the user's tone files before the installed ones and the current directory",
         {"user/f.wav", "installed/f.wav", "current/f.wav"},
         "f.wav",
         "user/f.wav"},
        {"installed tone files before the current directory",
         {"installed/g.wav", "current/g.wav", "path1/g.wav"},
         "g",
         "installed/g.wav"},
        {"current directory before PATH",
         {"current/a.wav", "path1/a.wav"},
         "a.wav",
         "current/a.wav"},
        {"PATH directories in their order", {"path2/b.wav", "path1/b.wav"}, "b.wav", "path1/b.wav"},
        {"last PATH entry is searched", {"path2/c.wav"}, "c.wav", "path2/c.wav"},
        {"a bare name gets .wav", {"program/sin100.wav"}, "sin100", "program/sin100.wav"},
        {"an extension is kept as given", {"program/tone.raw"}, "tone.raw", "program/tone.raw"},
        {"a name with an extension is not changed", {"program/tone.wav"}, "tone.raw", nullptr},
        {"missing everywhere", {}, "missing.wav", nullptr},
        {"names are case-sensitive", {"program/Sin1k.wav"}, "sin1k.wav", nullptr},
        {"a directory is not a file", {}, "program", nullptr},
        {"an empty name finds nothing", {"program/.wav"}, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        TearDown();
        SetUp();
        for (const char* file : c.files) Touch(file);
        const auto found = FindGeneratorFile(c.name, places_);
        if (c.expected == nullptr) {
            EXPECT_FALSE(found.has_value()) << found->string();
        } else {
            ASSERT_TRUE(found.has_value());
            EXPECT_EQ(*found, root_ / c.expected);
        }
    }
}

TEST_F(GeneratorFileSearchTest, AbsoluteNameIsTakenAsItStands) {
    Touch("path2/abs.wav");
    EXPECT_EQ(FindGeneratorFile((root_ / "path2/abs").string(), places_), root_ / "path2/abs.wav");
    EXPECT_FALSE(FindGeneratorFile((root_ / "path1/abs.wav").string(), places_).has_value());
}

TEST_F(GeneratorFileSearchTest, EmptyPathEntriesAreSkipped) {
    places_.pathVariable = "::" + (root_ / "path2").string() + ":";
    Touch("path2/d.wav");
    EXPECT_EQ(FindGeneratorFile("d", places_), root_ / "path2/d.wav");
}

}  // namespace
}  // namespace velmora2
