// The loaded settings reach a real engine: every value the engine keeps reads back from it.
#include <gtest/gtest.h>

#include "audio/sim/SimBench.h"
#include "display/DrawCallLog.h"
#include "engine/CDSCapture.h"
#include "settings/SettingsFile.h"

namespace velmora2 {
namespace {

TEST(ApplySettings, EveryEngineSettingReadsBackFromTheEngine) {
    SimBench bench;
    DrawCallLogTarget window;
    CDSCapture engine(bench, window, DeviceId{}, DeviceId{}, 48000);

    SettingsRecord r;
    r.scales.cal = 2.5;
    r.scales.specCal = -3.0;
    r.scales.gainRange = -20.0;
    r.scales.delayRange = 100.0;
    r.scales.phaseRange = "-90 to 90";
    r.scales.gainOffset = 1.5;
    r.scales.timeSpan = 960;
    r.osr = 4;
    r.difunitSec = false;
    r.trigEdgeRising = false;
    r.trigModeNormal = false;
    r.tadj = -2;
    r.adcRange = true;
    r.fftn = 8192;
    r.xlog = true;
    r.winfunc = "bart";
    r.mainFreq = false;
    r.thd = true;
    r.thdpn = false;
    r.sn = true;
    r.hpf = true;
    r.phaseDisplay = false;
    r.aveenb = true;
    r.maxaven = 300;
    r.wavn = 30;
    r.slowSweep = true;
    ApplySettingsToEngine(r, engine);

    const RuntimeState s = engine.Settings();
    EXPECT_EQ(s.scales, r.scales);
    EXPECT_EQ(s.oversampling, 4);
    EXPECT_FALSE(s.differenceUnit);
    EXPECT_FALSE(s.triggerRising);
    EXPECT_FALSE(s.triggerRepeat);
    EXPECT_EQ(s.channelDelay, -2);
    EXPECT_TRUE(s.adcRangeShown);
    EXPECT_TRUE(s.logAxis);
    EXPECT_EQ(s.windowFunction, "bart");
    EXPECT_EQ(s.measurements, (MeasurementSwitches{false, true, false, true, true}));
    EXPECT_FALSE(s.delayDisplay);
    EXPECT_TRUE(s.averagingOn);
    EXPECT_EQ(s.averagingLength, 300);
    EXPECT_EQ(s.sweepPoints, 30);
    EXPECT_TRUE(s.slowSweep);
    // Settings the engine does not take from the record stay as they were.
    EXPECT_EQ(s.generatorFile, "sin1k.wav");
    EXPECT_EQ(engine.SampleRate(), 48000);
}

}  // namespace
}  // namespace velmora2
