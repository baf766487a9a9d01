#include "qt/QtDialogServices.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "qt/DialogTemplates.h"
#include "qt/QtDialogView.h"
#include "qt/QtModalDialog.h"
#include "qt/UiTranslation.h"

namespace velmora2 {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtDialogServices::QtDialogServices(QWidget* window) : window_(window) {}

QtDialogServices::QtDialogServices(QWidget* window, QDialog* modal)
    : modal_(modal), window_(window) {}

QtDialogServices::~QtDialogServices() = default;

void QtDialogServices::SetTimerHandler(std::function<void(int timerId)> handler) {
    timerHandler_ = std::move(handler);
}

void QtDialogServices::MessageBox(const std::string& text, const std::string& title,
                                  MessageIcon icon) {
    // The texts carry the platform's CR LF line ends; a lone LF is what a label breaks on.
    QString body = Translated(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(ToQtIcon(icon), Translated(title), body, QMessageBox::Ok, window_);
    box.exec();
}

int QtDialogServices::RunModal(ModalDialog& dialog) {
    if (const DialogTemplate* layout = FindDialogTemplate(dialog.TemplateId())) {
        QtModalDialog shown(*layout, window_);
        QtDialogServices services(&shown, &shown);
        shown.SetCommandHandler([&](int id) { dialog.OnCommand(id, services); });
        shown.SetNotifyHandler([&](int id, ControlNotification notification) {
            dialog.OnNotify(id, notification, services);
        });
        dialog.OnInitDialog(shown.View(), services);
        if (const std::optional<int> result = services.EndResult()) return *result;
        return shown.exec();
    }
    QtDialogView view;
    QtDialogServices services(window_);
    dialog.OnInitDialog(view, services);
    if (const std::optional<int> result = services.EndResult()) return *result;
    std::fprintf(stderr, "dialog %d cannot be shown on this platform yet; taken as cancelled\n",
                 dialog.TemplateId());
    return kCancelResult;
}

int QtDialogServices::SetTimer(int timerId, int periodMs) {
    QTimer*& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = new QTimer(&timerOwner_);
        QObject::connect(timer, &QTimer::timeout, &timerOwner_, [this, timerId] {
            if (timerHandler_) timerHandler_(timerId);
        });
    }
    timer->start(periodMs);
    return timerId;
}

void QtDialogServices::KillTimer(int timerId) {
    const auto found = timers_.find(timerId);
    if (found != timers_.end()) found->second->stop();
}

void QtDialogServices::SingleShot(int delayMs, std::function<void()> action) {
    QTimer::singleShot(delayMs, &timerOwner_, std::move(action));
}

std::optional<std::string> QtDialogServices::ChooseFileToOpen(
    const std::string& initialName, const std::vector<FileFilter>& filters) {
    QStringList nameFilters;
    for (const FileFilter& filter : filters)
        nameFilters << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.description),
                                                     QString::fromStdString(filter.pattern));
    QFileDialog chooser(window_);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setNameFilters(nameFilters);
    chooser.selectFile(QString::fromStdString(initialName));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return chooser.selectedFiles().front().toStdString();
}

void QtDialogServices::EndDialog(int result) {
    endResult_ = result;
    if (modal_ != nullptr) {
        // Before it is shown the caller reads the result instead.
        if (modal_->isVisible()) modal_->done(result);
        return;
    }
    if (!eventLoopRunning_) return;
    if (window_ != nullptr) window_->hide();
    QCoreApplication::exit(result);
}

void QtDialogServices::PostToUserInterface(std::function<void()> action) {
    QMetaObject::invokeMethod(&timerOwner_, std::move(action), Qt::QueuedConnection);
}

}  // namespace velmora2
