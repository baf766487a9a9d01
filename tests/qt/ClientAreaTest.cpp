// The client area shows what the engine copies to it: at the given place, clipped to the window,
// repainted through the window's own event loop even when the copy comes from another thread,
// and, with a real engine, the level-meter image as soon as the engine has started.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPixmap>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "app/CTarvikDlg.h"
#include "app/MainWindowLayout.h"
#include "audio/sim/SimBench.h"
#include "engine/MeterImage.h"
#include "qt/QtDialogServices.h"
#include "qt/QtMainWindow.h"
#include "tests/support/ImagePixels.h"
#include "tests/support/QtTestApplication.h"

namespace velmora2 {
namespace {

using testing::kRed;
using testing::PixelAt;

class PaintCounter final : public QObject {
public:
    std::atomic<int> paints{0};
    QRect lastPainted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastPainted = static_cast<QPaintEvent*>(event)->rect();
        }
        return QObject::eventFilter(watched, event);
    }
};

class ClientAreaTest : public ::testing::Test {
protected:
    ClientAreaTest()
        : window_(MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
                  MainWindowTitle()) {}

    QtMainWindow window_;
};

TEST_F(ClientAreaTest, CopyLandsAtItsPlaceAndIsClippedToTheWindow) {
    QtClientArea& area = window_.ClientArea();
    const Rgb background = PixelAt(area.Snapshot(), 700, 580);
    const std::unique_ptr<Surface> picture = area.CreateSurface(10, 10, kRed);
    area.CopyToWindow(*picture, 700, 580);
    const QImage shown = area.Snapshot();
    EXPECT_EQ(PixelAt(shown, 700, 580), kRed);
    EXPECT_EQ(PixelAt(shown, 704, 584), kRed);
    EXPECT_EQ(PixelAt(shown, 699, 580), background);
    EXPECT_EQ(PixelAt(shown, 700, 579), background);
}

TEST_F(ClientAreaTest, CopyFromAnotherThreadIsPaintedByTheWindow) {
    PaintCounter counter;
    window_.installEventFilter(&counter);
    window_.show();
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return counter.paints > 0; }));
    const int paintsBefore = counter.paints;

    QtClientArea& area = window_.ClientArea();
    std::thread worker([&area] {
        const std::unique_ptr<Surface> picture = area.CreateSurface(481, 361, kRed);
        picture->FillRect(0, 0, 10, 10, Rgb{0, 0, 255});
        area.CopyToWindow(*picture, 20, 20);
    });
    worker.join();
    EXPECT_TRUE(testing::ProcessEventsUntil([&] { return counter.paints > paintsBefore; }));

    const QImage grabbed = window_.grab().toImage();
    EXPECT_EQ(PixelAt(grabbed, 25, 25), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(grabbed, 300, 200), kRed);
    EXPECT_EQ(PixelAt(grabbed, 500, 380), kRed);
    EXPECT_NE(PixelAt(grabbed, 501, 381), kRed);
}

// The engine copies its picture every block. Copied again a frame later, a picture whose pixels
// did not change repaints nothing, and one changed in a few places repaints the rectangle
// around them only.
TEST_F(ClientAreaTest, OnlyWhatChangedInAPictureIsRepainted) {
    PaintCounter counter;
    window_.installEventFilter(&counter);
    window_.show();
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return counter.paints > 0; }));
    QtClientArea& area = window_.ClientArea();
    const std::unique_ptr<Surface> picture = area.CreateSurface(481, 361, kRed);
    const auto copyAFrameLater = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        area.CopyToWindow(*picture, 20, 20);
    };
    int paints = counter.paints;
    copyAFrameLater();
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return counter.paints > paints; }));

    paints = counter.paints;
    picture->FillRect(0, 0, 481, 361, kRed);  // drawn again, the same pixels
    copyAFrameLater();
    testing::ProcessEventsUntil([] { return false; }, 200);
    EXPECT_EQ(counter.paints, paints);

    struct Change {
        QRect drawn;  // in the picture
        Rgb color;
        QRect repainted;  // in the window
    };
    const Change changes[] = {
        {QRect(0, 100, 481, 3), Rgb{0, 0, 255}, QRect(20, 120, 481, 3)},  // whole rows
        // Red over red and over part of the blue rows: only the blue that turned red.
        {QRect(300, 90, 60, 20), kRed, QRect(320, 120, 60, 3)},
        {QRect(350, 200, 2, 1), Rgb{0, 255, 0}, QRect(370, 220, 2, 1)},  // two pixels
    };
    for (const Change& change : changes) {
        paints = counter.paints;
        const QRect& r = change.drawn;
        picture->FillRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1, change.color);
        copyAFrameLater();
        ASSERT_TRUE(testing::ProcessEventsUntil([&] { return counter.paints > paints; }));
        EXPECT_EQ(counter.lastPainted, change.repainted);
        EXPECT_EQ(
            PixelAt(window_.grab().toImage(), change.repainted.left(), change.repainted.top()),
            change.color);
    }
}

TEST_F(ClientAreaTest, MeterImageIsShownOnceTheEngineHasStarted) {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("velmora2-meter-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    SimBench bench;  // stepped: no block arrives, so nothing covers the meter yet
    QtDialogServices services(&window_);
    {
        CTarvikDlg dialog(bench, window_.ClientArea(), window_.View(), services, directory);
        dialog.OnInitDialog();
        ASSERT_FALSE(services.EndResult().has_value());
        ASSERT_NE(dialog.MainEngine(), nullptr);

        const QImage shown = window_.ClientArea().Snapshot();
        for (int left : {20, 50}) {
            for (int y = 13; y < 12 + kMeterHeight - 1; ++y) {
                const Rgb row = (y - 12) % 2 == 1 ? kMeterLight : kMeterDark;
                for (int x = left + 1; x < left + kMeterWidth - 1; ++x)
                    ASSERT_EQ(PixelAt(shown, x, y), row) << x << ", " << y;
            }
            EXPECT_EQ(PixelAt(shown, left + 3, 12), (Rgb{255, 255, 255}));
            EXPECT_EQ(PixelAt(shown, left + 3, 12 + kMeterHeight - 1), (Rgb{0, 0, 0}));
        }
        dialog.OnClose();
        EXPECT_EQ(dialog.MainEngine(), nullptr);
    }
    std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace velmora2
