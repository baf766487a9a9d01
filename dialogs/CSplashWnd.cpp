#include "dialogs/CSplashWnd.h"

namespace velmora2 {

namespace {

struct SplashState {
    bool enabled = false;
    SplashHost* host = nullptr;
    bool shown = false;
};

SplashState& State() {
    static SplashState state;
    return state;
}

}  // namespace

void CSplashWnd::EnableSplashScreen(bool enable) {
    State().enabled = enable;
}

void CSplashWnd::SetHost(SplashHost* host) {
    HideSplashScreen();
    State().host = host;
}

void CSplashWnd::ShowSplashScreen() {
    SplashState& state = State();
    if (!state.enabled || state.shown || state.host == nullptr) return;
    if (!state.host->Create()) return;
    state.shown = true;
    state.host->StartTimer(kShowMs);
}

void CSplashWnd::HideSplashScreen() {
    SplashState& state = State();
    if (!state.shown) return;
    state.shown = false;
    state.host->Destroy();
}

void CSplashWnd::OnTimer() {
    HideSplashScreen();
}

void CSplashWnd::PreTranslateAppMessage(InputEvent event) {
    if (event == InputEvent::KeyPress || event == InputEvent::MouseButtonPress) HideSplashScreen();
}

bool CSplashWnd::IsShown() {
    return State().shown;
}

bool SplashEnabledForArguments(std::span<const std::string> arguments) {
    return arguments.empty();
}

}  // namespace velmora2
