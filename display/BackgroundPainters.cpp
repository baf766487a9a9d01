#include "display/BackgroundPainters.h"

#include <cmath>

#include "display/DrawingConventions.h"
#include "display/FieldGrid.h"
#include "display/PixelCoordinate.h"
#include "display/StatusNotices.h"

namespace velmora2 {
namespace {

constexpr Point kRecordingNoticeAt{110, 35};
constexpr NoticePlaces kLinearNotices{{80, 35}, kRecordingNoticeAt, {140, 35}, {180, 35}};
constexpr NoticePlaces kLogNotices{{80, 35}, {60, 35}, {100, 35}, {140, 35}};

// Where frequencies lie on the logarithmic axis of an N-point spectrum.
class LogFrequencyAxis {
public:
    // Fewer than two bins above the first, or no rate: there is no axis to lay out.
    LogFrequencyAxis(int32_t fftSize, int32_t sampleRate)
        : exists_(fftSize > 2 && sampleRate > 0),
          binWidth_(exists_ ? static_cast<double>(sampleRate) / fftSize : 1.0),
          scale_(exists_ ? kFieldWidth / std::log10(fftSize / 2.0) : 0.0) {}

    bool Exists() const { return exists_; }
    int X(double frequency) const { return ToPixel(std::log10(frequency / binWidth_) * scale_); }

private:
    bool exists_;
    double binWidth_;
    double scale_;
};

void DrawLogFrequencyLines(Surface& surface, const LogFrequencyAxis& axis, int32_t sampleRate) {
    SelectPen(surface, kGridPen);
    const int64_t nyquist = sampleRate / 2;
    for (int64_t m = 10; m <= 90; m += 10) {
        for (int64_t f = m; f < nyquist; f *= 10) {
            const int x = axis.X(static_cast<double>(f));
            DrawLine(surface, x, 0, x, kFieldHeight);
        }
    }
}

void DrawLogFrequencyLabels(Surface& surface, const LogFrequencyAxis& axis) {
    surface.DrawText(axis.X(100.0) + 2, 5, "100Hz", kTextColor);
    surface.DrawText(axis.X(1000.0) + 2, 5, "1kHz", kTextColor);
    surface.DrawText(axis.X(10000.0) + 2, 5, "10kHz", kTextColor);
}

void DrawLissajousGrid(Surface& surface) {
    SelectPen(surface, kGridPen);
    for (int k = 1; k <= 11; ++k) DrawLine(surface, 90, 30 * k, 390, 30 * k);
    for (int k = 3; k <= 13; ++k) DrawLine(surface, 30 * k, 30, 30 * k, 330);
}

void DrawLissajousAxes(Surface& surface) {
    SelectPen(surface, kDefaultPen);
    for (const int y : {30, 180, 330}) DrawLine(surface, 90, y, 390, y);
    for (const int y : {0, kFieldHeight}) DrawLine(surface, 0, y, kFieldWidth, y);
    for (const int x : {90, 240, 390}) DrawLine(surface, x, 30, x, 330);
    for (const int x : {0, kFieldWidth}) DrawLine(surface, x, 0, x, kFieldHeight);
}

}  // namespace

void DrawScopeBackground(Surface& surface, const RecordingStatus& recording) {
    DrawDivisionField(surface);
    DrawRecordingNotice(surface, recording, kRecordingNoticeAt);
}

void DrawSpectrumBackground(Surface& surface, const SpectrumStatus& status) {
    DrawDivisionField(surface);
    DrawSpectrumNotices(surface, status, kLinearNotices);
}

void DrawSpectrumBackgroundLog(Surface& surface, const SpectrumStatus& status, int32_t fftSize,
                               int32_t sampleRate) {
    FillField(surface);
    const LogFrequencyAxis axis(fftSize, sampleRate);
    if (axis.Exists()) DrawLogFrequencyLines(surface, axis, sampleRate);
    DrawHorizontalGridLines(surface);
    DrawFieldFrame(surface);
    if (axis.Exists()) DrawLogFrequencyLabels(surface, axis);
    DrawSpectrumNotices(surface, status, kLogNotices);
}

void DrawLissajousBackground(Surface& surface, const RecordingStatus& recording) {
    FillField(surface);
    DrawLissajousGrid(surface);
    DrawLissajousAxes(surface);
    DrawRecordingNotice(surface, recording, kRecordingNoticeAt);
}

}  // namespace velmora2
