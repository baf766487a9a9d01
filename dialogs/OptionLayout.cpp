#include "dialogs/OptionLayout.h"

#include <array>
#include <iterator>

#include "dialogs/DialogView.h"
#include "platform/UiText.h"

namespace velmora2 {

namespace {

using enum ControlKind;

// A few captions need more room than their places had on the original platform's narrower face
// and slimmer list buttons, or in English: HPF(75Hz), Blackman-Harris, the two sweep speeds and
// the FFT-size and phase-range lists are wider, still inside their frames.
constexpr OptionControl kControls[] = {
    {opt::kTabs, TabControl, 0, {10, 10, 340, 405}, ""},
    // Page 1, oscilloscope.
    {1036, GroupBox, 1, {50, 45, 120, 95}, VELMORA2_TEXT("キャリブレーション")},
    {1035, Text, 1, {63, 75, 150, 50}, VELMORA2_TEXT("波形をCB倍します。")},
    {1037, Text, 1, {68, 107, 35, 20}, "CB ="},
    {opt::kCalEdit, Edit, 1, {115, 105, 30, 20}, ""},
    {1055, GroupBox, 1, {200, 45, 100, 85}, VELMORA2_TEXT("ｵｰﾊﾞｻﾝﾌﾟﾘﾝｸﾞ")},
    {opt::kOsr1, RadioButton, 1, {220, 60, 50, 20}, "1x"},
    {opt::kOsr2, RadioButton, 1, {220, 80, 50, 20}, "2x"},
    {opt::kOsr4, RadioButton, 1, {220, 100, 50, 20}, "4x"},
    {1059, GroupBox, 1, {190, 140, 110, 70}, VELMORA2_TEXT("ｶｰｿﾙ差分の単位")},
    {opt::kUnitSec, RadioButton, 1, {210, 160, 80, 20}, "Sec"},
    {opt::kUnitHz, RadioButton, 1, {210, 180, 80, 20}, "Hz"},
    {1087, GroupBox, 1, {50, 157, 120, 60}, VELMORA2_TEXT("Rﾁｬﾈﾙ時間軸調整")},
    {opt::kChannelDelayList, DropDownList, 1, {75, 182, 50, 100}, ""},
    {1069, GroupBox, 1, {50, 235, 145, 85}, VELMORA2_TEXT("ﾄﾘｶﾞﾓｰﾄﾞ")},
    {opt::kEdgeRising, RadioButton, 1, {60, 260, 70, 20}, VELMORA2_TEXT("立上り")},
    {opt::kEdgeFalling, RadioButton, 1, {60, 285, 70, 20}, VELMORA2_TEXT("立下り")},
    {opt::kModeNormal, RadioButton, 1, {130, 260, 70, 20}, "Normal"},
    {opt::kModeSingle, RadioButton, 1, {130, 285, 70, 20}, "Single"},
    {1090, GroupBox, 1, {212, 220, 90, 45}, VELMORA2_TEXT("ADCの範囲")},
    {opt::kAdcRangeCheck, CheckBox, 1, {222, 240, 50, 17}, VELMORA2_TEXT("表示")},
    {1093, GroupBox, 1, {212, 273, 90, 48}, VELMORA2_TEXT("Max録音時間")},
    {opt::kMaxRecEdit, Edit, 1, {228, 290, 35, 20}, ""},
    {1094, Text, 1, {272, 292, 15, 20}, "[s]"},
    // Page 2, FFT analyzer.
    {1049, GroupBox, 2, {50, 45, 120, 60}, VELMORA2_TEXT("FFTのﾎﾟｲﾝﾄ数")},
    {opt::kFftPointsList, DropDownList, 2, {75, 70, 70, 100}, ""},
    {1052, GroupBox, 2, {190, 40, 120, 70}, VELMORA2_TEXT("ｽｹｰﾙ")},
    {opt::kAxisLinear, RadioButton, 2, {210, 60, 100, 20}, VELMORA2_TEXT("ﾘﾆｱ")},
    {opt::kAxisLog, RadioButton, 2, {210, 80, 100, 20}, "LOG"},
    {1038, GroupBox, 2, {50, 117, 270, 95}, VELMORA2_TEXT("窓関数")},
    {opt::kWindowHanning, RadioButton, 2, {70, 132, 100, 20}, VELMORA2_TEXT("ハニング窓")},
    {opt::kWindowHamming, RadioButton, 2, {70, 157, 100, 20}, VELMORA2_TEXT("ハミング窓")},
    {opt::kWindowBlackman, RadioButton, 2, {70, 182, 100, 20}, VELMORA2_TEXT("ブラックマン窓")},
    {opt::kWindowBlackmanHarris,
     RadioButton,
     2,
     {190, 132, 125, 20},
     VELMORA2_TEXT("ﾌﾞﾗｯｸﾏﾝ-ﾊﾘｽ窓")},
    {opt::kWindowBartlett, RadioButton, 2, {190, 157, 100, 20}, VELMORA2_TEXT("バートレット窓")},
    {opt::kWindowRectangular, RadioButton, 2, {190, 182, 100, 20}, VELMORA2_TEXT("なし(矩形窓)")},
    {1073, GroupBox, 2, {50, 220, 95, 110}, VELMORA2_TEXT("測定")},
    {opt::kMainFreqCheck, CheckBox, 2, {70, 238, 70, 20}, "Main"},
    {opt::kThdCheck, CheckBox, 2, {70, 260, 70, 20}, "THD"},
    {opt::kThdnCheck, CheckBox, 2, {70, 282, 70, 20}, "THD+N"},
    {opt::kSnCheck, CheckBox, 2, {70, 304, 70, 20}, "SN"},
    {1080, GroupBox, 2, {155, 220, 100, 50}, VELMORA2_TEXT("測定用ﾌｨﾙﾀ")},
    {opt::kHpfCheck, CheckBox, 2, {170, 238, 80, 20}, "HPF(75Hz)"},
    {1083, GroupBox, 2, {155, 275, 100, 55}, VELMORA2_TEXT("ｵﾌｾｯﾄ調整")},
    {opt::kSpecCalEdit, Edit, 2, {175, 295, 30, 20}, ""},
    {1045, Text, 2, {220, 300, 40, 20}, "[dB]"},
    {1095, GroupBox, 2, {265, 220, 60, 110}, VELMORA2_TEXT("平均")},
    {opt::kAveragingCheck, CheckBox, 2, {275, 240, 35, 20}, "ON"},
    {1097, Text, 2, {280, 270, 25, 20}, VELMORA2_TEXT("回数")},
    {opt::kMaxAvenEdit, Edit, 2, {275, 290, 30, 20}, ""},
    {1141, GroupBox, 2, {50, 337, 275, 45}, VELMORA2_TEXT("精密解析")},
    {opt::kPrecisionCheck, CheckBox, 2, {65, 355, 60, 20}, VELMORA2_TEXT("表示")},
    {1143, Text, 2, {135, 357, 85, 20}, VELMORA2_TEXT("ﾌﾙｽｹｰﾙ電圧")},
    {opt::kFullScaleEdit, Edit, 2, {220, 355, 45, 20}, ""},
    {1145, Text, 2, {270, 357, 50, 20}, "[Vrms]"},
    // Page 3, network analysis.
    {1062, GroupBox, 3, {65, 55, 110, 70}, VELMORA2_TEXT("位相/遅延切替")},
    {opt::kShowPhase, RadioButton, 3, {85, 75, 80, 20}, VELMORA2_TEXT("位相特性")},
    {opt::kShowDelay, RadioButton, 3, {85, 95, 80, 20}, VELMORA2_TEXT("遅延特性")},
    {1098, GroupBox, 3, {195, 40, 90, 100}, VELMORA2_TEXT("測定点数")},
    {opt::kPoints11, RadioButton, 3, {215, 55, 50, 20}, VELMORA2_TEXT("11点")},
    {opt::kPoints18, RadioButton, 3, {215, 75, 50, 20}, VELMORA2_TEXT("18点")},
    {opt::kPoints30, RadioButton, 3, {215, 95, 50, 20}, VELMORA2_TEXT("30点")},
    {opt::kPoints45, RadioButton, 3, {215, 115, 50, 20}, VELMORA2_TEXT("45点")},
    {1065, GroupBox, 3, {80, 145, 190, 140}, VELMORA2_TEXT("レンジ")},
    {1066, Text, 3, {95, 167, 65, 20}, VELMORA2_TEXT("振幅特性")},
    {opt::kGainRangeEdit, Edit, 3, {170, 165, 50, 20}, ""},
    {1077, Text, 3, {230, 167, 30, 20}, "[dB]"},
    {1063, Text, 3, {95, 197, 65, 20}, VELMORA2_TEXT("遅延特性")},
    {opt::kDelayRangeEdit, Edit, 3, {170, 195, 50, 20}, ""},
    {1078, Text, 3, {230, 197, 30, 20}, "[us]"},
    {1064, Text, 3, {95, 227, 65, 20}, VELMORA2_TEXT("位相特性")},
    {opt::kPhaseRangeList, DropDownList, 3, {170, 225, 95, 80}, ""},
    {1106, Text, 3, {95, 255, 65, 20}, VELMORA2_TEXT("振幅ｵﾌｾｯﾄ")},
    {opt::kGainOffsetEdit, Edit, 3, {170, 253, 50, 20}, ""},
    {1107, Text, 3, {230, 255, 30, 20}, "[dB]"},
    {1105, GroupBox, 3, {80, 292, 190, 41}, VELMORA2_TEXT("周波数スイープ速度")},
    {opt::kSweepFast, RadioButton, 3, {105, 307, 65, 20}, VELMORA2_TEXT("はやく")},
    {opt::kSweepSlow, RadioButton, 3, {180, 307, 75, 20}, VELMORA2_TEXT("ゆっくり")},
    {1150, GroupBox, 3, {30, 336, 300, 70}, VELMORA2_TEXT("測定方法")},
    {opt::kNetMethodList, DropDownList, 3, {40, 352, 95, 60}, ""},
    {1152, Text, 3, {142, 354, 30, 20}, VELMORA2_TEXT("長さ")},
    {opt::kLogSecondsEdit, Edit, 3, {172, 352, 35, 20}, ""},
    {1154, Text, 3, {210, 354, 20, 20}, "[s]"},
    {1155, Text, 3, {228, 354, 44, 20}, VELMORA2_TEXT("平滑化")},
    {opt::kLogSmoothingList, DropDownList, 3, {272, 352, 55, 120}, ""},
    {1157, Text, 3, {40, 380, 35, 20}, VELMORA2_TEXT("帯域")},
    {opt::kLogStartEdit, Edit, 3, {75, 378, 50, 20}, ""},
    {1159, Text, 3, {128, 380, 12, 20}, "-"},
    {opt::kLogEndEdit, Edit, 3, {140, 378, 55, 20}, ""},
    {1161, Text, 3, {198, 380, 40, 20}, "[Hz]"},
    // Page 4, generator.
    {1082, GroupBox, 4, {100, 70, 160, 100}, VELMORA2_TEXT("再生Waveﾌｧｲﾙ")},
    {opt::kWavNameEdit, ReadOnlyEdit, 4, {120, 95, 120, 20}, ""},
    {opt::kChangeWavButton, PushButton, 4, {120, 130, 120, 25}, VELMORA2_TEXT("Waveﾌｧｲﾙ変更")},
    {1120, GroupBox, 4, {30, 180, 300, 145}, VELMORA2_TEXT("ｼﾞｪﾈﾚｰﾀ信号")},
    {1130, Text, 4, {45, 202, 55, 20}, VELMORA2_TEXT("信号源")},
    {opt::kSignalList, DropDownList, 4, {105, 200, 120, 170}, ""},
    {opt::kSignalDitherCheck, CheckBox, 4, {240, 202, 80, 20}, VELMORA2_TEXT("ﾃﾞｨｻﾞ")},
    {1131, Text, 4, {45, 232, 55, 20}, VELMORA2_TEXT("周波数")},
    {opt::kSignalFreqEdit, Edit, 4, {105, 230, 65, 20}, ""},
    {1132, Text, 4, {175, 232, 30, 20}, "[Hz]"},
    {1133, Text, 4, {210, 232, 40, 20}, VELMORA2_TEXT("ﾚﾍﾞﾙ")},
    {opt::kSignalLevelEdit, Edit, 4, {250, 230, 40, 20}, ""},
    {1134, Text, 4, {293, 232, 30, 20}, "[dB]"},
    {1135, Text, 4, {45, 262, 55, 20}, VELMORA2_TEXT("第2周波数")},
    {opt::kSignalFreq2Edit, Edit, 4, {105, 260, 65, 20}, ""},
    {1136, Text, 4, {175, 262, 30, 20}, "[Hz]"},
    {1137, Text, 4, {210, 262, 40, 20}, VELMORA2_TEXT("振幅比")},
    {opt::kSignalRatioEdit, Edit, 4, {250, 260, 40, 20}, ""},
    {1138, Text, 4, {45, 292, 55, 20}, VELMORA2_TEXT("位相")},
    {opt::kSignalPhaseEdit, Edit, 4, {105, 290, 65, 20}, ""},
    {1139, Text, 4, {175, 292, 30, 20}, "[deg]"},
    {1140, Text, 4, {210, 292, 40, 20}, VELMORA2_TEXT("ﾁｬﾈﾙ")},
    {opt::kSignalChannelList, DropDownList, 4, {250, 290, 70, 100}, ""},
    // Page 5, device. The first entry of the device list is the desktop's default device.
    {1085, GroupBox, 5, {60, 70, 240, 105}, VELMORA2_TEXT("ｻｳﾝﾄﾞﾃﾞﾊﾞｲｽの選択")},
    {opt::kDeviceList, DropDownList, 5, {80, 90, 200, 100}, ""},
    {opt::kDeviceNote,
     Text,
     5,
     {80, 120, 200, 50},
     VELMORA2_TEXT("「ﾘｽﾄの先頭」とはﾃﾞｽｸﾄｯﾌﾟのｻｳﾝﾄﾞ設定で選ばれた既定のｻｳﾝﾄﾞﾃﾞﾊﾞｲｽです。")},
    {1091, GroupBox, 5, {120, 210, 110, 65}, VELMORA2_TEXT("ｻﾝﾌﾟﾘﾝｸﾞ周波数")},
    {opt::kSampleRateList, DropDownList, 5, {140, 235, 70, 80}, ""},
};

constexpr ControlTemplate kFixedButtons[] = {
    {kIdOk, ControlKind::PushButton, 204, 8, 38, 14, "OK"},
    {kIdCancel, ControlKind::PushButton, 204, 26, 38, 14, "Cancel"},
    {opt::kSaveSettings, ControlKind::PushButton, 204, 196, 38, 14, VELMORA2_TEXT("設定保存")},
};

constexpr auto kTemplateControls = [] {
    std::array<ControlTemplate, std::size(kFixedButtons) + std::size(kControls)> all{};
    size_t next = 0;
    for (const ControlTemplate& button : kFixedButtons) all[next++] = button;
    for (const OptionControl& control : kControls) {
        all[next].id = control.id;
        all[next].kind = control.kind;
        ++next;
    }
    return all;
}();

// An 11-pixel face: the pages were laid out to the pixel for a narrower face than the panel's.
constexpr DialogTemplate kTemplate{
    139, VELMORA2_TEXT("オプション"), 248,
    264, kTemplateControls.data(),    static_cast<int>(kTemplateControls.size()),
    11};

}  // namespace

std::span<const OptionControl> OptionControls() {
    return kControls;
}

const DialogTemplate& OptionDialogTemplate() {
    return kTemplate;
}

}  // namespace velmora2
