#include "display/StatusNotices.h"

#include "display/DrawingConventions.h"
#include "display/ReadoutText.h"

namespace velmora2 {

void DrawRecordingNotice(Surface& surface, const RecordingStatus& recording, Point at) {
    ReadoutText text;
    if (recording.active)
        text.Literal("Recording to ")
            .Literal(recording.fileName)
            .Literal(". Click TEISHI to suspend.");
    else if (recording.full)
        text.Literal("Recording stopped: ")
            .Literal(recording.fileName)
            .Literal(" is full (4 GiB).");
    else
        return;
    surface.DrawText(at.x, at.y, text.View(), kTextColor);
    if (recording.directory.empty()) return;
    ReadoutText where;
    where.Literal("in ").Literal(recording.directory);
    surface.DrawText(at.x, at.y + kLabelFont.height, where.View(), kTextColor);
}

namespace {
// Below every other text of every mode, so the notice never hides a read-out.
constexpr Point kDataLossNoticeAt{10, 346};
}  // namespace

void DrawDataLossNotice(Surface& surface, uint64_t droppedBlocks) {
    if (droppedBlocks == 0) return;
    ReadoutText text;
    text.Literal("Data lost: ")
        .Integer(static_cast<int64_t>(droppedBlocks))
        .Literal(droppedBlocks == 1 ? " block" : " blocks");
    surface.DrawText(kDataLossNoticeAt.x, kDataLossNoticeAt.y, text.View(), kTextColor);
}

void DrawSpectrumNotices(Surface& surface, const SpectrumStatus& status,
                         const NoticePlaces& places) {
    if (status.settleCounter != 0) {
        surface.DrawText(places.network.x, places.network.y,
                         "Doing Network Analysis. Wait for a while...", kTextColor);
    } else if (status.logSweepPercent >= 0) {
        ReadoutText text;
        text.Literal("Log sweep: ")
            .Integer(status.logSweepPercent)
            .Literal("% captured. Wait for a while...");
        surface.DrawText(places.network.x, places.network.y, text.View(), kTextColor);
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
