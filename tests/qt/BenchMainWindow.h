// The real main window on a real-time simulated bench, with the tone files of an 11-point sweep
// and the 1 kHz generator tone beside it. Every picture the engine shows lands both in the
// window's client area (pixels) and in a call log (texts and coordinates).
#pragma once

#include <memory>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "qt/QtDialogServices.h"
#include "qt/QtMainWindow.h"
#include "tests/support/TempDirectory.h"

namespace velmora2::testing {

// A simulated bench paced by the real clock, as the program runs it.
SimBenchOptions RealTimeBench();

// Hands every picture to the window's client area and to a call log alike.
class PictureTee final : public DrawingTarget {
public:
    PictureTee(DrawingTarget& pixels, DrawingTarget& log) : pixels_(pixels), log_(log) {}
    std::unique_ptr<Surface> CreateSurface(int width, int height, Rgb background) override;
    void CopyToWindow(const Surface& source, int x, int y) override;

private:
    DrawingTarget& pixels_;
    DrawingTarget& log_;
};

struct BenchMainWindow {
    static constexpr int kSweepPoints = 11;

    BenchMainWindow();
    ~BenchMainWindow();
    void Click(int id);
    // Whether the last picture shown carries the text.
    bool LastPictureShows(const std::string& text) const;

    TempDirectory directory;
    SimBench bench;
    QtMainWindow window;
    QtDialogServices services;
    DrawCallLogTarget pictures;
    PictureTee tee;
    CTarvikDlg mainWindow;
};

}  // namespace velmora2::testing
