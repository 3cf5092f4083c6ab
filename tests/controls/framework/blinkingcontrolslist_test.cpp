#include "controls/framework/ikxblinkingcontrol.h"
#include "controls/framework/tkxblinkingcontrolslist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Blinker : public IKxBlinkingControl {
public:
    explicit Blinker(bool blinking)
        : blinking(blinking) {}
    bool IsBlinking() const override { return blinking; }
    void SetBlinkPhase(int phase) override { phases.push_back(phase); }
    bool blinking;
    std::vector<int> phases;
};

TEST(BlinkingControlsList, AllBlinkingControlsChangeTogether) {
    Blinker first(true);
    Blinker second(true);
    Blinker still(false);
    TKxBlinkingControlsList &list = TKxBlinkingControlsList::Instance();
    list.Add(&first);
    list.Add(&second);
    list.Add(&still);
    list.Add(&first);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Phase(), 1);
    list.SetIntervalOff(300);
    list.SetIntervalOn(700);
    list.Tick();
    EXPECT_EQ(list.TimerInterval(), 300);
    list.Tick();
    EXPECT_EQ(list.TimerInterval(), 700);
    EXPECT_EQ(first.phases, (std::vector<int>{0, 1}));
    EXPECT_EQ(second.phases, (std::vector<int>{0, 1}));
    EXPECT_TRUE(still.phases.empty());
    list.Remove(&first);
    list.Remove(&second);
    EXPECT_TRUE(TKxBlinkingControlsList::Exists());
    list.Remove(&still);
    EXPECT_FALSE(TKxBlinkingControlsList::Exists());
}

TEST(BlinkingControlsList, ANewListStartsWithItsDefaults) {
    Blinker blinker(true);
    TKxBlinkingControlsList &list = TKxBlinkingControlsList::Instance();
    list.Add(&blinker);
    EXPECT_EQ(list.IntervalOff(), 500);
    EXPECT_EQ(list.IntervalOn(), 500);
    EXPECT_EQ(list.TimerInterval(), 500);
    EXPECT_EQ(list.Phase(), 1);
    list.Remove(&blinker);
}

} // namespace
