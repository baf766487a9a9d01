// The options dialog's controls: the tab control and every control of its five pages, with the
// page each belongs to, its place in client pixels and its caption. The dialog moves and labels
// them when it opens; the template only creates them.
#pragma once

#include <span>

#include "dialogs/ControlTemplate.h"

namespace velmora2 {

namespace opt {

// Fixed buttons besides OK and Cancel.
constexpr int kSaveSettings = 1081;
constexpr int kTabs = 1031;
// Page 1, oscilloscope.
constexpr int kCalEdit = 1027;
constexpr int kOsr1 = 1053;
constexpr int kOsr2 = 1054;
constexpr int kOsr4 = 1056;
constexpr int kUnitSec = 1057;
constexpr int kUnitHz = 1058;
constexpr int kChannelDelayList = 1088;
constexpr int kEdgeRising = 1075;
constexpr int kEdgeFalling = 1076;
constexpr int kModeNormal = 1067;
constexpr int kModeSingle = 1068;
constexpr int kAdcRangeCheck = 1089;
constexpr int kMaxRecEdit = 1033;
// Page 2, FFT analyzer.
constexpr int kFftPointsList = 1047;
constexpr int kAxisLinear = 1050;
constexpr int kAxisLog = 1051;
constexpr int kWindowHanning = 1039;
constexpr int kWindowHamming = 1040;
constexpr int kWindowBlackman = 1041;
constexpr int kWindowBlackmanHarris = 1042;
constexpr int kWindowBartlett = 1043;
constexpr int kWindowRectangular = 1044;
constexpr int kMainFreqCheck = 1070;
constexpr int kThdCheck = 1071;
constexpr int kThdnCheck = 1074;
constexpr int kSnCheck = 1072;
constexpr int kHpfCheck = 1079;
constexpr int kSpecCalEdit = 1032;
constexpr int kAveragingCheck = 1096;
constexpr int kMaxAvenEdit = 1034;
constexpr int kPrecisionCheck = 1142;  // the precision read-out beside the spectrum's own
constexpr int kFullScaleEdit = 1144;   // the input's full-scale volts (0: none)
// Page 3, network analysis.
constexpr int kShowPhase = 1060;
constexpr int kShowDelay = 1061;
constexpr int kPoints11 = 1099;
constexpr int kPoints18 = 1100;
constexpr int kPoints30 = 1101;
constexpr int kPoints45 = 1102;
constexpr int kGainRangeEdit = 1029;
constexpr int kDelayRangeEdit = 1028;
constexpr int kPhaseRangeList = 1048;
constexpr int kGainOffsetEdit = 1046;
constexpr int kSweepFast = 1103;
constexpr int kSweepSlow = 1104;
constexpr int kNetMethodList = 1151;     // stepped sweep or log sweep
constexpr int kLogSecondsEdit = 1153;    // the log sweep's length
constexpr int kLogSmoothingList = 1156;  // none, 1/6 .. 1/48 octave
constexpr int kLogStartEdit = 1158;      // the log sweep's band
constexpr int kLogEndEdit = 1160;
// Page 4, generator.
constexpr int kWavNameEdit = 1030;
constexpr int kChangeWavButton = 1003;
constexpr int kSignalList = 1121;  // what the generator plays: the file or a signal of its own
constexpr int kSignalDitherCheck = 1122;
constexpr int kSignalFreqEdit = 1123;
constexpr int kSignalLevelEdit = 1124;
constexpr int kSignalFreq2Edit = 1125;
constexpr int kSignalRatioEdit = 1126;
constexpr int kSignalPhaseEdit = 1127;
constexpr int kSignalChannelList = 1128;
// Page 5, device.
constexpr int kDeviceList = 1084;
constexpr int kDeviceNote = 1086;
constexpr int kSampleRateList = 1092;

}  // namespace opt

constexpr int kOptionPageCount = 5;

struct OptionControl {
    int id;
    ControlKind kind;
    int page;  // 1 .. 5; 0 for the tab control, which every page shares
    PixelRect place;
    const char* text;  // UTF-8; drop-down lists get their items separately
};

// The tab control first, then the pages in order.
std::span<const OptionControl> OptionControls();

// The template of the dialog (template 139): OK, Cancel and save-settings at their places, every
// other control created without a place.
const DialogTemplate& OptionDialogTemplate();

}  // namespace velmora2
