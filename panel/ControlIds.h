// Control ids of the main window.
#pragma once

namespace velmora2::ctl {

// Mode radio buttons.
constexpr int kModeScope = 1008;
constexpr int kModeSpectrum = 1009;
constexpr int kModeNetwork = 1023;
constexpr int kModeLissajous = 1053;
// Time / frequency axis.
constexpr int kTimeDivLabel = 1017;
constexpr int kTimeDivSpin = 1016;
constexpr int kHorizontalPositionSpin = 1043;
constexpr int kCursor1Spin = 1029;
constexpr int kCursor2Spin = 1038;
// Channels.
constexpr int kLeftScaleLabel = 1025;
constexpr int kLeftScaleSpin = 1005;
constexpr int kLeftPositionSpin = 1021;
constexpr int kRightScaleLabel = 1030;
constexpr int kRightScaleSpin = 1032;
constexpr int kRightPositionSpin = 1035;
constexpr int kLeftOn = 1078;
constexpr int kRightOn = 1079;
// Trigger.
constexpr int kTriggerLevelSpin = 1014;
constexpr int kTriggerOff = 1020;
constexpr int kTriggerLeft = 1039;
constexpr int kTriggerRight = 1040;
// Generator.
constexpr int kVolumeLabel = 1048;
constexpr int kVolumeSpin = 1010;
constexpr int kGeneratorOn = 1080;
// Buttons.
constexpr int kHoldRun = 1003;
constexpr int kOptions = 1026;
constexpr int kRecord = 1092;
constexpr int kStopRecord = 1093;
// Never visible.
constexpr int kMenu = 1018;
constexpr int kNetworkStartStop = 1022;
constexpr int kDevice = 1083;
constexpr int kLinear = 1011;
constexpr int kLog = 1012;
constexpr int kLeftAc = 1044;
constexpr int kLeftDc = 1045;
constexpr int kRightAc = 1046;
constexpr int kRightDc = 1047;

// The main window's one timer: network sweep steps and the recording time limit.
constexpr int kTimer1 = 1;

}  // namespace velmora2::ctl
