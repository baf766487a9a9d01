// The main window: start-up of the engines, the front panel's master copies of the settings and
// scales, and shutdown. Plain C++: it speaks to its controls through DialogView and to the user
// through DialogServices, so the whole start-up runs in tests without a display.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/OptionsButton.h"
#include "app/TimerSafeServices.h"
#include "audio/SoundSystem.h"
#include "dialogs/DeviceProblemNotice.h"
#include "dialogs/DeviceTable.h"
#include "dialogs/DialogView.h"
#include "display/Surface.h"
#include "engine/CDSCapture.h"
#include "engine/EngineHandle.h"
#include "measurement/ChosenSweep.h"
#include "measurement/LogSweep.h"
#include "measurement/SteppedSweep.h"
#include "panel/CaptureGate.h"
#include "panel/ChannelPanel.h"
#include "panel/ControlIds.h"
#include "panel/GeneratorPanel.h"
#include "panel/InitGates.h"
#include "panel/ModePanel.h"
#include "panel/OutputSwitches.h"
#include "panel/PanelMode.h"
#include "panel/RecordPanel.h"
#include "panel/ScalePanel.h"
#include "panel/WindowTimer.h"
#include "platform/FilePlaces.h"
#include "records/DisplayScales.h"
#include "settings/SettingsRecord.h"

namespace velmora2 {

class CTarvikDlg {
public:
    static constexpr int kStartFailedResult = 3;
    static constexpr int kTimer1 = ctl::kTimer1;
    // After a loss the same device pair is tried again this often (and when Options are OK'd).
    static constexpr int kReconnectPeriodMs = 2000;

    CTarvikDlg(SoundSystem& sound, DrawingTarget& clientArea, DialogView& view,
               DialogServices& services, std::filesystem::path programDirectory);
    ~CTarvikDlg();
    CTarvikDlg(const CTarvikDlg&) = delete;
    CTarvikDlg& operator=(const CTarvikDlg&) = delete;

    // The engines' one trace line per start-up step on standard error; on unless turned off before
    // OnInitDialog (by a command whose standard error is for its own messages).
    void SetStartTrace(bool on) { startTrace_ = on; }

    // Initialisation: panel, settings, probe engine, device list, main engine. A failed start
    // ends the dialog with kStartFailedResult through DialogServices::EndDialog.
    bool OnInitDialog();
    // Window close: stops the engine before the client area goes away.
    void OnClose();
    // The main engine reported that the sound device stopped (posted from its worker): the
    // picture says so and the window tries the device pair again until a new engine runs on it
    // with the panel's settings.
    void OnDeviceLost();
    // Whether the sound device is lost and not yet back.
    bool DeviceOutage() const { return outage_.has_value(); }
    // A button, radio button or check box was clicked: routes the control id to its handler.
    // Ids without a handler are ignored.
    void OnCommand(int id);
    // A spin control's change notification.
    void OnSpinChanged(int spinId);
    // A tick of one of the window's numbered timers.
    void OnTimer(int timerId);

    // True once an engine's worker would not end and was left running: it still uses the sound
    // system and the client area, so the program must exit without tearing them down.
    bool WorkerLeftRunning() const { return workerLeftRunning_; }

    CDSCapture* MainEngine() { return mainEngine_.get(); }
    const SettingsRecord& Settings() const { return settings_; }
    const DeviceTable& Devices() const { return devices_; }

private:
    struct CommandRoute {
        int id;
        void (*handler)(CTarvikDlg&);
    };
    static const CommandRoute kCommandRoutes[];

    struct Outage {
        std::chrono::steady_clock::time_point since;
        std::string stoppedAt;  // wall-clock time, for the picture
    };

    void OnHoldRun();
    void OnOptionsButton();
    // The main engine on the chosen device pair, its handlers set; the initialisation result.
    Status StartMainEngine(int& deviceMaxRate);
    void TryReconnect();
    void ReconnectLater();
    void ShowDeviceStopped();
    // A new engine after a loss: everything the panel shows, as the panel has it.
    void SendPanelToEngine();
    // The hidden Device button: re-reads the device list into the device table.
    void OnDeviceButton();
    // What a sweep started now reads of the settings and the front panel.
    SteppedSweepPlan SweepPlan() const;
    LogSweepRunPlan LogSweepPlan() const;

    void InitSpinButtons();
    void InitButtons();
    void LoadSettings();
    void SaveSettings();
    void ShowSettingsFileNotice();
    void RunDeviceDialog();
    void ShowSplashScreen();
    void ApplySettingsToEngine();
    void ReportStartFailure(const char* title, Status result);
    void ReleaseEngine(std::unique_ptr<CDSCapture>& engine);

    SoundSystem& sound_;
    DrawingTarget& clientArea_;
    DialogView& view_;
    TimerSafeServices services_;
    const std::filesystem::path programDirectory_;
    const FilePlaces files_;

    SettingsRecord settings_;
    DeviceTable devices_;
    CursorPositions cursorX_{};
    InitGates initGates_;
    bool iniNoticePending_ = true;
    int32_t lastOptionsPage_ = 1;  // the options dialog opens on this page
    // After a loss every listing finds the lost devices unusable: their box is shown once.
    DeviceProblemNotice deviceNotice_;
    std::optional<Outage> outage_;
    int reconnectToken_ = 0;  // only the latest scheduled retry runs
    CaptureGate captureGate_{view_};
    bool workerLeftRunning_ = false;
    bool startTrace_ = true;

    std::unique_ptr<CDSCapture> probeEngine_;
    std::unique_ptr<CDSCapture> mainEngine_;
    // What the panels reach the engine through: nothing once it is gone.
    const EngineHandle engine_{mainEngine_};

    // Timer 1: the recording limit and the network sweep.
    WindowTimer timer_{services_, kTimer1};
    // The three ON check boxes: start-up shows them and every output change sends them.
    OutputSwitches outputs_{view_, engine_};
    ScalePanel scalePanel_{view_,
                           {settings_.scales, cursorX_, settings_.osr, settings_.activeSampleRate,
                            initGates_, engine_}};
    ChannelPanel channelPanel_{view_, {outputs_, engine_}};
    GeneratorPanel generatorPanel_{
        view_,
        services_,
        {outputs_, settings_.playwav, settings_.generator, programDirectory_, initGates_, engine_}};
    OptionsButton optionsButton_{
        sound_,
        view_,
        services_,
        {settings_, devices_, lastOptionsPage_, scalePanel_, programDirectory_, engine_,
         [this] { SaveSettings(); }, &deviceNotice_}};
    RecordPanel recordPanel_{view_, services_, {timer_, settings_.maxrec, engine_}};
    ModePanel modePanel_{view_,
                         services_,
                         scalePanel_,
                         {settings_.xlog, settings_.aveenb, settings_.maxaven, outputs_,
                          channelPanel_, sweep_, timer_, engine_}};
    // The network sweep that timer 1 steps, by the method the options choose; the mode panel
    // tells the user what it reports.
    SteppedSweep steppedSweep_{engine_, modePanel_, [this] { return SweepPlan(); },
                               ProgramSearchPlaces(programDirectory_)};
    LogSweep logSweep_{engine_, modePanel_, [this] { return LogSweepPlan(); },
                       ProgramSearchPlaces(programDirectory_)};
    ChosenSweep sweep_{steppedSweep_, logSweep_, [this] { return settings_.network.logSweep; }};
};

}  // namespace velmora2
