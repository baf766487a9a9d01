// Saving from the window: the menu's actions write the picture as shown (PNG) and the numbers of
// the mode on screen (CSV), with the main window running on the simulated bench in real time; a
// write-protected folder gives the message and leaves no file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/CTarvikDlg.h"
#include "app/ExportActions.h"
#include "app/MainWindowLayout.h"
#include "app/Messages.h"
#include "audio/sim/SimBench.h"
#include "display/DrawingConventions.h"
#include "qt/QtExportMenu.h"
#include "qt/QtMainWindow.h"
#include "tests/qt/BenchMainWindow.h"
#include "tests/support/FakeDialog.h"
#include "tests/support/QtTestApplication.h"
#include "tests/support/TempDirectory.h"

namespace velmora2 {
namespace {

using testing::FakeDialogServices;
using testing::ProcessEventsUntil;

std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

int CountColour(const QImage& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(colour.r, colour.g, colour.b) ? 1 : 0;
    return count;
}

class ExportMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A 1 kHz tone repeats every 48 samples, so each block's picture is the same picture.
        bench.SetInputSignal([](int64_t frame, double& left, double& right) {
            left = 12000.0 * std::sin(2.0 * M_PI * 1000.0 * static_cast<double>(frame) / 48000.0);
            right = left / 2;
        });
        ASSERT_TRUE(dialog.OnInitDialog());
        ASSERT_NE(dialog.MainEngine(), nullptr);
        dialog.MainEngine()->SetTriggerSource(1);
    }
    void TearDown() override { dialog.OnClose(); }

    // Switches the engine's mode and waits until the window shows pictures of it.
    void ShowMode(int32_t mode) {
        CDSCapture& engine = *dialog.MainEngine();
        engine.SetMode(mode);
        const uint64_t from = engine.BlocksProcessed();
        ASSERT_TRUE(ProcessEventsUntil([&] { return engine.BlocksProcessed() >= from + 3; }));
    }

    std::filesystem::path Save(QAction& action, const std::string& name) {
        next = (files / name).string();
        action.trigger();
        return next;
    }

    testing::TempDirectory files;
    testing::TempDirectory program;
    SimBench bench{testing::RealTimeBench()};
    QtMainWindow window{MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
                        MainWindowTitle()};
    FakeDialogServices services;
    CTarvikDlg dialog{bench, window.ClientArea(), window.View(), services, program.Path()};
    ExportActions exports{services, [this] { return dialog.MainEngine(); }};
    std::string next;  // what the file chooser answers
    QtExportMenu menu{
        window,
        [this](const std::string& path, std::string_view png) { exports.SavePicture(path, png); },
        [this](const std::string& path) { exports.SaveData(path); },
        [this](bool picture) {
            return exports.SuggestedName(picture ? ExportKind::Picture : ExportKind::Data);
        },
        [this](const QString&, const QString&, const QString& offered) {
            offers.push_back(offered.toStdString());
            return QString::fromStdString(next);
        }};
    std::vector<std::string> offers;  // the names the file chooser was offered
};

struct ModeCase {
    const char* description;
    int32_t mode;
    const char* header;
    size_t rows;  // data rows below the header
    bool traces;  // red and blue trace pixels in the picture
};

