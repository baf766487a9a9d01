// The up-down control: arrows laid out by the control's shape, one step per click within the
// range, the change reported at once, and programmatic settings reported never.
#include <gtest/gtest.h>

#include <QToolButton>
#include <QWidget>
#include <vector>

#include "qt/SpinButton.h"

namespace velmora2 {
namespace {

struct Change {
    int position;
    int step;
    friend bool operator==(const Change&, const Change&) = default;
};

class SpinButtonTest : public ::testing::Test {
protected:
    SpinButton* MakeSpin(const QRect& geometry, int lower, int upper, int position) {
        auto* spin = new SpinButton(&parent_, geometry);
        spin->SetRange(lower, upper);
        spin->SetPosition(position);
        spin->SetChangeHandler([this](int p, int s) { changes_.push_back({p, s}); });
        return spin;
    }

    static QToolButton* Arrow(SpinButton& spin, Qt::ArrowType type) {
        for (QToolButton* button : spin.findChildren<QToolButton*>())
            if (button->arrowType() == type) return button;
        return nullptr;
    }

    QWidget parent_;
    std::vector<Change> changes_;
};

const QRect kTall(0, 0, 17, 32);
const QRect kWide(0, 0, 61, 24);

TEST_F(SpinButtonTest, TallControlHasUpAndDownArrowsStacked) {
    SpinButton* spin = MakeSpin(kTall, 0, 9, 5);
    EXPECT_EQ(spin->Orientation(), Qt::Vertical);
    QToolButton* up = Arrow(*spin, Qt::UpArrow);
    QToolButton* down = Arrow(*spin, Qt::DownArrow);
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    EXPECT_LT(up->geometry().bottom(), down->geometry().top());
}

TEST_F(SpinButtonTest, WideControlHasLeftAndRightArrowsSideBySideCountingUpToTheRight) {
    SpinButton* spin = MakeSpin(kWide, 0, 160, 140);
    EXPECT_EQ(spin->Orientation(), Qt::Horizontal);
    QToolButton* left = Arrow(*spin, Qt::LeftArrow);
    QToolButton* right = Arrow(*spin, Qt::RightArrow);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_LT(left->geometry().right(), right->geometry().left());
    right->click();
    left->click();
    EXPECT_EQ(changes_, (std::vector<Change>{{141, 1}, {140, -1}}));
}

TEST_F(SpinButtonTest, EachClickStepsOnceAndReportsBeforeTheClickReturns) {
    SpinButton* spin = MakeSpin(kTall, 0, 9, 5);
    Arrow(*spin, Qt::UpArrow)->click();
    EXPECT_EQ(changes_, (std::vector<Change>{{6, 1}}));
    Arrow(*spin, Qt::DownArrow)->click();
    Arrow(*spin, Qt::DownArrow)->click();
    EXPECT_EQ(changes_, (std::vector<Change>{{6, 1}, {5, -1}, {4, -1}}));
    EXPECT_EQ(spin->Position(), 4);
}

TEST_F(SpinButtonTest, ClicksStopAtTheEndsWithoutWrappingOrReporting) {
    SpinButton* spin = MakeSpin(kTall, 0, 9, 9);
    Arrow(*spin, Qt::UpArrow)->click();
    EXPECT_EQ(spin->Position(), 9);
    EXPECT_TRUE(changes_.empty());
    spin->SetPosition(0);
    Arrow(*spin, Qt::DownArrow)->click();
    EXPECT_EQ(spin->Position(), 0);
    EXPECT_TRUE(changes_.empty());
}

TEST_F(SpinButtonTest, SettingRangeOrPositionReportsNothingAndStaysInRange) {
    SpinButton* spin = MakeSpin(kTall, 0, 36, 18);
    spin->SetPosition(40);
    EXPECT_EQ(spin->Position(), 36);
    spin->SetRange(0, 9);
    EXPECT_EQ(spin->Position(), 9);
    spin->SetPosition(-3);
    EXPECT_EQ(spin->Position(), 0);
    EXPECT_TRUE(changes_.empty());
}

TEST_F(SpinButtonTest, UpsideDownRangeTurnsTheArrowsAround) {
    SpinButton* spin = MakeSpin(kTall, 9, 0, 5);
    Arrow(*spin, Qt::UpArrow)->click();
    EXPECT_EQ(changes_, (std::vector<Change>{{4, -1}}));
    spin->SetPosition(0);
    Arrow(*spin, Qt::UpArrow)->click();
    EXPECT_EQ(spin->Position(), 0);
    EXPECT_EQ(changes_.size(), 1u);
}

}  // namespace
}  // namespace velmora2
