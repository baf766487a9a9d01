// The options dialog's message texts, exactly as the user sees them (escapes as in C).
#pragma once

#include "platform/UiText.h"

namespace velmora2::msg {

inline constexpr const char* kNewDevice = VELMORA2_TEXT(
    "新しいﾃﾞﾊﾞｲｽを有効にするには  \r\n「設定保存」をクリックした後、 \r\n"
    "ｱﾌﾟﾘｹｰｼｮﾝを再起動してください。 ");
inline constexpr const char* kRateMayBeUnsupported = VELMORA2_TEXT(
    "このｻﾝﾌﾟﾘﾝｸﾞ周波数はこのﾃﾞﾊﾞｲｽで  \r\nｻﾎﾟｰﾄされていない可能性があります。  \r\n"
    "ﾃﾞﾊﾞｲｽの仕様を確認してください。 \r\nまた、ｻﾝﾌﾟﾘﾝｸﾞ周波数を変えるには \r\n"
    "「設定保存」してから再起動してください。 \r\n ");
inline constexpr const char* kNewRate = VELMORA2_TEXT(
    "新しいｻﾝﾌﾟﾘﾝｸﾞ周波数を有効にするには  \r\n「設定保存」をクリックした後、 \r\n"
    "ｱﾌﾟﾘｹｰｼｮﾝを再起動してください。 ");
// The settings file keeps at most 99 bytes of the generator file's name.
inline constexpr const char* kWavNameTooLong = VELMORA2_TEXT(
    "Waveﾌｧｲﾙ名が長すぎます(99ﾊﾞｲﾄまで)。 \r\n"
    "名前の短いﾌｧｲﾙを選んでください。 ");

// The standard entry-field messages; %1 and %2 are the bounds.
inline constexpr const char* kEnterNumber = "Enter a number.";
inline constexpr const char* kEnterInteger = "Enter an integer.";
inline constexpr const char* kEnterNumberBetween = "Enter a number between %1 and %2.";
inline constexpr const char* kEnterIntegerBetween = "Enter an integer between %1 and %2.";

inline constexpr const char* kOptionsTitle = "Velmora2";

}  // namespace velmora2::msg
