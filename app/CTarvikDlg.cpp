#include "app/CTarvikDlg.h"

#include <algorithm>
#include <cstdio>

#include "app/Messages.h"
#include "dialogs/CDlgDevice.h"
#include "dialogs/CSplashWnd.h"
#include "panel/ControlIds.h"
#include "panel/PanelMessages.h"
#include "panel/ViewModes.h"
#include "platform/GeneratorFileSearch.h"
#include "settings/SettingsFile.h"

namespace velmora2 {

namespace {

// How long after start-up the missing-settings-file notice appears.
constexpr int kSettingsNoticeDelayMs = 500;

struct SpinInit {
    int id;
    int lower;
    int upper;
    int position;
};

constexpr SpinInit kSpinInits[] = {
    {ctl::kHorizontalPositionSpin, 0, 160, 140},
    {ctl::kTimeDivSpin, 0, 6, 4},
    {ctl::kLeftScaleSpin, 0, 9, 5},
    {ctl::kLeftPositionSpin, 0, 36, 18},
    {ctl::kRightScaleSpin, 0, 9, 5},
    {ctl::kRightPositionSpin, 0, 36, 18},
    {ctl::kVolumeSpin, 0, 12, 6},
    {ctl::kTriggerLevelSpin, 0, 36, 18},
    {ctl::kCursor1Spin, 0, 160, 0},
    {ctl::kCursor2Spin, 0, 160, 0},
};

std::string FormatStatusMessage(Status result) {
    char text[128];
    std::snprintf(text, sizeof text, msg::kCannotSetUpSoundInput, static_cast<unsigned>(result));
    return text;
}

std::string FormatMaxRateMessage(int rate) {
    char text[512];
    std::snprintf(text, sizeof text, msg::kDeviceMaxRate, rate);
    return text;
}

}  // namespace

// Every clickable control of the main window but the mode buttons (ViewModes), and the handler it
// runs.
const CTarvikDlg::CommandRoute CTarvikDlg::kCommandRoutes[] = {
    {ctl::kHoldRun, [](CTarvikDlg& window) { window.OnHoldRun(); }},
    {ctl::kDevice, [](CTarvikDlg& window) { window.OnDeviceButton(); }},
    {ctl::kTriggerOff, [](CTarvikDlg& window) { window.channelPanel_.OnTriggerOff(); }},
    {ctl::kTriggerLeft, [](CTarvikDlg& window) { window.channelPanel_.OnTriggerLeft(); }},
    {ctl::kTriggerRight, [](CTarvikDlg& window) { window.channelPanel_.OnTriggerRight(); }},
    {ctl::kLeftOn, [](CTarvikDlg& window) { window.channelPanel_.OnDisplayOn(0); }},
    {ctl::kRightOn, [](CTarvikDlg& window) { window.channelPanel_.OnDisplayOn(1); }},
    {ctl::kGeneratorOn, [](CTarvikDlg& window) { window.generatorPanel_.OnGeneratorSwitch(); }},
    {ctl::kOptions, [](CTarvikDlg& window) { window.optionsButton_.OnOptions(); }},
    {ctl::kRecord, [](CTarvikDlg& window) { window.recordPanel_.OnRecord(); }},
    {ctl::kStopRecord, [](CTarvikDlg& window) { window.recordPanel_.OnStop(); }},
    {ctl::kNetworkStartStop, [](CTarvikDlg& window) { window.modePanel_.StartSweep(); }},
    {ctl::kLinear, [](CTarvikDlg& window) { window.modePanel_.OnLinear(); }},
    {ctl::kLog, [](CTarvikDlg& window) { window.modePanel_.OnLog(); }},
};

CTarvikDlg::CTarvikDlg(SoundSystem& sound, DrawingTarget& clientArea, DialogView& view,
                       DialogServices& services, std::filesystem::path programDirectory)
    : sound_(sound),
      clientArea_(clientArea),
      view_(view),
      services_(services, kTimer1),
      programDirectory_(std::move(programDirectory)),
      files_(ResolveFilePlaces(programDirectory_)) {}

CTarvikDlg::~CTarvikDlg() {
    ReleaseEngine(probeEngine_);
    ReleaseEngine(mainEngine_);
}

bool CTarvikDlg::OnInitDialog() {
    scalePanel_.PushLabels();
    generatorPanel_.PushLabel();
    InitSpinButtons();
    InitButtons();
    LoadSettings();

    int deviceMaxRate = settings_.deviceMaxRate;
    probeEngine_ = std::make_unique<CDSCapture>(
        sound_, clientArea_, DeviceId{}, DeviceId{}, settings_.activeSampleRate,
        ProgramSearchPlaces(programDirectory_), files_.recordingsDirectory);
    probeEngine_->SetInitialisationTrace(startTrace_);
    const Status probeResult = probeEngine_->Start(deviceMaxRate);
    settings_.deviceMaxRate = deviceMaxRate;
    if (Failed(probeResult)) {
        ReleaseEngine(probeEngine_);
        ReportStartFailure(msg::kPreThreadTitle, probeResult);
        settings_.fsample = 48000;
        SaveSettings();
        services_.EndDialog(kStartFailedResult);
        return true;
    }
    ReleaseEngine(probeEngine_);

    RunDeviceDialog();
    const int listedDevices = std::min(devices_.deviceCount, kMaxListedDevices);
    if (settings_.device < 0 || settings_.device > listedDevices - 1) settings_.device = 0;

    const int device = settings_.device;
    mainEngine_ = std::make_unique<CDSCapture>(
        sound_, clientArea_, devices_.captureDeviceIds[device], devices_.outputDeviceIds[device],
        settings_.activeSampleRate, ProgramSearchPlaces(programDirectory_),
        files_.recordingsDirectory);
    mainEngine_->SetInitialisationTrace(startTrace_);
    // The engine calls this on its worker; the panel hears of it on this thread.
    mainEngine_->SetRecordingEndHandler([this](int fileNumber, RecordingEnd why) {
        services_.PostToUserInterface(
            [this, fileNumber, why] { recordPanel_.OnRecordingEnded(fileNumber, why); });
    });
    mainEngine_->SetDeviceLostHandler(
        [this] { services_.PostToUserInterface([this] { OnDeviceLost(); }); });
    const Status mainResult = mainEngine_->Start(deviceMaxRate);
    settings_.deviceMaxRate = deviceMaxRate;
    if (Failed(mainResult)) {
        ReleaseEngine(mainEngine_);
        ReportStartFailure(msg::kMainThreadTitle, mainResult);
        services_.EndDialog(kStartFailedResult);
    } else {
        ShowSplashScreen();
        ApplySettingsToEngine();
    }

    if (settings_.deviceMaxRate < settings_.activeSampleRate) {
        services_.MessageBox(FormatMaxRateMessage(settings_.deviceMaxRate), msg::kMainThreadTitle,
                             MessageIcon::Stop);
        settings_.fsample = settings_.deviceMaxRate < 96000 ? 48000 : 96000;
        SaveSettings();
    }
    return true;
}

void CTarvikDlg::OnClose() {
    ReleaseEngine(mainEngine_);
}

void CTarvikDlg::OnDeviceLost() {
    if (!mainEngine_ || !mainEngine_->DeviceLost()) return;
    // Its worker has left the wait loop already; the window goes on without an engine, and every
    // control that would reach one does nothing.
    // The engine has finished an open recording already: the buttons go back to idle and the
    // recording's time limit goes.
    if (recordPanel_.Recording()) recordPanel_.OnTimeLimit();
    StopAndRelease(mainEngine_);
    deviceNotice_.TellOnceOnly();
    services_.MessageBox(msg::kSoundDeviceStopped, msg::kMainThreadTitle, MessageIcon::Stop);
}

void CTarvikDlg::OnCommand(int id) {
    if (const ViewMode* mode = ViewModeOfButton(id)) return (modePanel_.*mode->enter)();
    for (const CommandRoute& route : kCommandRoutes)
        if (route.id == id) return route.handler(*this);
}

void CTarvikDlg::OnHoldRun() {
    engine_.Do(&CDSCapture::ToggleRun);
}

void CTarvikDlg::InitSpinButtons() {
    for (const SpinInit& spin : kSpinInits) {
        view_.SetSpinRange(spin.id, spin.lower, spin.upper);
        view_.SetSpinPosition(spin.id, spin.position);
        initGates_.Set(spin.id);
    }
}

void CTarvikDlg::InitButtons() {
    view_.SetCheck(ctl::kModeScope, true);
    view_.SetCheck(ctl::kModeSpectrum, false);
    view_.SetCheck(ctl::kModeLissajous, false);
    view_.SetCheck(ctl::kModeNetwork, false);
    settings_.playwav = "sin1k.wav";
    view_.SetCheck(ctl::kTriggerOff, true);
    view_.SetCheck(ctl::kTriggerLeft, false);
    view_.SetCheck(ctl::kTriggerRight, false);
    outputs_.PushChecks();
    view_.Enable(ctl::kTriggerLevelSpin, channelPanel_.TriggerOn());
    view_.SetCheck(ctl::kLeftAc, true);
    view_.SetCheck(ctl::kRightAc, true);
    view_.SetCheck(ctl::kLeftDc, false);
    view_.SetCheck(ctl::kRightDc, false);
    view_.Enable(ctl::kRecord, true);
    view_.Enable(ctl::kStopRecord, false);
}

void CTarvikDlg::LoadSettings() {
    // A settings file shipped beside a locked program serves until the user saves their own.
    const bool loaded =
        LoadSettingsFile(files_.settingsDirectory, settings_) == SettingsLoad::Loaded ||
        (files_.settingsDirectory != programDirectory_ &&
         LoadSettingsFile(programDirectory_, settings_) == SettingsLoad::Loaded);
    if (loaded) {
        // The time/div list depends on OSR and the rate just read.
        scalePanel_.RederiveTimeDiv();
        return;
    }
    settings_.settingsStatus = "NoIniFile";
    // A one-shot timer of its own, so that a sweep or recording started in the first half second
    // keeps timer 1 to itself.
    services_.SingleShot(kSettingsNoticeDelayMs, [this] { ShowSettingsFileNotice(); });
}

void CTarvikDlg::ShowSettingsFileNotice() {
    if (!iniNoticePending_ || settings_.settingsStatus != "NoIniFile") return;
    iniNoticePending_ = false;
    services_.MessageBox(msg::kSettingsFileNotFound, msg::kApplicationTitle,
                         MessageIcon::Exclamation);
}

void CTarvikDlg::SaveSettings() {
    // A directory that cannot be made shows up below as a file that cannot be written.
    std::error_code ignored;
    std::filesystem::create_directories(files_.settingsDirectory, ignored);
    if (SaveSettingsFile(files_.settingsDirectory, settings_) == SettingsSave::CannotWrite)
        services_.MessageBox(msg::kCannotWriteSettings, msg::kApplicationTitle,
                             MessageIcon::Exclamation);
}

void CTarvikDlg::OnDeviceButton() {
    RunDeviceDialog();
}

void CTarvikDlg::OnSpinChanged(int spinId) {
    if (!scalePanel_.OnSpinChanged(spinId)) generatorPanel_.OnSpinChanged(spinId);
}

void CTarvikDlg::OnTimer(int timerId) {
    if (timerId != kTimer1) return;
    const TimerSafeServices::Tick tick(services_);
    // One job per tick, chosen by the window's state: in network mode the timer steps the sweep,
    // in every other mode it is the recording time limit.
    if (modePanel_.Mode() == PanelMode::Network)
        modePanel_.OnSweepTimer();
    else
        recordPanel_.OnTimeLimit();
}

SteppedSweepPlan CTarvikDlg::SweepPlan() const {
    return PlanFromSettings(settings_, generatorPanel_.Volume(), outputs_.LeftShown(),
                            outputs_.RightShown());
}

void CTarvikDlg::RunDeviceDialog() {
    CDlgDevice dialog(sound_, /*autoClose=*/true, &deviceNotice_);
    if (services_.RunModal(dialog) == CDlgDevice::kOkResult) devices_ = dialog.Devices();
}

void CTarvikDlg::ShowSplashScreen() {
    CSplashWnd::ShowSplashScreen();
}

void CTarvikDlg::ApplySettingsToEngine() {
    if (mainEngine_) velmora2::ApplySettingsToEngine(settings_, *mainEngine_);
}

void CTarvikDlg::ReleaseEngine(std::unique_ptr<CDSCapture>& engine) {
    if (!StopAndRelease(engine)) workerLeftRunning_ = true;
}

void CTarvikDlg::ReportStartFailure(const char* title, Status result) {
    services_.MessageBox(FormatStatusMessage(result), title, MessageIcon::Stop);
}

}  // namespace velmora2
