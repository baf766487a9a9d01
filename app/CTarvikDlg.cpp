#include "app/CTarvikDlg.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "app/Messages.h"
#include "dialogs/CDlgDevice.h"
#include "dialogs/CSplashWnd.h"
#include "display/DeviceStoppedPicture.h"
#include "display/DrawingConventions.h"
#include "panel/ControlIds.h"
#include "panel/PanelMessages.h"
#include "panel/ViewModes.h"
#include "platform/GeneratorFileSearch.h"
#include "platform/UiText.h"
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
    std::snprintf(text, sizeof text, UiText(msg::kCannotSetUpSoundInput).c_str(),
                  static_cast<unsigned>(result));
    return text;
}

std::string WallClockNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "--:--:--";
    if (localtime_r(&now, &local) != nullptr) std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

std::string FormatMaxRateMessage(int rate) {
    char text[512];
    std::snprintf(text, sizeof text, UiText(msg::kDeviceMaxRate).c_str(), rate);
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
    {ctl::kOptions, [](CTarvikDlg& window) { window.OnOptionsButton(); }},
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

    const Status mainResult = StartMainEngine(deviceMaxRate);
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

Status CTarvikDlg::StartMainEngine(int& deviceMaxRate) {
    const int device = settings_.device;
    mainEngine_ = std::make_unique<CDSCapture>(
        sound_, clientArea_, devices_.captureDeviceIds[device], devices_.outputDeviceIds[device],
        settings_.activeSampleRate, ProgramSearchPlaces(programDirectory_),
        files_.recordingsDirectory);
    // A reconnection tells the user in one line of its own, not in the start-up's steps.
    mainEngine_->SetInitialisationTrace(startTrace_ && !outage_);
    // The engine calls these on its worker; the window hears of them on this thread.
    mainEngine_->SetRecordingEndHandler([this](int fileNumber, RecordingEnd why) {
        services_.PostToUserInterface(
            [this, fileNumber, why] { recordPanel_.OnRecordingEnded(fileNumber, why); });
    });
    mainEngine_->SetDeviceLostHandler(
        [this] { services_.PostToUserInterface([this] { OnDeviceLost(); }); });
    return mainEngine_->Start(deviceMaxRate);
}

void CTarvikDlg::OnClose() {
    // No retry starts an engine after this.
    outage_.reset();
    ++reconnectToken_;
    ReleaseEngine(mainEngine_);
}

void CTarvikDlg::OnDeviceLost() {
    if (!mainEngine_ || !mainEngine_->DeviceLost()) return;
    // Its worker has left the wait loop already and has finished an open recording: the buttons
    // go back to idle and the recording's time limit goes. A running sweep ends where it is.
    if (recordPanel_.Recording()) recordPanel_.OnTimeLimit();
    if (modePanel_.Mode() == PanelMode::Network && sweep_.Running()) {
        timer_.Kill();
        modePanel_.OnSweepEnded();
    }
    ReleaseEngine(mainEngine_);
    outage_ = Outage{std::chrono::steady_clock::now(), WallClockNow()};
    captureGate_.Close();
    ShowDeviceStopped();
    deviceNotice_.TellOnceOnly();
    ReconnectLater();
    services_.MessageBox(msg::kSoundDeviceStopped, msg::kMainThreadTitle, MessageIcon::Stop);
}

void CTarvikDlg::ReconnectLater() {
    const int token = ++reconnectToken_;
    services_.SingleShot(kReconnectPeriodMs, [this, token] {
        if (token == reconnectToken_) TryReconnect();
    });
}

void CTarvikDlg::TryReconnect() {
    // An engine whose worker would not end still holds the old devices.
    if (!outage_ || mainEngine_ || workerLeftRunning_) return;
    sound_.Rescan();
    const int device = settings_.device;
    int deviceMaxRate = settings_.deviceMaxRate;
    const bool usable = sound_.CanUseCaptureDevice(devices_.captureDeviceIds[device]) &&
                        sound_.CanUseOutputDevice(devices_.outputDeviceIds[device]);
    if (!usable || Failed(StartMainEngine(deviceMaxRate))) {
        ReleaseEngine(mainEngine_);
        ShowDeviceStopped();
        return ReconnectLater();
    }
    settings_.deviceMaxRate = deviceMaxRate;
    const auto stopped = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now() - outage_->since);
    outage_.reset();
    SendPanelToEngine();
    captureGate_.Open();
    std::fprintf(stderr, "velmora2: the sound device is back after %lld s; capture runs again\n",
                 static_cast<long long>(stopped.count()));
}

void CTarvikDlg::ShowDeviceStopped() {
    if (!outage_) return;
    const auto stopped = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now() - outage_->since);
    const std::unique_ptr<Surface> picture =
        clientArea_.CreateSurface(kSurfaceWidth, kSurfaceHeight, kFieldBackground);
    DrawDeviceStoppedPicture(*picture,
                             {outage_->stoppedAt, stopped.count(), kReconnectPeriodMs / 1000});
    clientArea_.CopyToWindow(*picture, kPictureLeft, kPictureTop);
}

void CTarvikDlg::SendPanelToEngine() {
    ApplySettingsToEngine();
    modePanel_.SendModeToEngine();
    scalePanel_.SendToEngine();
    channelPanel_.SendTrigger();
    generatorPanel_.SendToEngine();
    outputs_.Send();
}

void CTarvikDlg::OnOptionsButton() {
    if (optionsButton_.OnOptions() && outage_) TryReconnect();
}

void CTarvikDlg::OnCommand(int id) {
    // Disabled while the device is lost; a click that still arrives does nothing.
    if (outage_ && CaptureGate::Needs(id)) return;
    if (const ViewMode* mode = ViewModeOfButton(id)) {
        (modePanel_.*mode->enter)();
    } else {
        for (const CommandRoute& route : kCommandRoutes)
            if (route.id == id) route.handler(*this);
    }
    captureGate_.Reclose();
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

LogSweepRunPlan CTarvikDlg::LogSweepPlan() const {
    return LogPlanFromSettings(settings_, generatorPanel_.Volume(), outputs_.LeftShown(),
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
