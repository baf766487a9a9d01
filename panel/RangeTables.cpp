#include "panel/RangeTables.h"

#include <span>

#include "display/VoltDivTable.h"

namespace velmora2 {

namespace {

// timeSpan = 10 x time/div x effective rate. Where that is not whole (19.2, 38.4, 76.8, 153.6,
// 15.36) each row keeps its own fixed value, which is not always the value rounded down.
constexpr TimeDivList kTimeDiv48k{{{"50us/d", 24},
                                   {"100us/d", 48},
                                   {"200us/d", 96},
                                   {"500us/d", 240},
                                   {"1ms/d", 480},
                                   {"2ms/d", 960},
                                   {"4ms/d", 1920}}};
constexpr TimeDivList kTimeDiv96k{{{"20us/d", 19},
                                   {"50us/d", 48},
                                   {"100us/d", 96},
                                   {"200us/d", 192},
                                   {"500us/d", 480},
                                   {"1ms/d", 960},
                                   {"2ms/d", 1920}}};
constexpr TimeDivList kTimeDiv192k{{{"10us/d", 19},
                                    {"20us/d", 38},
                                    {"50us/d", 96},
                                    {"100us/d", 192},
                                    {"200us/d", 384},
                                    {"500us/d", 960},
                                    {"1ms/d", 1920}}};
constexpr TimeDivList kTimeDiv384k{{{"5us/d", 19},
                                    {"10us/d", 38},
                                    {"20us/d", 76},
                                    {"50us/d", 192},
                                    {"100us/d", 384},
                                    {"200us/d", 768},
                                    {"500us/d", 1920}}};
constexpr TimeDivList kTimeDiv768k{{{"2us/d", 15},
                                    {"5us/d", 38},
                                    {"10us/d", 77},
                                    {"20us/d", 154},
                                    {"50us/d", 384},
                                    {"100us/d", 768},
                                    {"200us/d", 1536}}};

// Hz/div for the linear axis. The two widest rows need a rate that can show them.
constexpr std::array<RangeRow, 7> kHzDiv{{{"100Hz/d", 1000},
                                          {"200Hz/d", 2000},
                                          {"500Hz/d", 5000},
                                          {"1kHz/d", 10000},
                                          {"2kHz/d", 20000},
                                          {"5kHz/d", 50000},
                                          {"10kHz/d", 100000}}};
// The widest Hz/div row each rate can show.
constexpr int kWidestHzDivAt48k = 4;
constexpr int kWidestHzDivAt96k = 5;

constexpr std::array<RangeRow, kVoltDivRows.size()> kVoltDiv = [] {
    std::array<RangeRow, kVoltDivRows.size()> rows{};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = {kVoltDivRows[i].label, kVoltDivRows[i].counts};
    return rows;
}();

// The spin for dB/div runs 0..9 like the V/div spin it shares; rows past the last one fall back
// to it.
constexpr std::array<RangeRow, 4> kDbDiv{
    {{"3dB/d", -36}, {"5dB/d", -60}, {"10dB/d", -120}, {"20dB/d", -240}}};
constexpr int kDbDivSpinLast = 9;

// Generator volume in hundredths of a dB, 1 dB a step.
constexpr std::array<RangeRow, 13> kVolume{{{"-12dB", -1200},
                                            {"-11dB", -1100},
                                            {"-10dB", -1000},
                                            {"-9dB", -900},
                                            {"-8dB", -800},
                                            {"-7dB", -700},
                                            {"-6dB", -600},
                                            {"-5dB", -500},
                                            {"-4dB", -400},
                                            {"-3dB", -300},
                                            {"-2dB", -200},
                                            {"-1dB", -100},
                                            {"0dB", 0}}};

constexpr bool LabelsFit(std::span<const RangeRow> rows) {
    for (const RangeRow& row : rows)
        if (row.label.size() > kMaxRangeLabelLength) return false;
    return true;
}
static_assert(LabelsFit(kTimeDiv48k) && LabelsFit(kTimeDiv96k) && LabelsFit(kTimeDiv192k) &&
              LabelsFit(kTimeDiv384k) && LabelsFit(kTimeDiv768k) && LabelsFit(kHzDiv) &&
              LabelsFit(kVoltDiv) && LabelsFit(kDbDiv) && LabelsFit(kVolume));

std::optional<RangeStep> RowAt(std::span<const RangeRow> rows, int position) {
    if (position < 0 || position >= static_cast<int>(rows.size())) return std::nullopt;
    const RangeRow& row = rows[position];
    return RangeStep{row.label, row.value, position};
}

std::optional<RangeStep> RowFor(std::span<const RangeRow> rows, int32_t value) {
    for (int position = 0; position < static_cast<int>(rows.size()); ++position)
        if (rows[position].value == value) return RowAt(rows, position);
    return std::nullopt;
}

}  // namespace

const TimeDivList* TimeDivListFor(int osr, int activeSampleRate) {
    if (osr != 1 && osr != 2 && osr != 4) return nullptr;
    switch (activeSampleRate) {
        case 48000:
            return osr == 1 ? &kTimeDiv48k : osr == 2 ? &kTimeDiv96k : &kTimeDiv192k;
        case 96000:
            return osr == 1 ? &kTimeDiv96k : osr == 2 ? &kTimeDiv192k : &kTimeDiv384k;
        case 192000:
            return osr == 1 ? &kTimeDiv192k : osr == 2 ? &kTimeDiv384k : &kTimeDiv768k;
        default:
            return nullptr;
    }
}

std::optional<RangeStep> TimeDivAt(int position, int osr, int activeSampleRate) {
    const TimeDivList* list = TimeDivListFor(osr, activeSampleRate);
    if (list == nullptr) return std::nullopt;
    return RowAt(*list, position);
}

std::optional<RangeStep> HzDivAt(int position, int activeSampleRate) {
    std::optional<RangeStep> step = RowAt(kHzDiv, position);
    if (!step) return step;
    const int widest = activeSampleRate == 48000   ? kWidestHzDivAt48k
                       : activeSampleRate == 96000 ? kWidestHzDivAt96k
                                                   : static_cast<int>(kHzDiv.size()) - 1;
    return position > widest ? RowAt(kHzDiv, widest) : step;
}

std::optional<RangeStep> VoltDivAt(int position) {
    return RowAt(kVoltDiv, position);
}

std::optional<RangeStep> DbDivAt(int position) {
    if (position > kDbDivSpinLast) return std::nullopt;
    return RowAt(kDbDiv, std::min(position, static_cast<int>(kDbDiv.size()) - 1));
}

std::optional<RangeStep> VolumeAt(int position) {
    return RowAt(kVolume, position);
}

std::optional<RangeStep> TimeDivForSpan(int32_t timeSpan, int osr, int activeSampleRate) {
    const TimeDivList* list = TimeDivListFor(osr, activeSampleRate);
    if (list == nullptr) return std::nullopt;
    return RowFor(*list, timeSpan);
}

std::optional<RangeStep> HzDivForSpan(int32_t freqSpan) {
    return RowFor(kHzDiv, freqSpan);
}

std::optional<RangeStep> VoltDivForScale(int32_t scale) {
    return RowFor(kVoltDiv, scale);
}

std::optional<RangeStep> DbDivForBottom(int32_t dbBottom) {
    return RowFor(kDbDiv, dbBottom);
}

}  // namespace velmora2
