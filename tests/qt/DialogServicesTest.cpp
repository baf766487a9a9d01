// The window's services: the end of the dialog before and inside the event loop, sub-dialogs
// that end themselves while they initialise, numbered timers and one-shot timers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "qt/QtDialogServices.h"
#include "qt/QtDialogView.h"
#include "tests/support/QtTestApplication.h"

namespace velmora2 {
namespace {

// A dialog whose initialisation ends it with a given result, or leaves it open.
class SelfEndingDialog final : public ModalDialog {
public:
    explicit SelfEndingDialog(std::optional<int> result) : result_(result) {}
    int TemplateId() const override { return 143; }
    void OnInitDialog(DialogView&, DialogServices& services) override {
        initialised_ = true;
        if (result_) services.EndDialog(*result_);
    }
    bool initialised_ = false;

private:
    std::optional<int> result_;
};

TEST(QtDialogServices, EndBeforeTheEventLoopIsKeptForTheCaller) {
    QWidget window;
    QtDialogServices services(&window);
    EXPECT_FALSE(services.EndResult().has_value());
    services.EndDialog(3);
    EXPECT_EQ(services.EndResult(), 3);
}

TEST(QtDialogServices, EndInsideTheEventLoopHidesTheWindowAndLeavesTheLoopWithTheResult) {
    QWidget window;
    window.show();
    QtDialogServices services(&window);
    services.SetEventLoopRunning();
    QTimer::singleShot(0, &window, [&] { services.EndDialog(7); });
    EXPECT_EQ(QApplication::exec(), 7);
    EXPECT_FALSE(window.isVisible());
}

TEST(QtDialogServices, SubDialogEndingItselfGivesItsResultAndLeavesTheWindowOpen) {
    QWidget window;
    QtDialogServices services(&window);
    SelfEndingDialog dialog(1);
    EXPECT_EQ(services.RunModal(dialog), 1);
    EXPECT_TRUE(dialog.initialised_);
    EXPECT_FALSE(services.EndResult().has_value());
}

TEST(QtDialogServices, SubDialogThatStaysOpenCountsAsCancelled) {
    QtDialogServices services(nullptr);
    SelfEndingDialog dialog(std::nullopt);
    EXPECT_EQ(services.RunModal(dialog), QtDialogServices::kCancelResult);
    EXPECT_TRUE(dialog.initialised_);
}

TEST(QtDialogServices, NumberedTimerTicksUntilKilled) {
    QtDialogServices services(nullptr);
    std::vector<int> ticks;
    services.SetTimerHandler([&](int id) { ticks.push_back(id); });
    EXPECT_EQ(services.SetTimer(1, 5), 1);
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return ticks.size() >= 3; }));
    services.KillTimer(1);
    const size_t killedAt = ticks.size();
    testing::ProcessEventsFor(60);
    EXPECT_EQ(ticks.size(), killedAt);
    EXPECT_EQ(ticks, std::vector<int>(killedAt, 1));
}

TEST(QtDialogServices, SettingARunningTimerAgainReplacesItsPeriod) {
    QtDialogServices services(nullptr);
    int ticks = 0;
    services.SetTimerHandler([&](int) { ++ticks; });
    services.SetTimer(1, 600000);
    services.SetTimer(1, 5);
    EXPECT_TRUE(testing::ProcessEventsUntil([&] { return ticks >= 2; }));
}

TEST(QtDialogServices, SingleShotRunsOnceOnTheEventLoop) {
    QtDialogServices services(nullptr);
    int runs = 0;
    services.SingleShot(1, [&] { ++runs; });
    EXPECT_EQ(runs, 0);
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return runs > 0; }));
    testing::ProcessEventsFor(30);
    EXPECT_EQ(runs, 1);
}

TEST(QtDialogServices, PendingTimersDieWithTheServices) {
    int runs = 0;
    {
        QtDialogServices services(nullptr);
        services.SetTimerHandler([&](int) { ++runs; });
        services.SetTimer(1, 1);
        services.SingleShot(1, [&] { ++runs; });
    }
    testing::ProcessEventsFor(30);
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace velmora2
