// The splash picture shown for a moment at start-up: at most one per run, gone after 1200 ms or
// at the first key or mouse-button press anywhere in the program (which still reaches its
// target). Process-wide, like the one splash window it stands for; the platform's window comes
// in through SplashHost.
#pragma once

#include <span>
#include <string>

namespace velmora2 {

enum class InputEvent { KeyPress, MouseButtonPress, Other };

// The platform's splash window: titleless, taking no input, centred over its owner (or on the
// screen while the owner is hidden), showing DrawSplashPicture.
class SplashHost {
public:
    virtual ~SplashHost() = default;
    // Creates, shows and paints the window at once. False when it cannot be created.
    virtual bool Create() = 0;
    // After the delay, calls CSplashWnd::OnTimer (unless the window is destroyed first).
    virtual void StartTimer(int delayMs) = 0;
    // Destroys the window and repaints the owner at once.
    virtual void Destroy() = 0;
};

class CSplashWnd {
public:
    static constexpr int kShowMs = 1200;
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 120;

    static void EnableSplashScreen(bool enable);
    // The platform's window; null means no splash can be shown.
    static void SetHost(SplashHost* host);
    // Shows the splash if it is enabled and none exists yet.
    static void ShowSplashScreen();
    static void HideSplashScreen();
    static void OnTimer();
    // Called for every input event before it is dispatched; never consumes it.
    static void PreTranslateAppMessage(InputEvent event);
    static bool IsShown();
};

// The splash rule: only a plain start (no argument left once the toolkit has taken its own)
// shows the splash; a file name or any switch turns it off.
bool SplashEnabledForArguments(std::span<const std::string> arguments);

}  // namespace velmora2
