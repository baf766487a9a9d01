// Hands the loaded settings to the engine once it runs, in the order the engine expects them.
#include "engine/CDSCapture.h"
#include "settings/SettingsFile.h"

namespace velmora2 {

void ApplySettingsToEngine(const SettingsRecord& record, CDSCapture& engine) {
    engine.ApplyDisplayScales(record.scales);
    engine.SetOversampling(record.osr);
    engine.SetDifferenceUnit(record.difunitSec);
    engine.SetTriggerMode(record.trigEdgeRising, record.trigModeNormal);
    engine.SetChannelDelay(record.tadj);
    engine.SetAdcRange(record.adcRange);
    engine.SetRecordLength(record.fftn);
    engine.SetLogAxis(record.xlog);
    engine.SetWindowFunction(record.winfunc);
    engine.SetMeasurements(record.mainFreq, record.thd, record.thdpn, record.sn, record.hpf);
    engine.SetPrecisionReadout(record.precision);
    engine.SetDelayDisplay(record.phaseDisplay);
    engine.SetAveraging(record.aveenb, record.maxaven);
    engine.SetSweepPoints(record.wavn);
    engine.SetSlowSweep(record.slowSweep);
}

}  // namespace velmora2
