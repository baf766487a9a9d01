// The program: the main window on Qt, its logic in CTarvikDlg, sound from the backend the
// environment chooses.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CTarvikDlg.h"
#include "app/CloseAfter.h"
#include "app/ExportActions.h"
#include "app/MainWindowLayout.h"
#include "app/SoundBackendChoice.h"
#include "dialogs/CSplashWnd.h"
#include "display/DrawingConventions.h"
#include "platform/ProgramDirectory.h"
#include "qt/QtDialogServices.h"
#include "qt/QtExportMenu.h"
#include "qt/QtMainWindow.h"
#include "qt/QtSplashHost.h"
#include "qt/UiTranslation.h"
#include "qt/WindowIcon.h"

namespace {

using namespace velmora2;

// An engine's worker that would not end still uses the sound system and the client area, so the
// program then leaves without tearing them down.
int Finish(const CTarvikDlg& dialog, int result) {
    if (!dialog.WorkerLeftRunning()) return result;
    std::fflush(nullptr);
    std::_Exit(result);
}

// For scripted runs: whether the picture field shows a picture (mostly the field's white) rather
// than the bare window.
void ReportPictureField(const QImage& clientArea) {
    const QImage field = clientArea.copy(kPictureLeft, kPictureTop, kFieldWidth, kFieldHeight);
    const QRgb white = qRgb(kFieldBackground.r, kFieldBackground.g, kFieldBackground.b);
    long long whitePixels = 0;
    for (int y = 0; y < field.height(); ++y)
        for (int x = 0; x < field.width(); ++x) whitePixels += field.pixel(x, y) == white;
    const bool shown = 2 * whitePixels > static_cast<long long>(field.width()) * field.height();
    std::fprintf(stderr, "velmora2: %s\n", shown ? "picture shown" : "no picture shown");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv by now; whatever is left decides the splash.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CSplashWnd::EnableSplashScreen(SplashEnabledForArguments(arguments));
    QApplication::setWindowIcon(ProgramIcon());
    InstallUiLanguageFromEnvironment();

    const std::unique_ptr<SoundSystem> sound = CreateSoundSystemFromEnvironment();
    QtMainWindow window(MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
                        MainWindowTitle());
    QtSplashHost splash(&window);
    QtDialogServices services(&window);
    CTarvikDlg dialog(*sound, window.ClientArea(), window.View(), services, ProgramDirectory());

    window.SetClickHandler([&dialog](int id) { dialog.OnCommand(id); });
    window.SetSpinHandler([&dialog](int id, int, int) { dialog.OnSpinChanged(id); });
    window.SetCloseHandler([&dialog] { dialog.OnClose(); });
    ExportActions exports(services, [&dialog] { return dialog.MainEngine(); });
    QtExportMenu exportMenu(
        window,
        [&exports](const std::string& path, std::string_view png) {
            exports.SavePicture(path, png);
        },
        [&exports](const std::string& path) { exports.SaveData(path); },
        [&exports](bool picture) {
            return exports.SuggestedName(picture ? ExportKind::Picture : ExportKind::Data);
        },
        {}, [&exports](const std::string& path) { exports.SaveImpulse(path); });
    services.SetTimerHandler([&dialog](int id) { dialog.OnTimer(id); });

    dialog.OnInitDialog();
    if (const std::optional<int> result = services.EndResult()) return Finish(dialog, *result);
    if (const std::optional<int> ms = CloseAfterFromEnvironment()) {
        QTimer::singleShot(*ms, &window, [&window] {
            ReportPictureField(window.ClientArea().Snapshot());
            window.close();
        });
    }
    services.SetEventLoopRunning();
    window.show();
    const int result = QApplication::exec();
    dialog.OnClose();  // whatever ended the loop, no engine runs past this point
    return Finish(dialog, result);
}
