// The real main window on a real-time simulated bench, shared by the window-level mode tests.
#include "tests/qt/BenchMainWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <cmath>

#include "analysis/SweepTable.h"
#include "app/MainWindowLayout.h"
#include "engine/ToneFile.h"
#include "platform/GeneratorFileNames.h"
#include "settings/SettingsFile.h"

namespace velmora2::testing {
namespace {

// Both halves of a teed surface; the target copies each half to its own side.
class TeeSurface final : public Surface {
public:
    TeeSurface(std::unique_ptr<Surface> pixels, std::unique_ptr<Surface> log)
        : pixels_(std::move(pixels)), log_(std::move(log)) {}
    int Width() const override { return pixels_->Width(); }
    int Height() const override { return pixels_->Height(); }
    void SetPen(Rgb color, PenStyle style) override {
        pixels_->SetPen(color, style);
        log_->SetPen(color, style);
    }
    void MoveTo(int x, int y) override {
        pixels_->MoveTo(x, y);
        log_->MoveTo(x, y);
    }
    void LineTo(int x, int y) override {
        pixels_->LineTo(x, y);
        log_->LineTo(x, y);
    }
    void FillPolygon(std::span<const Point> points, Rgb fill) override {
        pixels_->FillPolygon(points, fill);
        log_->FillPolygon(points, fill);
    }
    void FillRect(int left, int top, int right, int bottom, Rgb fill) override {
        pixels_->FillRect(left, top, right, bottom, fill);
        log_->FillRect(left, top, right, bottom, fill);
    }
    void DrawText(int x, int y, std::string_view text, Rgb color) override {
        pixels_->DrawText(x, y, text, color);
        log_->DrawText(x, y, text, color);
    }
    const Surface& Pixels() const { return *pixels_; }
    const Surface& Log() const { return *log_; }

private:
    std::unique_ptr<Surface> pixels_;
    std::unique_ptr<Surface> log_;
};

SettingsRecord SweepSettings() {
    SettingsRecord settings;
    settings.wavn = BenchMainWindow::kSweepPoints;
    return settings;
}

void WriteBenchFiles(const std::filesystem::path& directory) {
    const SettingsRecord settings = SweepSettings();
    const SweepTable table = BuildSweepTable(settings.wavn, settings.fsample);
    for (int i = 0; i < table.count; ++i) {
        const int hz = static_cast<int>(std::lround(table.frequency[i]));
        EXPECT_TRUE(WriteToneFile(directory / ToneFileName(hz, 48000), hz, 48000));
    }
    EXPECT_TRUE(WriteToneFile(directory / kDefaultToneFile, 1000, 48000));
    EXPECT_EQ(SaveSettingsFile(directory, settings), SettingsSave::Saved);
}

const std::filesystem::path& Prepared(const TempDirectory& directory) {
    WriteBenchFiles(directory.Path());
    return directory.Path();
}

}  // namespace

std::unique_ptr<Surface> PictureTee::CreateSurface(int width, int height, Rgb background) {
    return std::make_unique<TeeSurface>(pixels_.CreateSurface(width, height, background),
                                        log_.CreateSurface(width, height, background));
}

void PictureTee::CopyToWindow(const Surface& source, int x, int y) {
    const auto* tee = dynamic_cast<const TeeSurface*>(&source);
    if (tee == nullptr) return;
    pixels_.CopyToWindow(tee->Pixels(), x, y);
    log_.CopyToWindow(tee->Log(), x, y);
}

SimBenchOptions RealTimeBench() {
    SimBenchOptions options;
    options.realTimeClock = true;
    return options;
}

BenchMainWindow::BenchMainWindow()
    : bench(RealTimeBench()),
      window(MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
             MainWindowTitle()),
      services(&window),
      tee(window.ClientArea(), pictures),
      mainWindow(bench, tee, window.View(), services, Prepared(directory)) {
    window.SetClickHandler([this](int id) { mainWindow.OnCommand(id); });
    services.SetTimerHandler([this](int id) { mainWindow.OnTimer(id); });
    mainWindow.OnInitDialog();
    window.show();
}

BenchMainWindow::~BenchMainWindow() {
    mainWindow.OnClose();
}

void BenchMainWindow::Click(int id) {
    qobject_cast<QAbstractButton*>(window.View().Widget(id))->click();
}

bool BenchMainWindow::LastPictureShows(const std::string& text) const {
    const std::vector<DrawCallLogTarget::Copy> copies = pictures.Copies();
    if (copies.empty()) return false;
    for (const DrawCall& call : copies.back().calls)
        if (call.kind == DrawCall::Kind::Text && call.text == text) return true;
    return false;
}

}  // namespace velmora2::testing