TEST_F(ExportMenuTest, SavesThePictureAndTheDataOfEachMode) {
    const ModeCase cases[] = {
        {"oscilloscope", kModeScope, "time_s,left_V,right_V", 2048, true},
        {"spectrum", kModeSpectrum, "frequency_Hz,level_dB_L,level_dB_R", 1024, true},
        {"Lissajous", kModeLissajous, "left_V,right_V", 2048, false},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.description);
        ShowMode(c.mode);
        const QImage shown = window.ClientArea().Snapshot().copy(kPictureLeft, kPictureTop,
                                                                 kSurfaceWidth, kSurfaceHeight);
        const auto png = Save(menu.SavePictureAction(), std::string(c.description) + ".png");
        const QImage saved(QString::fromStdString(png.string()));
        ASSERT_FALSE(saved.isNull());
        EXPECT_EQ(saved.size(), QSize(kSurfaceWidth, kSurfaceHeight));
        EXPECT_TRUE(saved.convertToFormat(QImage::Format_RGB32) == shown) << "as shown";
        if (c.traces) {
            EXPECT_GT(CountColour(saved, kLeftChannelColor), 100);
            EXPECT_GT(CountColour(saved, kRightChannelColor), 100);
        }

        const auto csv = Save(menu.SaveDataAction(), std::string(c.description) + ".csv");
        const std::vector<std::string> lines = Lines(csv);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.header);
        EXPECT_EQ(lines.size(), c.rows + 1);
    }
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(ExportMenuTest, TheNetworkPlotHasNoDataToSave) {
    ShowMode(kModeNetworkPlot);
    const auto csv = Save(menu.SaveDataAction(), "network.csv");
    EXPECT_FALSE(std::filesystem::exists(csv));
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text, msg::kNoDataToSave);
}

TEST_F(ExportMenuTest, AWriteProtectedFolderGivesTheMessageAndNoFile) {
    ShowMode(kModeScope);
    const auto locked = files.Path() / "locked";
    std::filesystem::create_directory(locked);
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    Save(menu.SavePictureAction(), "locked/picture.png");
    Save(menu.SaveDataAction(), "locked/data.csv");
    EXPECT_TRUE(std::filesystem::is_empty(locked));
    chmod(locked.c_str(), 0755);

    const auto& messages = services.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, std::string("picture.png") + msg::kCannotWriteExportSuffix);
    EXPECT_EQ(messages[1].text, std::string("data.csv") + msg::kCannotWriteExportSuffix);
    EXPECT_EQ(messages[0].icon, MessageIcon::Exclamation);
}

TEST_F(ExportMenuTest, ActionsCarryTheirCaptionsAndShortcutsOnTheWindow) {
    EXPECT_EQ(menu.SavePictureAction().text().toStdString(), "Save picture...");
    EXPECT_EQ(menu.SaveDataAction().text().toStdString(), "Save data...");
    EXPECT_TRUE(window.actions().contains(&menu.SavePictureAction()));
    EXPECT_TRUE(window.actions().contains(&menu.SaveDataAction()));
    EXPECT_FALSE(menu.SavePictureAction().shortcut().isEmpty());
    EXPECT_NE(menu.SavePictureAction().shortcut(), menu.SaveDataAction().shortcut());
    EXPECT_EQ(window.contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(ExportMenuTest, CancellingTheFileChoiceWritesNothing) {
    const auto before = std::distance(std::filesystem::directory_iterator(files.Path()),
                                      std::filesystem::directory_iterator());
    next.clear();
    menu.SavePictureAction().trigger();
    menu.SaveDataAction().trigger();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files.Path()),
                            std::filesystem::directory_iterator()),
              before);
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(ExportMenuTest, TheChooserOffersWhatIsShownAndWhenAndATypedNameGetsItsExtension) {
    ShowMode(kModeSpectrum);
    Save(menu.SavePictureAction(), "typed");
    Save(menu.SaveDataAction(), "typed");
    EXPECT_TRUE(std::filesystem::exists(files / "typed.png"));
    EXPECT_TRUE(std::filesystem::exists(files / "typed.csv"));
    EXPECT_FALSE(std::filesystem::exists(files / "typed"));
    ASSERT_EQ(offers.size(), 2u);
    EXPECT_TRUE(std::regex_match(offers[0], std::regex(R"(spectrum-\d{4}-\d\d-\d\d-\d{4}\.png)")))
        << offers[0];
    EXPECT_TRUE(std::regex_match(offers[1], std::regex(R"(spectrum-\d{4}-\d\d-\d\d-\d{4}\.csv)")))
        << offers[1];
}

}  // namespace
}  // namespace velmora2
