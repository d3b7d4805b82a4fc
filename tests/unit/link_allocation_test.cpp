#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "fakes/fake_platform.h"
#include "link/link.h"
#include "timekeeping/simulator.h"
#include "simstandin/core/in_process_simulator.h"

// Every allocation of this test program goes through here; only those made
// while `counting` is on are counted.
namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting) ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace horavia {
namespace {

// The exchanges the main window makes on every tick allocate nothing.
TEST(LinkAllocationTest, ExchangesAllocateNothing) {
  // cppcheck-suppress unassignedVariable ; false alarm: its constructor makes it
  fakes::FakeClock clock;
  simstandin::InProcessSimulator sim{clock};
  sim.keepJournal = false;
  sim.standIn.journal = nullptr;
  const int32_t retries = 40;
  Link link{sim, retries};
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  Simulator simulator(link);

  allocations = 0;
  counting = true;
  bool ok = true;
  for (int round = 0; round < 3; ++round) {
    simulator.NewHandler();
    ok = simulator.ReadClock() && simulator.ReadFlags() && ok;
    ok = simulator.WriteClock({13, 45, 21, 12, 5, 2026}, 21, -300, ClockFields::TimeOfDay) && ok;
    ok = simulator.ShowText(" HVA: OFF") && ok;
  }
  counting = false;
  EXPECT_TRUE(ok) << "the exchanges really took place";
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(sim.standIn.Aircraft().MessageText(), " HVA: OFF");
  // The counter does count: a control that allocates on purpose.
  counting = true;
  delete new int(1);
  counting = false;
  EXPECT_EQ(allocations, 1);
}

}  // namespace
}  // namespace horavia
