// Closing the main window while its engine's worker is stuck: the window reports the worker left
// running, so the program exits without tearing down what that worker still uses.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/CTarvikDlg.h"
#include "audio/sim/SimBench.h"
#include "tests/support/BlockingTarget.h"
#include "tests/support/EngineTestSupport.h"
#include "tests/support/FakeDialog.h"

namespace velmora2 {
namespace {

TEST(Shutdown, AStuckWorkerIsReportedAndACleanOneIsNot) {
    const int threadsBefore = testing::BaselineThreadCount();
    SimBench bench;
    testing::BlockingTarget clientArea;
    testing::FakeDialogView view;
    testing::FakeDialogServices services;
    CTarvikDlg window(bench, clientArea, view, services, "/nonexistent/velmora2-shutdown");
    window.OnInitDialog();
    ASSERT_NE(window.MainEngine(), nullptr);
    // Start-up stopped the probe engine cleanly.
    EXPECT_FALSE(window.WorkerLeftRunning());

    clientArea.Arm();
    ASSERT_EQ(bench.Step(1), 1);
    ASSERT_TRUE(clientArea.WaitUntilHeld());
    window.OnClose();
    EXPECT_EQ(window.MainEngine(), nullptr);
    EXPECT_TRUE(window.WorkerLeftRunning());

    // Let the worker end before the bench and the client area go away with this test.
    clientArea.Release();
    EXPECT_EQ(testing::ThreadCountOnceItIs(threadsBefore), threadsBefore);
}

}  // namespace
}  // namespace velmora2
