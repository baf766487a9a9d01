#include "dialogs/CDlgOption.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>

#include "dialogs/CDlgDevice.h"
#include "dialogs/OptionLayout.h"
#include "dialogs/OptionMessages.h"
#include "platform/UiText.h"
#include "settings/CLocaleNumbers.h"
#include "settings/SettingsRules.h"

namespace velmora2 {

namespace {

constexpr const char* kTabNames[kOptionPageCount] = {
    VELMORA2_TEXT("ｵｼﾛｽｺｰﾌﾟ"), VELMORA2_TEXT("FFTｱﾅﾗｲｻﾞ"), VELMORA2_TEXT("ﾈｯﾄﾜｰｸ解析"),
    VELMORA2_TEXT("ｼﾞｪﾈﾚｰﾀ"), VELMORA2_TEXT("ﾃﾞﾊﾞｲｽ")};

// Drop-down lists: the items in order, and what an item index stands for.
constexpr const char* kFftPointItems[] = {"256",  "512",   "1024",  "2048", "4096",
                                          "8192", "16384", "32768", "65536"};
constexpr const char* kChannelDelayItems[] = {"-5", "-4", "-3", "-2", "-1", "0",
                                              "+1", "+2", "+3", "+4", "+5"};
constexpr const char* kPhaseRangeItems[] = {"-90 to 90", "-180 to 180", "-360 to 360"};
constexpr const char* kSampleRateItems[] = {"48000", "96000", "192000"};
constexpr int32_t kSampleRates[] = {48000, 96000, 192000};
constexpr int kMinChannelDelay = -5;
// In the order of SignalKind and SignalChannels.
constexpr const char* kSignalItems[] = {VELMORA2_TEXT("Waveﾌｧｲﾙ"),
                                        VELMORA2_TEXT("正弦波"),
                                        VELMORA2_TEXT("2ﾄｰﾝ"),
                                        "SMPTE/DIN",
                                        "CCIF/DFD",
                                        VELMORA2_TEXT("ﾎﾜｲﾄﾉｲｽﾞ"),
                                        VELMORA2_TEXT("ﾋﾟﾝｸﾉｲｽﾞ"),
                                        VELMORA2_TEXT("無音")};
constexpr const char* kSignalChannelItems[] = {"L+R", VELMORA2_TEXT("Lのみ"),
                                               VELMORA2_TEXT("Rのみ"), VELMORA2_TEXT("R反転")};
constexpr const char* kNetMethodItems[] = {VELMORA2_TEXT("ｽﾃｯﾌﾟ掃引"), VELMORA2_TEXT("ﾛｸﾞｽｲｰﾌﾟ")};
// In the order of kSmoothingChoices: a fraction of an octave.
constexpr const char* kSmoothingItems[] = {VELMORA2_TEXT("なし"), "1/6", "1/12", "1/24", "1/48"};

struct ListItems {
    int id;
    const char* const* items;
    int count;
};
constexpr ListItems kLists[] = {
    {opt::kFftPointsList, kFftPointItems, static_cast<int>(std::size(kFftPointItems))},
    {opt::kChannelDelayList, kChannelDelayItems, static_cast<int>(std::size(kChannelDelayItems))},
    {opt::kPhaseRangeList, kPhaseRangeItems, static_cast<int>(std::size(kPhaseRangeItems))},
    {opt::kSampleRateList, kSampleRateItems, static_cast<int>(std::size(kSampleRateItems))},
    {opt::kSignalList, kSignalItems, static_cast<int>(std::size(kSignalItems))},
    {opt::kSignalChannelList, kSignalChannelItems,
     static_cast<int>(std::size(kSignalChannelItems))},
    {opt::kNetMethodList, kNetMethodItems, static_cast<int>(std::size(kNetMethodItems))},
    {opt::kLogSmoothingList, kSmoothingItems, static_cast<int>(std::size(kSmoothingItems))},
};

// Radio buttons: the set each belongs to (a click clears the others of its set) and the value a
// click gives. The trigger group holds two independent sets.
enum RadioSet {
    kOsrSet,
    kUnitSet,
    kEdgeSet,
    kModeSet,
    kAxisSet,
    kWindowSet,
    kPhaseSet,
    kPointsSet,
    kSweepSet
};
struct RadioChoice {
    int id;
    RadioSet set;
    void (*choose)(SettingsRecord&);
};
constexpr RadioChoice kRadios[] = {
    {opt::kOsr1, kOsrSet, [](SettingsRecord& s) { s.osr = 1; }},
    {opt::kOsr2, kOsrSet, [](SettingsRecord& s) { s.osr = 2; }},
    {opt::kOsr4, kOsrSet, [](SettingsRecord& s) { s.osr = 4; }},
    {opt::kUnitSec, kUnitSet, [](SettingsRecord& s) { s.difunitSec = true; }},
    {opt::kUnitHz, kUnitSet, [](SettingsRecord& s) { s.difunitSec = false; }},
    {opt::kEdgeRising, kEdgeSet, [](SettingsRecord& s) { s.trigEdgeRising = true; }},
    {opt::kEdgeFalling, kEdgeSet, [](SettingsRecord& s) { s.trigEdgeRising = false; }},
    {opt::kModeNormal, kModeSet, [](SettingsRecord& s) { s.trigModeNormal = true; }},
    {opt::kModeSingle, kModeSet, [](SettingsRecord& s) { s.trigModeNormal = false; }},
    {opt::kAxisLinear, kAxisSet, [](SettingsRecord& s) { s.xlog = false; }},
    {opt::kAxisLog, kAxisSet, [](SettingsRecord& s) { s.xlog = true; }},
    {opt::kWindowHanning, kWindowSet, [](SettingsRecord& s) { s.winfunc = "han"; }},
    {opt::kWindowHamming, kWindowSet, [](SettingsRecord& s) { s.winfunc = "ham"; }},
    {opt::kWindowBlackman, kWindowSet, [](SettingsRecord& s) { s.winfunc = "black"; }},
    {opt::kWindowBlackmanHarris, kWindowSet, [](SettingsRecord& s) { s.winfunc = "black-h"; }},
    {opt::kWindowBartlett, kWindowSet, [](SettingsRecord& s) { s.winfunc = "bart"; }},
    {opt::kWindowRectangular, kWindowSet, [](SettingsRecord& s) { s.winfunc = "rect"; }},
    {opt::kShowPhase, kPhaseSet, [](SettingsRecord& s) { s.phaseDisplay = true; }},
    {opt::kShowDelay, kPhaseSet, [](SettingsRecord& s) { s.phaseDisplay = false; }},
    {opt::kPoints11, kPointsSet, [](SettingsRecord& s) { s.wavn = 11; }},
    {opt::kPoints18, kPointsSet, [](SettingsRecord& s) { s.wavn = 18; }},
    {opt::kPoints30, kPointsSet, [](SettingsRecord& s) { s.wavn = 30; }},
    {opt::kPoints45, kPointsSet, [](SettingsRecord& s) { s.wavn = 45; }},
    {opt::kSweepFast, kSweepSet, [](SettingsRecord& s) { s.slowSweep = false; }},
    {opt::kSweepSlow, kSweepSet, [](SettingsRecord& s) { s.slowSweep = true; }},
};

constexpr const char* kWindowNames[] = {"han", "ham", "black", "black-h", "bart", "rect"};
constexpr int kWindowRadios[] = {opt::kWindowHanning,  opt::kWindowHamming,
                                 opt::kWindowBlackman, opt::kWindowBlackmanHarris,
                                 opt::kWindowBartlett, opt::kWindowRectangular};

// The radio that shows a value; a value off the set shows the set's last radio (or, for the
// window function, none). Setting it runs the click, which brings the value into the set.
std::vector<int> InitialRadios(const SettingsRecord& s) {
    std::vector<int> radios = {
        s.xlog ? opt::kAxisLog : opt::kAxisLinear,
        s.osr == 1   ? opt::kOsr1
        : s.osr == 2 ? opt::kOsr2
                     : opt::kOsr4,
        s.difunitSec ? opt::kUnitSec : opt::kUnitHz,
        s.phaseDisplay ? opt::kShowPhase : opt::kShowDelay,
        s.wavn == 11   ? opt::kPoints11
        : s.wavn == 18 ? opt::kPoints18
        : s.wavn == 30 ? opt::kPoints30
                       : opt::kPoints45,
        s.slowSweep ? opt::kSweepSlow : opt::kSweepFast,
        s.trigEdgeRising ? opt::kEdgeRising : opt::kEdgeFalling,
        s.trigModeNormal ? opt::kModeNormal : opt::kModeSingle,
    };
    const auto* window = std::find(std::begin(kWindowNames), std::end(kWindowNames), s.winfunc);
    if (window != std::end(kWindowNames))
        radios.push_back(kWindowRadios[window - std::begin(kWindowNames)]);
    return radios;
}

// Check boxes that invert their setting at every click; the averaging box is only read at OK.
struct CheckChoice {
    int id;
    bool SettingsRecord::*value;
};
constexpr CheckChoice kChecks[] = {
    {opt::kAdcRangeCheck, &SettingsRecord::adcRange},
    {opt::kMainFreqCheck, &SettingsRecord::mainFreq},
    {opt::kThdCheck, &SettingsRecord::thd},
    {opt::kThdnCheck, &SettingsRecord::thdpn},
    {opt::kSnCheck, &SettingsRecord::sn},
    {opt::kHpfCheck, &SettingsRecord::hpf},
};

int FftPointsItem(int32_t fftn) {
    for (int item = 0; item < static_cast<int>(std::size(kFftPointItems)); ++item)
        if ((256 << item) == fftn) return item;
    return static_cast<int>(std::size(kFftPointItems)) - 1;
}

int ChannelDelayItem(int32_t tadj) {
    return IsValidChannelDelay(tadj) ? tadj - kMinChannelDelay
                                     : static_cast<int>(std::size(kChannelDelayItems)) - 1;
}

int PhaseRangeItem(const std::string& range) {
    if (range == kPhaseRangeItems[0]) return 0;
    if (range == kPhaseRangeItems[1]) return 1;
    return 2;
}

int SampleRateItem(int32_t rate) {
    if (rate == kSampleRates[0]) return 0;
    if (rate == kSampleRates[1]) return 1;
    return 2;
}

int PageOf(int id) {
    for (const OptionControl& control : OptionControls())
        if (control.id == id) return control.page;
    return 0;
}

std::string WithBounds(const char* format, const std::string& lower, const std::string& upper) {
    std::string text = format;
    text.replace(text.find("%1"), 2, lower);
    text.replace(text.find("%2"), 2, upper);
    return text;
}

}  // namespace

CDlgOption::CDlgOption(SoundSystem& sound, DeviceProblemNotice* notice)
    : sound_(sound), notice_(notice) {}

void CDlgOption::OnInitDialog(DialogView& view, DialogServices& services) {
    view_ = &view;
    services_ = &services;
    ended_ = false;
    for (const char* name : kTabNames) view.AddItem(opt::kTabs, name);
    WriteEntries();
    PlaceControls();
    ShowInitialStates();
    ListDevices();
    const int page = values_.lastOptionsPage;
    ShowPage(page >= 1 && page <= kOptionPageCount ? page : 1);
}

void CDlgOption::PlaceControls() {
    for (const OptionControl& control : OptionControls()) {
        view_->Move(control.id, control.place);
        if (*control.text != '\0') view_->SetText(control.id, control.text);
    }
    for (const ListItems& list : kLists)
        for (int item = 0; item < list.count; ++item) view_->AddItem(list.id, list.items[item]);
}

void CDlgOption::WriteEntries() {
    const SettingsRecord& s = values_.settings;
    view_->SetText(opt::kCalEdit, FormatGeneralNumber(s.scales.cal));
    view_->SetText(opt::kDelayRangeEdit, FormatGeneralNumber(s.scales.delayRange));
    view_->SetText(opt::kGainRangeEdit, FormatGeneralNumber(s.scales.gainRange));
    view_->SetText(opt::kSpecCalEdit, FormatGeneralNumber(s.scales.specCal));
    view_->SetText(opt::kMaxRecEdit, FormatGeneralNumber(s.maxrec));
    view_->SetText(opt::kGainOffsetEdit, FormatGeneralNumber(s.scales.gainOffset));
    view_->SetText(opt::kMaxAvenEdit, FormatCInt(s.maxaven));
    view_->SetCheck(opt::kAveragingCheck, s.aveenb);
    view_->SetCheck(opt::kPrecisionCheck, s.precision.on);
    view_->SetText(opt::kFullScaleEdit, FormatGeneralNumber(s.precision.fullScaleVrms));
    view_->SetText(opt::kSignalFreqEdit, FormatGeneralNumber(s.generator.frequencyHz));
    view_->SetText(opt::kSignalLevelEdit, FormatGeneralNumber(s.generator.levelDbfs));
    view_->SetText(opt::kSignalFreq2Edit, FormatGeneralNumber(s.generator.frequency2Hz));
    view_->SetText(opt::kSignalRatioEdit, FormatGeneralNumber(s.generator.ratio));
    view_->SetText(opt::kSignalPhaseEdit, FormatGeneralNumber(s.generator.phaseDegrees));
    view_->SetText(opt::kLogSecondsEdit, FormatGeneralNumber(s.network.seconds));
    view_->SetText(opt::kLogStartEdit, FormatGeneralNumber(s.network.startHz));
    view_->SetText(opt::kLogEndEdit, FormatGeneralNumber(s.network.endHz));
}

void CDlgOption::ShowInitialStates() {
    const SettingsRecord& s = values_.settings;
    view_->SelectItem(opt::kFftPointsList, FftPointsItem(s.fftn));
    view_->SelectItem(opt::kChannelDelayList, ChannelDelayItem(s.tadj));
    view_->SelectItem(opt::kPhaseRangeList, PhaseRangeItem(s.scales.phaseRange));
    view_->SelectItem(opt::kSampleRateList, SampleRateItem(values_.samplingRate));
    for (int radio : InitialRadios(s)) ChooseRadio(radio);
    for (const CheckChoice& check : kChecks) view_->SetCheck(check.id, s.*check.value);
    view_->SetText(opt::kWavNameEdit, s.playwav);
    view_->SelectItem(opt::kSignalList, static_cast<int>(s.generator.kind));
    view_->SelectItem(opt::kSignalChannelList, static_cast<int>(s.generator.channels));
    view_->SetCheck(opt::kSignalDitherCheck, s.generator.dither);
    EnableSignalFields();
    view_->SelectItem(opt::kNetMethodList, s.network.logSweep ? 1 : 0);
    const auto smoothing =
        std::find(std::begin(kSmoothingChoices), std::end(kSmoothingChoices), s.network.smoothing);
    view_->SelectItem(opt::kLogSmoothingList,
                      static_cast<int>(smoothing - std::begin(kSmoothingChoices)));
    EnableNetworkFields();
}

// The log sweep's fields while it is the method; the stepped sweep's point count and speed
// while that one is.
void CDlgOption::EnableNetworkFields() {
    const bool log = values_.settings.network.logSweep;
    for (const int id :
         {opt::kLogSecondsEdit, opt::kLogSmoothingList, opt::kLogStartEdit, opt::kLogEndEdit})
        view_->Enable(id, log);
    for (const int id : {opt::kPoints11, opt::kPoints18, opt::kPoints30, opt::kPoints45,
                         opt::kSweepFast, opt::kSweepSlow})
        view_->Enable(id, !log);
}

// The fields the chosen signal uses; the others keep their values for another choice.
void CDlgOption::EnableSignalFields() {
    const SignalKind kind = values_.settings.generator.kind;
    const bool own = kind != SignalKind::WavFile;
    const bool tones = kind == SignalKind::Sine || kind == SignalKind::TwoTone;
    view_->Enable(opt::kSignalFreqEdit, tones);
    view_->Enable(opt::kSignalFreq2Edit, kind == SignalKind::TwoTone);
    view_->Enable(opt::kSignalRatioEdit, kind == SignalKind::TwoTone);
    view_->Enable(opt::kSignalPhaseEdit, kind == SignalKind::Sine);
    view_->Enable(opt::kSignalLevelEdit, own && kind != SignalKind::Silence);
    view_->Enable(opt::kSignalChannelList, own);
    view_->Enable(opt::kSignalDitherCheck, own && kind != SignalKind::Silence);
    view_->Enable(opt::kChangeWavButton, !own);
}

// A listing that fails leaves the list empty; DEVICE then keeps its value.
void CDlgOption::ListDevices() {
    CDlgDevice devices(sound_, /*autoClose=*/true, notice_);
    if (services_->RunModal(devices) == CDlgDevice::kOkResult) {
        values_.devices = devices.Devices();
        values_.deviceNames = devices.DeviceNames();
    }
    for (const std::string& name : values_.deviceNames) view_->AddItem(opt::kDeviceList, name);
    const int32_t device = values_.settings.device;
    const bool listed = device >= 0 && device < static_cast<int32_t>(values_.deviceNames.size());
    view_->SelectItem(opt::kDeviceList, listed ? device : -1);
}

void CDlgOption::ShowPage(int page) {
    view_->SelectItem(opt::kTabs, page - 1);
    for (const OptionControl& control : OptionControls())
        if (control.page != 0) view_->Show(control.id, control.page == page);
    values_.lastOptionsPage = page;
}

void CDlgOption::OnNotify(int id, ControlNotification notification, DialogServices&) {
    if (ended_ || view_ == nullptr) return;
    if (notification == ControlNotification::CloseUp) return OnCloseUp(id);
    if (id != opt::kTabs) return;
    const int tab = view_->SelectedItem(opt::kTabs);
    if (tab >= 0 && tab < kOptionPageCount) ShowPage(tab + 1);
}

void CDlgOption::OnCommand(int id, DialogServices&) {
    if (ended_ || view_ == nullptr) return;
    switch (id) {
        case kIdOk:
            return OnOK();
        case kIdCancel:
            return End(kCancelResult);
        case opt::kSaveSettings:
            return OnSaveSettings();
        case opt::kChangeWavButton:
            return OnChangeWavFile();
    }
    if (std::any_of(std::begin(kRadios), std::end(kRadios),
                    [id](const RadioChoice& radio) { return radio.id == id; }))
        return ChooseRadio(id);
    for (const CheckChoice& check : kChecks) {
        bool& value = values_.settings.*check.value;
        if (check.id == id) value = !value;
    }
    if (id == opt::kSignalDitherCheck)
        values_.settings.generator.dither = !values_.settings.generator.dither;
}

void CDlgOption::ChooseRadio(int id) {
    const auto* chosen = std::find_if(std::begin(kRadios), std::end(kRadios),
                                      [id](const RadioChoice& radio) { return radio.id == id; });
    chosen->choose(values_.settings);
    for (const RadioChoice& radio : kRadios)
        if (radio.set == chosen->set) view_->SetCheck(radio.id, radio.id == id);
}

// Lists take their choice by item index when they close, even when the choice did not change.
void CDlgOption::OnCloseUp(int id) {
    const int item = view_->SelectedItem(id);
    SettingsRecord& s = values_.settings;
    switch (id) {
        case opt::kFftPointsList:
            if (item >= 0) s.fftn = 256 << item;
            break;
        case opt::kChannelDelayList:
            if (item >= 0) s.tadj = kMinChannelDelay + item;
            break;
        case opt::kPhaseRangeList:
            if (item >= 0) s.scales.phaseRange = kPhaseRangeItems[item];
            break;
        case opt::kDeviceList:
            OnDeviceCloseUp();
            break;
        case opt::kSampleRateList:
            OnSampleRateCloseUp();
            break;
        case opt::kSignalList:
            if (item >= 0 && item < static_cast<int>(std::size(kSignalItems))) {
                s.generator.kind = static_cast<SignalKind>(item);
                EnableSignalFields();
            }
            break;
        case opt::kSignalChannelList:
            if (item >= 0 && item < static_cast<int>(std::size(kSignalChannelItems)))
                s.generator.channels = static_cast<SignalChannels>(item);
            break;
        case opt::kNetMethodList:
            if (item >= 0) {
                s.network.logSweep = item == 1;
                EnableNetworkFields();
            }
            break;
        case opt::kLogSmoothingList:
            if (item >= 0 && item < static_cast<int>(std::size(kSmoothingChoices)))
                s.network.smoothing = kSmoothingChoices[item];
            break;
    }
}

void CDlgOption::OnDeviceCloseUp() {
    const int item = view_->SelectedItem(opt::kDeviceList);
    if (item < 0 || item == values_.settings.device) return;
    values_.settings.device = item;
    Message(msg::kNewDevice);
}

void CDlgOption::OnSampleRateCloseUp() {
    const int item = view_->SelectedItem(opt::kSampleRateList);
    if (item < 0) return;
    const int32_t rate = kSampleRates[item];
    if (rate == values_.samplingRate) return;
    if (rate > values_.deviceMaxRate) {
        Message(msg::kRateMayBeUnsupported);
        // The list goes back to the rate that stays in force.
        view_->SelectItem(opt::kSampleRateList, SampleRateItem(values_.samplingRate));
        return;
    }
    values_.samplingRate = rate;
    Message(msg::kNewRate);
}

// Only the bare name is kept: the generator looks the file up by name when the options are
// applied. The settings file holds at most kMaxSettingsTextBytes of it, so a longer name is
// refused rather than cut into the name of some other file.
void CDlgOption::OnChangeWavFile() {
    const std::vector<FileFilter> filters = {{"WAVE Files", "*.wav *.WAV"}, {"All Files", "*"}};
    const std::optional<std::string> chosen =
        services_->ChooseFileToOpen(values_.settings.playwav, filters);
    if (!chosen) return;
    const std::string name = std::filesystem::path(*chosen).filename().string();
    if (name.empty()) return;
    if (name.size() > kMaxSettingsTextBytes) return Message(msg::kWavNameTooLong);
    values_.settings.playwav = name;
    view_->SetText(opt::kWavNameEdit, name);
}

void CDlgOption::OnSaveSettings() {
    values_.saveRequested = true;
    services_->SingleShot(kSaveDelayMs, [this, alive = std::weak_ptr(alive_)] {
        if (!alive.expired() && !ended_) OnOK();
    });
}

void CDlgOption::OnOK() {
    SettingsRecord read = values_.settings;
    if (!ReadEntries(read)) return;
    values_.settings = read;
    End(kOkResult);
}

// In this order; the first entry that fails stops the reading.
bool CDlgOption::ReadEntries(SettingsRecord& into) {
    if (!ReadNumber(opt::kCalEdit, into.scales.cal, true, kMinCalibration, kMaxCalibration))
        return false;
    if (!ReadNumber(opt::kDelayRangeEdit, into.scales.delayRange)) return false;
    if (!ReadNumber(opt::kGainRangeEdit, into.scales.gainRange)) return false;
    if (!ReadNumber(opt::kSpecCalEdit, into.scales.specCal)) return false;
    if (!ReadNumber(opt::kMaxRecEdit, into.maxrec)) return false;
    if (!ReadInteger(opt::kMaxAvenEdit, into.maxaven, 2, 1000)) return false;
    into.aveenb = view_->IsChecked(opt::kAveragingCheck);
    if (!ReadNumber(opt::kGainOffsetEdit, into.scales.gainOffset)) return false;
    into.precision.on = view_->IsChecked(opt::kPrecisionCheck);
    if (!ReadNumber(opt::kFullScaleEdit, into.precision.fullScaleVrms, true, 0.0,
                    kMostFullScaleVolts))
        return false;
    return ReadSignal(into.generator) && ReadLogSweep(into.network);
}

// The log sweep's band, at least an octave wide; its end is limited to 0.45 of the rate the sweep
// runs at, so an end above what this rate carries is kept for a faster one.
bool CDlgOption::ReadLogSweep(NetworkMethodSettings& into) {
    const double highest = kMaxLogSweepRateShare * kSampleRates[std::size(kSampleRates) - 1];
    if (!ReadNumber(opt::kLogSecondsEdit, into.seconds, true, kMinLogSweepSeconds,
                    kMaxLogSweepSeconds) ||
        !ReadNumber(opt::kLogEndEdit, into.endHz, true, 2 * kMinLogSweepHz, highest))
        return false;
    return ReadNumber(opt::kLogStartEdit, into.startHz, true, kMinLogSweepHz,
                      std::floor(into.endHz / 2));
}

// The signal's fields as the rate chosen here can carry them.
bool CDlgOption::ReadSignal(GeneratorSignal& into) {
    const double highest = std::floor(kMaxSignalRateShare * values_.samplingRate);
    return ReadNumber(opt::kSignalFreqEdit, into.frequencyHz, true, kMinSignalHz, highest) &&
           ReadNumber(opt::kSignalLevelEdit, into.levelDbfs, true, kMinSignalDbfs,
                      kMaxSignalDbfs) &&
           ReadNumber(opt::kSignalFreq2Edit, into.frequency2Hz, true, kMinSignalHz, highest) &&
           ReadNumber(opt::kSignalRatioEdit, into.ratio, true, 0.001, 1000.0) &&
           ReadNumber(opt::kSignalPhaseEdit, into.phaseDegrees, true, -360.0, 360.0);
}

bool CDlgOption::ReadNumber(int id, double& into, bool ranged, double lower, double upper) {
    const std::optional<double> value = ParseWholeCDouble(view_->Text(id));
    if (!value) return RefuseEntry(id, msg::kEnterNumber);
    if (ranged && (*value < lower || *value > upper))
        return RefuseEntry(id, WithBounds(msg::kEnterNumberBetween, FormatGeneralNumber(lower),
                                          FormatGeneralNumber(upper)));
    into = *value;
    return true;
}

bool CDlgOption::ReadInteger(int id, int32_t& into, int32_t lower, int32_t upper) {
    const std::optional<int32_t> value = ParseWholeCInt(view_->Text(id));
    if (!value) return RefuseEntry(id, msg::kEnterInteger);
    if (*value < lower || *value > upper)
        return RefuseEntry(
            id, WithBounds(msg::kEnterIntegerBetween, FormatCInt(lower), FormatCInt(upper)));
    into = *value;
    return true;
}

// The field may sit on a page that is not shown; its page comes forward so the user sees it.
bool CDlgOption::RefuseEntry(int id, const std::string& message) {
    services_->MessageBox(message, msg::kOptionsTitle, MessageIcon::Exclamation);
    ShowPage(PageOf(id));
    view_->SetFocus(id);
    return false;
}

void CDlgOption::Message(const char* text) {
    services_->MessageBox(text, msg::kOptionsTitle, MessageIcon::Exclamation);
}

void CDlgOption::End(int result) {
    ended_ = true;
    services_->EndDialog(result);
}

}  // namespace velmora2
