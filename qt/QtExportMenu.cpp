#include "qt/QtExportMenu.h"

#include <QBuffer>
#include <QFileDialog>
#include <QMenu>

#include "display/DrawingConventions.h"

namespace velmora2 {

namespace {

// The data file's name offered, as "network-...-impulse.wav".
QString ImpulseName(const QString& dataName) {
    const qsizetype dot = dataName.lastIndexOf('.');
    return (dot > 0 ? dataName.left(dot) : dataName) + QStringLiteral("-impulse.wav");
}

}  // namespace

QtExportMenu::QtExportMenu(QtMainWindow& window, SavePicture savePicture, SaveData saveData,
                           OfferName offerName, ChooseFile chooseFile, SaveImpulse saveImpulse)
    : QObject(&window),
      window_(window),
      savePicture_(std::move(savePicture)),
      saveData_(std::move(saveData)),
      saveImpulse_(std::move(saveImpulse)),
      offerName_(std::move(offerName)),
      chooseFile_(std::move(chooseFile)),
      savePictureAction_(QString::fromUtf8(kSavePictureText)),
      saveDensePictureAction_(QString::fromUtf8(kSaveDensePictureText)),
      saveDataAction_(QString::fromUtf8(kSaveDataText)),
      saveImpulseAction_(QString::fromUtf8(kSaveImpulseText)) {
    if (!chooseFile_) {
        chooseFile_ = [this](const QString& caption, const QString& filter,
                             const QString& offered) {
            return QFileDialog::getSaveFileName(&window_, caption, offered, filter);
        };
    }
    savePictureAction_.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveDataAction_.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (QAction* action : {&savePictureAction_, &saveDataAction_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window_.addAction(action);
    }
    connect(&savePictureAction_, &QAction::triggered, this, [this] { OnSavePicture(false); });
    connect(&saveDensePictureAction_, &QAction::triggered, this, [this] { OnSavePicture(true); });
    connect(&saveDataAction_, &QAction::triggered, this, [this] { OnSaveData(); });
    connect(&saveImpulseAction_, &QAction::triggered, this, [this] { OnSaveImpulse(); });

    // Only the picture field has the menu; the panel's controls keep their own behaviour.
    window_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QRect field(kPictureLeft, kPictureTop, kSurfaceWidth, kSurfaceHeight);
        if (!field.contains(at)) return;
        QMenu menu(&window_);
        menu.addAction(&savePictureAction_);
        if (window_.ClientArea().PixelRatio() > 1) menu.addAction(&saveDensePictureAction_);
        menu.addAction(&saveDataAction_);
        if (saveImpulse_) menu.addAction(&saveImpulseAction_);
        menu.exec(window_.mapToGlobal(at));
    });
}

void QtExportMenu::OnSavePicture(bool atScreenDensity) {
    // The picture as shown at the moment of the click, before the file dialog covers anything.
    const QtClientArea& area = window_.ClientArea();
    const int ratio = atScreenDensity ? area.PixelRatio() : 1;
    QImage picture = (atScreenDensity ? area.DeviceSnapshot() : area.Snapshot())
                         .copy(kPictureLeft * ratio, kPictureTop * ratio, kSurfaceWidth * ratio,
                               kSurfaceHeight * ratio);
    picture.setDevicePixelRatio(1);
    const QString path = chooseFile_(QString::fromUtf8(kSavePictureText).chopped(3),
                                     QStringLiteral("PNG pictures (*.png)"),
                                     QString::fromStdString(offerName_(true)));
    if (path.isEmpty()) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    savePicture_(path.toStdString(), std::string_view(png.constData(), png.size()));
}

void QtExportMenu::OnSaveData() {
    const QString path =
        chooseFile_(QString::fromUtf8(kSaveDataText).chopped(3),
                    QStringLiteral("CSV files (*.csv)"), QString::fromStdString(offerName_(false)));
    if (path.isEmpty()) return;
    saveData_(path.toStdString());
}

void QtExportMenu::OnSaveImpulse() {
    const QString path = chooseFile_(QString::fromUtf8(kSaveImpulseText).chopped(3),
                                     QStringLiteral("WAV files (*.wav)"),
                                     ImpulseName(QString::fromStdString(offerName_(false))));
    if (path.isEmpty() || !saveImpulse_) return;
    saveImpulse_(path.toStdString());
}

}  // namespace velmora2
