// The main window as the user meets it: every control of the template at its place with its
// caption, the hidden ones present but unseen, the picture field clear of controls, radio groups
// that behave like the panel's, and clicks, spin changes and the close handed on by id.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <string>
#include <vector>

#include "app/MainWindowLayout.h"
#include "display/DrawingConventions.h"
#include "panel/ControlIds.h"
#include "qt/QtMainWindow.h"
#include "qt/SpinButton.h"

namespace velmora2 {
namespace {

QRect ToQRect(const PixelRect& r) {
    return {r.x, r.y, r.width, r.height};
}

// The caption a widget shows, whatever kind of widget it is.
std::string Caption(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text().toStdString();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title().toStdString();
    return {};
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : window_(MainWindowControls(), kMainWindowWidthUnits, kMainWindowHeightUnits,
                  MainWindowTitle()) {}

    QWidget* Control(int id) { return window_.View().Widget(id); }
    void Click(int id) { qobject_cast<QAbstractButton*>(Control(id))->click(); }

    QtMainWindow window_;
};

TEST_F(MainWindowTest, ClientAreaIsTheTemplateSizeInPixels) {
    EXPECT_EQ(window_.size(), QSize(705, 585));
    EXPECT_EQ(window_.ClientArea().Snapshot().size(), QSize(705, 585));
}

TEST_F(MainWindowTest, TitleNamesProductAndVersion) {
    const std::string title = window_.windowTitle().toStdString();
    EXPECT_NE(title.find("Velmora2"), std::string::npos);
    EXPECT_NE(title.find("1.04"), std::string::npos);
}

TEST_F(MainWindowTest, EveryVisibleControlSitsAtItsPlaceWithItsCaption) {
    const QList<QWidget*> children = window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const ControlTemplate& control : MainWindowControls()) {
        if (!control.visible) continue;
        const QRect place = ToQRect(ControlPixels(control));
        const QWidget* found = nullptr;
        if (control.id != kNoControlId) {
            found = Control(control.id);
        } else {
            for (const QWidget* child : children)
                if (child->geometry() == place && Caption(child) == control.caption) found = child;
        }
        ASSERT_NE(found, nullptr) << "control " << control.id << " \"" << control.caption << "\"";
        EXPECT_TRUE(found->isVisibleTo(&window_)) << control.caption;
        EXPECT_EQ(found->geometry(), place) << control.caption;
        if (control.kind != ControlKind::ReadOnlyEdit && control.kind != ControlKind::UpDown) {
            EXPECT_EQ(Caption(found), control.caption) << "control " << control.id;
        }
    }
}

TEST_F(MainWindowTest, VisibleControlsAreTheTemplatesInKindAndNumber) {
    int visibleInTemplate = 0;
    for (const ControlTemplate& control : MainWindowControls())
        visibleInTemplate += control.visible;
    int visibleWidgets = 0;
    for (const QWidget* child : window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        visibleWidgets += child->isVisibleTo(&window_);
    EXPECT_EQ(visibleWidgets, visibleInTemplate);
    EXPECT_NE(dynamic_cast<SpinButton*>(Control(ctl::kTimeDivSpin)), nullptr);
    EXPECT_NE(dynamic_cast<SpinButton*>(Control(ctl::kTriggerLevelSpin)), nullptr);
}

TEST_F(MainWindowTest, HiddenControlsExistButAreNotShown) {
    const std::vector<int> hidden{1015,
                                  1042,
                                  1006,
                                  1019,
                                  1007,
                                  1034,
                                  1031,
                                  1013,
                                  1028,
                                  1037,
                                  1041,
                                  1024,
                                  1036,
                                  1027,
                                  1033,
                                  ctl::kMenu,
                                  ctl::kNetworkStartStop,
                                  ctl::kDevice,
                                  ctl::kLinear,
                                  ctl::kLog,
                                  ctl::kLeftAc,
                                  ctl::kLeftDc,
                                  ctl::kRightAc,
                                  ctl::kRightDc};
    for (int id : hidden) {
        ASSERT_NE(Control(id), nullptr) << id;
        EXPECT_FALSE(Control(id)->isVisibleTo(&window_)) << id;
    }
    EXPECT_EQ(window_.View().Text(ctl::kNetworkStartStop), "Network解析 Start/Stop");
    window_.View().SetText(1015, "4");
    EXPECT_EQ(window_.View().Text(1015), "4");
}

TEST_F(MainWindowTest, NoVisibleControlCoversThePictureField) {
    const QRect field(kPictureLeft, kPictureTop, kSurfaceWidth, kSurfaceHeight);
    for (const QWidget* child : window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisibleTo(&window_)) continue;
        EXPECT_FALSE(child->geometry().intersects(field)) << Caption(child);
        EXPECT_TRUE(window_.rect().contains(child->geometry())) << Caption(child);
    }
}

TEST_F(MainWindowTest, ClickOnARadioButtonClearsOnlyTheRestOfItsGroup) {
    DialogView& view = window_.View();
    view.SetCheck(ctl::kModeScope, true);
    view.SetCheck(ctl::kTriggerLeft, true);
    Click(ctl::kModeLissajous);
    EXPECT_TRUE(view.IsChecked(ctl::kModeLissajous));
    EXPECT_FALSE(view.IsChecked(ctl::kModeScope));
    EXPECT_TRUE(view.IsChecked(ctl::kTriggerLeft));
    Click(ctl::kTriggerOff);
    EXPECT_FALSE(view.IsChecked(ctl::kTriggerLeft));
    EXPECT_TRUE(view.IsChecked(ctl::kTriggerOff));
    EXPECT_TRUE(view.IsChecked(ctl::kModeLissajous));
}

TEST_F(MainWindowTest, ClickOnTheSetRadioButtonLeavesItSet) {
    window_.View().SetCheck(ctl::kModeSpectrum, true);
    Click(ctl::kModeSpectrum);
    EXPECT_TRUE(window_.View().IsChecked(ctl::kModeSpectrum));
}

TEST_F(MainWindowTest, HiddenRadioPairsAreGroupsOfTheirOwn) {
    DialogView& view = window_.View();
    view.SetCheck(ctl::kLeftAc, true);
    view.SetCheck(ctl::kRightAc, true);
    view.SetCheck(ctl::kLinear, true);
    Click(ctl::kLeftDc);
    EXPECT_FALSE(view.IsChecked(ctl::kLeftAc));
    EXPECT_TRUE(view.IsChecked(ctl::kRightAc));
    EXPECT_TRUE(view.IsChecked(ctl::kLinear));
    Click(ctl::kLog);
    EXPECT_FALSE(view.IsChecked(ctl::kLinear));
    EXPECT_TRUE(view.IsChecked(ctl::kLeftDc));
}

TEST_F(MainWindowTest, SettingARadioButtonFromCodeLeavesTheOthersAlone) {
    DialogView& view = window_.View();
    view.SetCheck(ctl::kModeScope, true);
    view.SetCheck(ctl::kModeSpectrum, true);
    EXPECT_TRUE(view.IsChecked(ctl::kModeScope));
    view.SetCheck(ctl::kModeScope, false);
    EXPECT_FALSE(view.IsChecked(ctl::kModeScope));
}

TEST_F(MainWindowTest, ClicksAndSpinStepsReachTheHandlersByIdAfterTakingEffect) {
    std::vector<int> clicks;
    std::vector<std::vector<int>> spins;
    bool modeSetWhenReported = false;
    window_.SetClickHandler([&](int id) {
        clicks.push_back(id);
        if (id == ctl::kModeSpectrum) modeSetWhenReported = window_.View().IsChecked(id);
    });
    window_.SetSpinHandler([&](int id, int position, int step) {
        spins.push_back({id, position, step});
    });
    Click(ctl::kHoldRun);
    Click(ctl::kModeSpectrum);
    Click(ctl::kGeneratorOn);
    window_.View().SetSpinRange(ctl::kLeftScaleSpin, 0, 9);
    window_.View().SetSpinPosition(ctl::kLeftScaleSpin, 5);
    auto* spin = dynamic_cast<SpinButton*>(Control(ctl::kLeftScaleSpin));
    for (QObject* child : spin->children())
        if (auto* arrow = qobject_cast<QAbstractButton*>(child)) {
            arrow->click();
            break;
        }
    EXPECT_EQ(clicks, (std::vector<int>{ctl::kHoldRun, ctl::kModeSpectrum, ctl::kGeneratorOn}));
    EXPECT_TRUE(modeSetWhenReported);
    EXPECT_TRUE(window_.View().IsChecked(ctl::kGeneratorOn));
    ASSERT_EQ(spins.size(), 1u);
    EXPECT_EQ(spins[0][0], ctl::kLeftScaleSpin);
    EXPECT_EQ(spins[0][1], 5 + spins[0][2]);
    EXPECT_EQ(window_.View().SpinPosition(ctl::kLeftScaleSpin), spins[0][1]);
}

TEST_F(MainWindowTest, ClosingTheWindowRunsTheCloseHandler) {
    int closes = 0;
    window_.SetCloseHandler([&] { ++closes; });
    window_.show();
    window_.close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(window_.isVisible());
}

}  // namespace
}  // namespace velmora2
