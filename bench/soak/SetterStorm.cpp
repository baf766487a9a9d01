#include "bench/soak/SetterStorm.h"

#include <array>
#include <chrono>
#include <random>
#include <string>

namespace velmora2 {

namespace {

const std::array<std::string, 6> kWindows{"han", "ham", "black", "black-h", "bart", "rect"};
const std::array<std::string, 3> kPhaseRanges{"-90 to 90", "-180 to 180", "-360 to 360"};
constexpr std::array<int32_t, 3> kFactors{1, 2, 4};
constexpr std::array<int32_t, 4> kSweepPoints{11, 18, 30, 45};

}  // namespace

SetterStorm::SetterStorm(CDSCapture& engine, SoakConfiguration configuration, uint32_t seed)
    : engine_(engine), configuration_(configuration), thread_([this, seed] { Run(seed); }) {}

SetterStorm::~SetterStorm() {
    stop_.store(true);
    thread_.join();
}

void SetterStorm::Run(uint32_t seed) {
    std::mt19937 random(seed);
    const auto pick = [&](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    const auto coin = [&] { return pick(2) == 1; };
    constexpr int kOperations = 25;
    while (!stop_.load()) {
        CDSCapture& e = engine_;
        switch (pick(kOperations)) {
            case 0:
                e.SetMode(configuration_.mode);
                break;
            case 1:
                e.ToggleRun();
                e.ToggleRun();
                break;
            case 2:
                e.ResetSweep();
                break;
            case 3:
                e.SetTriggerLevel(pick(65536) - 32768);
                break;
            case 4:
                e.SetTriggerSource(pick(3));
                break;
            case 5:
                e.SetTriggerMode(coin(), coin());
                break;
            case 6:
                e.SetRecordLength(configuration_.recordLength);
                break;
            case 7:
                e.SetChannelDelay(pick(11) - 5);
                break;
            case 8:
                e.SetOversampling(kFactors[pick(3)]);
                break;
            case 9:
                e.SetLogAxis(coin());
                break;
            case 10:
                e.SetWindowFunction(kWindows[pick(6)]);
                break;
            case 11:
                e.SetDifferenceUnit(coin());
                break;
            case 12:
                e.SetDelayDisplay(coin());
                break;
            case 13:
                e.SetAdcRange(coin());
                break;
            case 14:
                e.SetMeasurements(coin(), coin(), coin(), coin(), coin());
                break;
            case 15:
                e.SetAveraging(true, configuration_.averages);
                break;
            case 16:
                e.SetSweepPoints(kSweepPoints[pick(4)]);
                break;
            case 17:
                e.SetSlowSweep(coin());
                break;
            case 18:
                e.SetPeakSearch(coin());
                break;
            case 19:
                e.StartSweepPoint(pick(45));
                break;
            case 20: {
                DisplayScales scales;
                scales.timeSpan = 48 * (1 + pick(100));
                scales.timeOffset = pick(2000);
                scales.scaleL = 1 << pick(16);
                scales.scaleR = 1 << pick(16);
                scales.positionL = pick(361) - 180;
                scales.positionR = pick(361) - 180;
                scales.cal = 0.01 + pick(1000) / 100.0;
                scales.freqSpan = 1000 * (1 + pick(96));
                scales.freqOffset = pick(1000);
                scales.dbBottomL = -12 * (1 + pick(15));
                scales.dbBottomR = -12 * (1 + pick(15));
                scales.specCal = pick(41) - 20;
                scales.phaseRange = kPhaseRanges[pick(3)];
                e.ApplyDisplayScales(scales);
                break;
            }
            case 21: {
                std::array<int32_t, kEngineCursorCount> cursors{};
                for (int32_t& c : cursors) c = pick(481);
                e.SetCursors(cursors);
                break;
            }
            case 22:
                e.SetOutputs(true, true, coin());
                break;
            case 23:
                e.SetGeneratorVolume(-100 * pick(13));
                break;
            default:
                e.SetAveraging(true, configuration_.averages);
                break;
        }
        calls_.fetch_add(1, std::memory_order_relaxed);
        std::this_thread::sleep_for(std::chrono::milliseconds(1 + pick(5)));
    }
}

}  // namespace velmora2
