// The picture field's context menu (right mouse button) and the window's shortcuts for it:
// "Save picture..." writes the picture as shown, as PNG of 481 x 361 pixels (on a high-density
// screen also "Save picture at screen density...", at the screen's pixels); "Save data..." the
// numbers behind it, as
// CSV; "Save impulse response..." (with a handler for it) a log sweep's impulse response, as WAV.
// It asks for the file name and encodes the picture; what is written, and what is said when
// that fails, is decided by the handlers.
#pragma once

#include <QAction>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "qt/QtMainWindow.h"

namespace velmora2 {

class QtExportMenu final : public QObject {
public:
    // Asks for the file to save to (caption, file-name filter, the name offered); empty when the
    // user cancels.
    using ChooseFile = std::function<QString(const QString& caption, const QString& filter,
                                             const QString& offered)>;
    // The name to offer for a picture (true) or for data (false).
    using OfferName = std::function<std::string(bool picture)>;
    using SavePicture = std::function<void(const std::string& path, std::string_view png)>;
    using SaveData = std::function<void(const std::string& path)>;
    using SaveImpulse = std::function<void(const std::string& path)>;

    static constexpr const char* kSavePictureText = "Save picture...";
    static constexpr const char* kSaveDensePictureText = "Save picture at screen density...";
    static constexpr const char* kSaveDataText = "Save data...";
    static constexpr const char* kSaveImpulseText = "Save impulse response...";

    // The default chooser is the toolkit's save-file dialog over the window.
    QtExportMenu(QtMainWindow& window, SavePicture savePicture, SaveData saveData,
                 OfferName offerName, ChooseFile chooseFile = {}, SaveImpulse saveImpulse = {});

    QAction& SavePictureAction() { return savePictureAction_; }
    QAction& SaveDensePictureAction() { return saveDensePictureAction_; }
    QAction& SaveDataAction() { return saveDataAction_; }
    QAction& SaveImpulseAction() { return saveImpulseAction_; }

private:
    void OnSavePicture(bool atScreenDensity);
    void OnSaveData();
    void OnSaveImpulse();

    QtMainWindow& window_;
    SavePicture savePicture_;
    SaveData saveData_;
    SaveImpulse saveImpulse_;
    OfferName offerName_;
    ChooseFile chooseFile_;
    QAction savePictureAction_;
    QAction saveDensePictureAction_;
    QAction saveDataAction_;
    QAction saveImpulseAction_;
};

}  // namespace velmora2
