#include "display/DeviceStoppedPicture.h"

#include <cstdio>

#include "display/DrawingConventions.h"
#include "display/FieldGrid.h"

namespace velmora2 {

namespace {

constexpr Rgb kStoppedTextColor{200, 0, 0};
constexpr Point kFirstLine{70, 150};
constexpr int kLineHeight = 20;

}  // namespace

std::string DescribeTimeStopped(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    char text[64];
    if (seconds < 60) {
        std::snprintf(text, sizeof text, "No input for %lld s", static_cast<long long>(seconds));
    } else {
        std::snprintf(text, sizeof text, "No input for %lld min %02lld s",
                      static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60));
    }
    return text;
}

void DrawDeviceStoppedPicture(Surface& surface, const DeviceOutage& outage) {
    DrawDivisionField(surface);
    surface.FillRect(kFirstLine.x - 10, kFirstLine.y - 6, kFieldWidth - kFirstLine.x + 10,
                     kFirstLine.y + 2 * kLineHeight + 4, kFieldBackground);
    const std::string first = "Sound device stopped at " + outage.stoppedAt + ".";
    surface.DrawText(kFirstLine.x, kFirstLine.y, first, kStoppedTextColor);
    const std::string second = DescribeTimeStopped(outage.secondsStopped) +
                               ". Reconnecting every " + std::to_string(outage.retryPeriodSeconds) +
                               " s...";
    surface.DrawText(kFirstLine.x, kFirstLine.y + kLineHeight, second, kTextColor);
}

}  // namespace velmora2
