#include "app/ExportActions.h"

#include <ctime>
#include <string>

#include "app/Messages.h"
#include "dataexport/LogSweepExport.h"
#include "panel/ViewModes.h"
#include "platform/UiText.h"
#include "settings/ReplaceFile.h"

namespace velmora2 {

bool ExportActions::Write(const std::filesystem::path& path, std::string_view contents) {
    if (ReplaceFileContents(path, contents)) return true;
    const std::string text = path.filename().string() + UiText(msg::kCannotWriteExportSuffix);
    services_.MessageBox(text, msg::kApplicationTitle, MessageIcon::Exclamation);
    return false;
}

std::string ExportActions::SuggestedName(ExportKind kind) const {
    const CDSCapture* engine = engine_();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return SuggestedExportName(engine != nullptr ? engine->Settings().mode : kModeScope, kind,
                               local);
}

bool ExportActions::SavePicture(const std::filesystem::path& path,
                                std::string_view encodedPicture) {
    return Write(WithExportExtension(path, ExportKind::Picture), encodedPicture);
}

bool ExportActions::SaveData(const std::filesystem::path& path) {
    CDSCapture* engine = engine_();
    ModeData data;
    std::string csv;
    if (engine != nullptr && engine->TakeModeData(data, kDataWait)) {
        const std::shared_ptr<const LogSweepResult> log = engine->ShownLogSweep();
        if (data.mode == kModeNetworkPlot && log)
            csv = LogSweepCsv(*log, /*harmonics=*/true);
        else if (const ViewMode* mode = ViewModeOfEngineMode(data.mode))
            csv = mode->data(data, engine->Sweep());
    }
    if (csv.empty()) {
        services_.MessageBox(msg::kNoDataToSave, msg::kApplicationTitle, MessageIcon::Exclamation);
        return false;
    }
    return Write(WithExportExtension(path, ExportKind::Data), csv);
}

bool ExportActions::SaveImpulse(const std::filesystem::path& path) {
    CDSCapture* engine = engine_();
    const std::shared_ptr<const LogSweepResult> log =
        engine != nullptr && engine->Settings().mode == kModeNetworkPlot ? engine->ShownLogSweep()
                                                                         : nullptr;
    if (!log) {
        services_.MessageBox(msg::kNoImpulseToSave, msg::kApplicationTitle,
                             MessageIcon::Exclamation);
        return false;
    }
    std::filesystem::path target = path;
    if (!target.has_extension()) target += ".wav";
    return Write(target, ImpulseWav(*log));
}

}  // namespace velmora2
