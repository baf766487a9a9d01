// The main window's message texts, exactly as the user sees them (escapes as in C).
#pragma once

#include "panel/PanelMessages.h"  // the application's title
#include "platform/UiText.h"

namespace velmora2::msg {

inline constexpr const char* kCannotSetUpSoundInput =
    VELMORA2_TEXT("サウンド入力を設定できません。 \nエラー: %08X");
inline constexpr const char* kDeviceMaxRate = VELMORA2_TEXT(
    "このﾃﾞﾊﾞｲｽのｻﾝﾌﾟﾘﾝｸﾞ周波数は　\n最高 %d Hzです。\nｱﾌﾟﾘｹｰｼｮﾝを終了→再起動してから "
    "\nｻﾝﾌﾟﾘﾝｸﾞ周波数を確認してください。 ");
inline constexpr const char* kSettingsFileNotFound =
    VELMORA2_TEXT("INIファイル(Velmora2.INI)  \r\n\r\nが見つかりません。 ");
inline constexpr const char* kCannotWriteSettings =
    VELMORA2_TEXT("Velmora2.INIに書き込めません。\r\n\r\nﾌｧｲﾙ使用中か書込禁止の可能性があります。");

// After the name of the picture or data file that could not be written.
inline constexpr const char* kCannotWriteExportSuffix =
    VELMORA2_TEXT("に書き込めません。\r\n\r\nﾌｧｲﾙ使用中か書込禁止の可能性があります。");
inline constexpr const char* kNoDataToSave = VELMORA2_TEXT("保存するデータがありません。");
// Only a log sweep shown in network analysis has an impulse response.
inline constexpr const char* kNoImpulseToSave =
    VELMORA2_TEXT("保存するインパルス応答がありません。");

inline constexpr const char* kSoundDeviceStopped = VELMORA2_TEXT(
    "サウンドデバイスが停止しました。 \nﾃﾞﾊﾞｲｽの接続を確認してから "
    "\nｱﾌﾟﾘｹｰｼｮﾝを再起動してください。 ");
inline constexpr const char* kPreThreadTitle = "preThread";
inline constexpr const char* kMainThreadTitle = "mainThread";

}  // namespace velmora2::msg
