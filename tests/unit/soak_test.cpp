// A simulated day of random events (soak/soak_run.h): every invariant holds
// after each handler and the log holds each ON period once, in order.

#include <gtest/gtest.h>

#include "soak/soak_run.h"

namespace horavia {
namespace {

TEST(Soak, ADayOfRandomEventsKeepsTheInvariantsAndLogsEachOnPeriodOnce) {
  constexpr uint64_t kSeed = 20261231;
  const soak::SoakResult day = soak::RunSoak(kSeed, 24);
  ASSERT_TRUE(day.Passed()) << "seed " << kSeed << ": " << day.failure;
  // A quiet day would pass too: this one met what the run is there for.
  EXPECT_GT(day.loggedEntries, 10);
  EXPECT_GT(day.heldLogSwitchOffs, 0);
  EXPECT_GT(day.disconnects, 10);
  EXPECT_GT(day.boxes, 0);
  EXPECT_GT(day.corrections, 0);
}

}  // namespace
}  // namespace horavia
