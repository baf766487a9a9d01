// The front panel's message texts, exactly as the user sees them (escapes as in C).
#pragma once

#include "platform/UiText.h"

namespace velmora2::msg {

inline constexpr const char* kApplicationTitle = "Velmora2";

inline constexpr const char* kUnsupportedGeneratorRate = VELMORA2_TEXT(
    "再生ﾃﾞﾊﾞｲｽでｻﾎﾟｰﾄされていない \r\nｻﾝﾌﾟﾘﾝｸﾞ周波数(%dHz)です。 "
    "\r\nWAVEﾌｧｲﾙを変更してください。");
inline constexpr const char* kErrorMessageTitle = "Velmora2 Error Message";
inline constexpr const char* kCannotWriteRecording =
    VELMORA2_TEXT("RECORDXX.WAVに書き込めません。\r\n\r\nﾌｧｲﾙ使用中か書込禁止の可能性があります。");

}  // namespace velmora2::msg
