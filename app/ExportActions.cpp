#include "app/ExportActions.h"

#include <string>

#include "app/Messages.h"
#include "dataexport/DataCsv.h"
#include "settings/ReplaceFile.h"

namespace velmora2 {

bool ExportActions::Write(const std::filesystem::path& path, std::string_view contents) {
    if (ReplaceFileContents(path, contents)) return true;
    const std::string text = path.filename().string() + msg::kCannotWriteExportSuffix;
    services_.MessageBox(text, msg::kApplicationTitle, MessageIcon::Exclamation);
    return false;
}

bool ExportActions::SavePicture(const std::filesystem::path& path,
                                std::string_view encodedPicture) {
    return Write(path, encodedPicture);
}

bool ExportActions::SaveData(const std::filesystem::path& path) {
    CDSCapture* engine = engine_();
    ModeData data;
    std::string csv;
    if (engine != nullptr && engine->TakeModeData(data, kDataWait))
        csv = data.mode == kModeNetworkPlot ? NetworkCsv(engine->Sweep()) : ModeCsv(data);
    if (csv.empty()) {
        services_.MessageBox(msg::kNoDataToSave, msg::kApplicationTitle, MessageIcon::Exclamation);
        return false;
    }
    return Write(path, csv);
}

}  // namespace velmora2
