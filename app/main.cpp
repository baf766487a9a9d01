// The program: the main window on Qt, its logic in CTarvikDlg, sound from the backend the
// environment chooses.
#include <QApplication>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CTarvikDlg.h"
#include "app/ExportActions.h"
#include "app/MainWindowLayout.h"
#include "app/SoundBackendChoice.h"
#include "dialogs/CSplashWnd.h"
#include "platform/ProgramDirectory.h"
#include "qt/QtDialogServices.h"
#include "qt/QtExportMenu.h"
#include "qt/QtMainWindow.h"
#include "qt/QtSplashHost.h"
#include "qt/WindowIcon.h"

int main(int argc, char** argv) {
    using namespace velmora2;
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv by now; whatever is left decides the splash.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CSplashWnd::EnableSplashScreen(SplashEnabledForArguments(arguments));
    QApplication::setWindowIcon(ProgramIcon());

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
        [&exports](const std::string& path) { exports.SaveData(path); });
    services.SetTimerHandler([&dialog](int id) { dialog.OnTimer(id); });

    dialog.OnInitDialog();
    if (const std::optional<int> result = services.EndResult()) return *result;
    services.SetEventLoopRunning();
    window.show();
    return QApplication::exec();
}
