#include <gtest/gtest.h>

#include "simulator_world.h"

namespace horavia {
namespace {

constexpr int32_t kShift = 16;
constexpr int32_t kControl = 17;

class HotKeysTest : public ::testing::Test, public SimulatorWorld {
 protected:
  void Press(std::initializer_list<int32_t> keys) { world.keys.held = keys; }
};

TEST_F(HotKeysTest, ModifierCodesAreExact) {
  context.settings.startKey = 65;
  context.settings.startModifiers = 1;
  StartConnected();
  Press({65});
  form.OnHalfSecondTick();
  Press({65, kControl, kShift});
  form.OnHalfSecondTick();
  EXPECT_FALSE(form.Timekeeping().On());
  Press({65, kControl});
  form.OnHalfSecondTick();
  EXPECT_TRUE(form.Timekeeping().On());
  EXPECT_EQ(Controls().buttons[0].face, ButtonFace::Green) << "system time mode";

  struct Case {
    int32_t code;
    std::initializer_list<int32_t> held;
    bool acts;
  };
  const Case cases[] = {{0, {66}, true},           {0, {66, kControl}, false},
                        {2, {66, kShift}, true},   {2, {66, kShift, kControl}, false},
                        {3, {66, kShift, kControl}, true}, {3, {66, kControl}, false},
                        {7, {66}, true},           {7, {66, kShift}, false}};
  context.settings.startKey = 0;
  context.settings.statusKey = 66;
  for (const Case& c : cases) {
    context.settings.statusModifiers = c.code;
    const uint32_t shows = Aircraft().MessageShows();
    world.keys.held = c.held;
    form.OnHalfSecondTick();
    EXPECT_EQ(Aircraft().MessageShows() - shows, c.acts ? 1u : 0u) << "code " << c.code;
  }
}

TEST_F(HotKeysTest, AGreyButtonsKeyIsNotEvenRead) {
  context.settings.startKey = 65;
  context.settings.startLocKey = 76;
  StartConnected();
  Press({65});
  form.OnHalfSecondTick();
  ASSERT_TRUE(form.Timekeeping().On());
  world.keys.reads.clear();
  Press({76});
  form.OnHalfSecondTick();
  EXPECT_TRUE(form.Timekeeping().On()) << "Start Loc does nothing while button 1 is grey";
  EXPECT_EQ(std::count(world.keys.reads.begin(), world.keys.reads.end(), 76), 0);
  // The Start combination switches OFF again; held on, it toggles every tick.
  Press({65});
  form.OnHalfSecondTick();
  EXPECT_FALSE(form.Timekeeping().On());
  form.OnHalfSecondTick();
  form.OnHalfSecondTick();
  EXPECT_FALSE(form.Timekeeping().On());
  EXPECT_EQ(Controls().caption, "Horavia (OFF)");
}

TEST_F(HotKeysTest, NothingActsWhileNotConnected) {
  context.settings.statusKey = 83;
  sim.windowClass.clear();
  form.Start();
  Press({83});
  world.keys.reads.clear();
  form.OnHalfSecondTick();
  EXPECT_TRUE(world.keys.reads.empty());
  EXPECT_EQ(Aircraft().MessageShows(), 0u);
}

}  // namespace
}  // namespace horavia
