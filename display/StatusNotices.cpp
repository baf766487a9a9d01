#include "display/StatusNotices.h"

#include "display/DrawingConventions.h"
#include "display/ReadoutText.h"

namespace velmora2 {

void DrawRecordingNotice(Surface& surface, const RecordingStatus& recording, Point at) {
    if (!recording.active) return;
    ReadoutText text;
    text.Literal("Recording to ").Literal(recording.fileName).Literal(". Click TEISHI to suspend.");
    surface.DrawText(at.x, at.y, text.View(), kTextColor);
}

void DrawSpectrumNotices(Surface& surface, const SpectrumStatus& status,
                         const NoticePlaces& places) {
    if (status.settleCounter != 0) {
        surface.DrawText(places.network.x, places.network.y,
                         "Doing Network Analysis. Wait for a while...", kTextColor);
    }
    DrawRecordingNotice(surface, status.recording, places.recording);
    if (!status.averagingOn) return;
    if (status.averageCount != 0) {
        ReadoutText text;
        text.Integer(status.averageCount).Literal("  Taking Average. Wait for a while...");
        surface.DrawText(places.averaging.x, places.averaging.y, text.View(), kTextColor);
    } else {
        surface.DrawText(places.finished.x, places.finished.y, "Averaging Finished.", kTextColor);
    }
}

}  // namespace velmora2
