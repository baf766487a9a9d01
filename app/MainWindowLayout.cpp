#include "app/MainWindowLayout.h"

#include "platform/UiText.h"

namespace velmora2 {

namespace {

using enum ControlKind;

// The visible controls in template order, then the controls that are never shown.
constexpr ControlTemplate kControls[] = {
    {1008, RadioButton, 28, 279, 53, 11, VELMORA2_TEXT("ｵｼﾛｽｺｰﾌﾟ"), true, kModeGroup},
    {1009, RadioButton, 28, 295, 52, 11, VELMORA2_TEXT("FFTｱﾅﾗｲｻﾞ"), true, kModeGroup},
    {1023, RadioButton, 28, 326, 54, 13, VELMORA2_TEXT("ﾈｯﾄﾜｰｸ解析"), true, kModeGroup},
    {1017, ReadOnlyEdit, 114, 295, 33, 15, "", true, kNoRadioGroup},
    {1016, UpDown, 114, 315, 35, 15, "", true, kNoRadioGroup},
    {1043, UpDown, 164, 311, 35, 15, "", true, kNoRadioGroup},
    {1029, UpDown, 236, 278, 35, 14, "", true, kNoRadioGroup},
    {1038, UpDown, 236, 320, 35, 14, "", true, kNoRadioGroup},
    {1025, ReadOnlyEdit, 327, 30, 32, 14, "", true, kNoRadioGroup},
    {1005, UpDown, 364, 26, 10, 20, "", true, kNoRadioGroup},
    {1021, UpDown, 332, 56, 10, 20, "", true, kNoRadioGroup},
    {1030, ReadOnlyEdit, 326, 108, 32, 14, "", true, kNoRadioGroup},
    {1032, UpDown, 364, 104, 10, 20, "", true, kNoRadioGroup},
    {1035, UpDown, 333, 132, 10, 20, "", true, kNoRadioGroup},
    {1014, UpDown, 356, 194, 10, 23, "", true, kNoRadioGroup},
    {1048, ReadOnlyEdit, 335, 266, 26, 14, "", true, kNoRadioGroup},
    {1010, UpDown, 365, 252, 10, 24, "", true, kNoRadioGroup},
    {1003, PushButton, 297, 320, 41, 23, "Hold/Run", true, kNoRadioGroup},
    {1026, PushButton, 345, 319, 39, 23, VELMORA2_TEXT("ｵﾌﾟｼｮﾝ"), true, kNoRadioGroup},
    {kNoControlId, Text, 353, 178, 26, 12, VELMORA2_TEXT("レベル"), true, kNoRadioGroup},
    {kNoControlId, Text, 309, 140, 21, 13, VELMORA2_TEXT("位置"), true, kNoRadioGroup},
    {kNoControlId, GroupBox, 20, 265, 67, 80, VELMORA2_TEXT("モード"), true, kNoRadioGroup},
    {kNoControlId, GroupBox, 104, 265, 105, 78, VELMORA2_TEXT("時間・周波数軸"), true,
     kNoRadioGroup},
    {kNoControlId, GroupBox, 297, 12, 86, 72, VELMORA2_TEXT("Lチャネル"), true, kNoRadioGroup},
    {kNoControlId, GroupBox, 228, 265, 52, 36, VELMORA2_TEXT("カーソル１"), true, kNoRadioGroup},
    {kNoControlId, GroupBox, 297, 90, 86, 72, VELMORA2_TEXT("Rチャネル"), true, kNoRadioGroup},
    {kNoControlId, GroupBox, 228, 308, 52, 36, VELMORA2_TEXT("カーソル２"), true, kNoRadioGroup},
    {kNoControlId, GroupBox, 297, 166, 88, 61, VELMORA2_TEXT("トリガ"), true, kNoRadioGroup},
    {kNoControlId, Text, 309, 62, 20, 14, VELMORA2_TEXT("位置"), true, kNoRadioGroup},
    {kNoControlId, Text, 304, 32, 21, 14, VELMORA2_TEXT("ｽｹｰﾙ"), true, kNoRadioGroup},
    {kNoControlId, Text, 304, 110, 21, 14, VELMORA2_TEXT("ｽｹｰﾙ"), true, kNoRadioGroup},
    {kNoControlId, GroupBox, 297, 234, 88, 55, VELMORA2_TEXT("ｼﾞｪﾈﾚｰﾀ出力"), true, kNoRadioGroup},
    {kNoControlId, Text, 339, 250, 22, 12, VELMORA2_TEXT("音量"), true, kNoRadioGroup},
    {1020, RadioButton, 308, 210, 36, 12, "OFF", true, kTriggerGroup},
    {1039, RadioButton, 308, 180, 36, 11, VELMORA2_TEXT("Lﾁｬﾈﾙ"), true, kTriggerGroup},
    {1040, RadioButton, 308, 194, 36, 11, VELMORA2_TEXT("Rﾁｬﾈﾙ"), true, kTriggerGroup},
    {1078, CheckBox, 353, 60, 25, 10, "ON", true, kNoRadioGroup},
    {1079, CheckBox, 353, 138, 25, 12, "ON", true, kNoRadioGroup},
    {1080, CheckBox, 304, 258, 25, 12, "ON", true, kNoRadioGroup},
    {kNoControlId, Text, 122, 281, 22, 12, VELMORA2_TEXT("ｽｹｰﾙ"), true, kNoRadioGroup},
    {kNoControlId, Text, 173, 291, 22, 12, VELMORA2_TEXT("位置"), true, kNoRadioGroup},
    {1053, RadioButton, 28, 311, 53, 11, VELMORA2_TEXT("ﾘｻｼﾞｭｰ図形"), true, kModeGroup},
    {1092, PushButton, 297, 298, 42, 15, VELMORA2_TEXT("録音"), true, kNoRadioGroup},
    {1093, PushButton, 345, 297, 39, 15, VELMORA2_TEXT("停止"), true, kNoRadioGroup},
    // Buddy edits of the up-down controls, then the spare edits.
    {1015, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1042, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1006, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1019, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1007, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1034, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1031, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1013, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1028, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1037, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1041, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1024, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1036, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1027, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1033, Edit, 0, 0, 0, 0, "", false, kNoRadioGroup},
    {1018, PushButton, 0, 0, 0, 0, "MENU", false, kNoRadioGroup},
    {1022, PushButton, 0, 0, 0, 0, VELMORA2_TEXT("Network解析 Start/Stop"), false, kNoRadioGroup},
    {1083, PushButton, 0, 0, 0, 0, "Device", false, kNoRadioGroup},
    {1011, RadioButton, 0, 0, 0, 0, "Linear", false, kAxisGroup},
    {1012, RadioButton, 0, 0, 0, 0, "LOG", false, kAxisGroup},
    {1044, RadioButton, 0, 0, 0, 0, "AC", false, kLeftCouplingGroup},
    {1045, RadioButton, 0, 0, 0, 0, "DC", false, kLeftCouplingGroup},
    {1046, RadioButton, 0, 0, 0, 0, "AC", false, kRightCouplingGroup},
    {1047, RadioButton, 0, 0, 0, 0, "DC", false, kRightCouplingGroup},
};

}  // namespace

std::span<const ControlTemplate> MainWindowControls() {
    return kControls;
}

const char* MainWindowTitle() {
    return VELMORA2_TEXT("Velmora2 1.04 — two-channel sound-card instrument");
}

}  // namespace velmora2
