// The options button of the main window: opens the options dialog on a copy of the main window's
// settings and, when the user confirms, takes every value back and hands it to the running engine
// in a fixed order. The sampling rate and the device choice wait for the next start.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "audio/SoundSystem.h"
#include "dialogs/CDlgOption.h"
#include "dialogs/DeviceTable.h"
#include "dialogs/DialogView.h"
#include "engine/EngineHandle.h"
#include "panel/PanelMode.h"
#include "panel/ScalePanel.h"
#include "settings/SettingsRecord.h"

namespace velmora2 {

class OptionsButton {
public:
    // The main window's state; all of it outlives the button.
    struct Bindings {
        SettingsRecord& settings;
        DeviceTable& devices;
        int32_t& lastOptionsPage;
        ScalePanel& scalePanel;  // and the mode keyword it keeps
        const std::filesystem::path& programDirectory;
        EngineHandle engine;
        // Writes the settings file, telling the user when it cannot.
        std::function<void()> saveSettings;
        // How the device page tells unusable output devices; null, one box for each.
        DeviceProblemNotice* deviceNotice = nullptr;
    };

    OptionsButton(SoundSystem& sound, DialogView& view, DialogServices& services,
                  Bindings bindings);

    // Opens the options; true when they were closed with OK (and applied).
    bool OnOptions();

private:
    void Apply(const OptionValues& chosen);
    void ApplyGeneratorFile(const std::string& playwav);

    SoundSystem& sound_;
    DialogView& view_;
    DialogServices& services_;
    Bindings state_;
};

}  // namespace velmora2
