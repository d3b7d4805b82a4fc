#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "fakes/fake_platform.h"
#include "link/link.h"
#include "settings/settings.h"
#include "simstandin/core/in_process_simulator.h"

// Every allocation of this test program goes through here; only those made
// while `g_counting` is on are counted.
namespace {
std::atomic<bool> g_counting{false};
std::atomic<int> g_allocations{0};

void* Allocate(std::size_t size) {
  if (g_counting) ++g_allocations;
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_counting) ++g_allocations;
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

TEST(LinkAllocationTest, ExchangesAllocateNothing) {
  // cppcheck-suppress unassignedVariable ; false alarm: its constructor makes it
  fakes::FakeClock clock;
  // cppcheck-suppress unassignedVariable ; false alarm: its constructor makes it
  Settings settings;
  simstandin::InProcessSimulator sim{clock};
  sim.keepJournal = false;
  sim.standIn.journal = nullptr;
  Link link{sim, settings.smTimeoutRetry};
  LinkResult result = LinkResult::Ok;
  ASSERT_TRUE(link.Open(0, result));

  uint8_t time[5] = {};
  uint16_t date[2] = {};
  char text[128] = " HVA: OFF";
  const uint16_t seconds = 5;
  g_allocations = 0;
  g_counting = true;
  bool ok = true;
  for (int round = 0; round < 3; ++round) {
    for (uint32_t i = 0; i < 5; ++i) ok = link.Read(0x0238 + i, 1, &time[i], result) && ok;
    ok = link.Read(0x023E, 2, &date[0], result) && ok;
    ok = link.Read(0x0240, 2, &date[1], result) && ok;
    ok = link.Process(result) && ok;
    ok = link.Write(0x3380, 128, text, result) && ok;
    ok = link.Write(0x32FA, 2, &seconds, result) && ok;
    ok = link.Process(result) && ok;
  }
  g_counting = false;
  EXPECT_TRUE(ok);
  EXPECT_EQ(g_allocations, 0);
  EXPECT_EQ(date[1], 2026) << "the exchanges really took place";

  // The counter does count: a control that allocates on purpose.
  g_counting = true;
  delete new int(1);
  g_counting = false;
  EXPECT_EQ(g_allocations, 1);
}

}  // namespace
}  // namespace horavia
