#include "win32/app/settings_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "win32/support/dpi.h"

namespace horavia::win32 {
namespace {

constexpr int kStartKeyList = 1001;
constexpr int kStartShiftBox = 1003;
constexpr int kStatusShiftBox = 1009;
constexpr int kSyncIntervalList = 1010;
constexpr int kSyncIntervalHelpButton = 1011;
constexpr int kLogMinimumList = 1012;

// The main window's ON state and sync timer, as the settings window sees
// them: the intervals it was given are kept.
class FakeSyncIntervalHost final : public SyncIntervalHost {
 public:
  bool TimekeeperOn() const override { return on; }
  int32_t SyncIntervalMs() const override { return intervalMs; }
  void SetSyncIntervalMs(int32_t interval) override {
    intervalMs = interval;
    intervalsSet.push_back(interval);
  }

  bool on = false;
  int32_t intervalMs = 20000;
  std::vector<int32_t> intervalsSet;
};

// Drives the open window from a thread timer, which the window's modal loop
// dispatches: each step runs once it returns true, so a step can wait for a
// window to appear. A window still open after the deadline is closed, so
// that a broken step fails the test instead of hanging it.
class Driver {
 public:
  using Step = std::function<bool(HWND dialog)>;

  static Driver* current;
  std::vector<Step> steps;
  size_t next = 0;
  int ticks = 0;
  bool timedOut = false;

  // A visible window of this thread of that class and caption.
  static HWND FindWindowOf(const wchar_t* windowClass, const wchar_t* caption) {
    struct Search {
      const wchar_t* windowClass;
      const wchar_t* caption;
      HWND found;
    } search{windowClass, caption, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lParam);
          wchar_t text[64] = {};
          wchar_t windowClass[32] = {};
          ::GetWindowTextW(hwnd, text, 64);
          ::GetClassNameW(hwnd, windowClass, 32);
          if (std::wstring(windowClass) == s->windowClass && std::wstring(text) == s->caption &&
              ::IsWindowVisible(hwnd)) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  static HWND FindSettingsWindow() { return FindWindowOf(L"HoraviaSettings", L"Horavia Settings"); }
  static HWND FindBox() { return FindWindowOf(L"#32770", L"Horavia"); }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = *current;
    const HWND dialog = FindSettingsWindow();
    if (dialog == nullptr) return;
    if (++d.ticks > 250) {
      d.timedOut = true;
      ::PostMessageW(dialog, WM_CLOSE, 0, 0);
      return;
    }
    if (d.next < d.steps.size() && d.steps[d.next](dialog)) ++d.next;
  }
};
Driver* Driver::current = nullptr;

int Px(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }

RECT ClientPlace(HWND dialog, int id) {
  RECT rect{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class SettingsDialogTest : public ::testing::Test {
 public:
  fakes::FakeWorld world;
  Settings settings;
  FakeSyncIntervalHost host;
  std::string buttonSound = world.PathOf("\\sound_button.wav");
  HWND owner = nullptr;
  Driver driver;

  void SetUp() override {
    world.files.files[buttonSound] = "RIFF";
    owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    Driver::current = &driver;
  }
  void TearDown() override {
    ::SetEnvironmentVariableA("HORAVIA_DPI", nullptr);
    ::DestroyWindow(owner);
  }

  // Opens a fresh dialog and runs the steps in it; true when OK stored.
  bool Run(std::vector<Driver::Step> steps) {
    driver = Driver{};
    driver.steps = std::move(steps);
    SettingsDialogModel model(settings, host, world.platform);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &Driver::Tick);
    const bool stored = ShowSettingsDialog(owner, model);
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(driver.timedOut) << "the dialog did not close; step " << driver.next;
    EXPECT_EQ(driver.next, driver.steps.size());
    EXPECT_TRUE(model.Closed());
    EXPECT_EQ(stored, model.Stored());
    return stored;
  }

  static bool Post(HWND window, UINT message, WPARAM wParam) {
    ::PostMessageW(window, message, wParam, 0);
    return true;
  }
};

TEST_F(SettingsDialogTest, WindowLayoutAtTheDpiAndKeyboardDefaults) {
  for (UINT dpi : {96u, 144u}) {
    ::SetEnvironmentVariableA("HORAVIA_DPI", std::to_string(dpi).c_str());
    world.sound.played.clear();
    const bool stored = Run({[&](HWND dialog) {
                               RECT client{};
                               ::GetClientRect(dialog, &client);
                               EXPECT_EQ(client.right, Px(6255, dpi));
                               EXPECT_EQ(client.bottom, Px(3015, dpi));
                               const RECT shift = ClientPlace(dialog, kStatusShiftBox);
                               EXPECT_EQ(shift.left, Px(120 + 2160, dpi));
                               EXPECT_EQ(shift.top, Px(2040 + 360, dpi));
                               EXPECT_EQ(shift.right, Px(120 + 2160 + 855, dpi));
                               const RECT ok = ClientPlace(dialog, IDOK);
                               EXPECT_EQ(ok.left, Px(3480, dpi));
                               EXPECT_EQ(ok.bottom, Px(2520 + 375, dpi));
                               const RECT list = ClientPlace(dialog, kLogMinimumList);
                               EXPECT_EQ(list.left, Px(3480 + 600, dpi));
                               EXPECT_EQ(list.top, Px(1080 + 360, dpi));

                               wchar_t caption[32] = {};
                               ::GetWindowTextW(dialog, caption, 32);
                               EXPECT_STREQ(caption, L"Horavia Settings");
                               const LONG_PTR style = ::GetWindowLongPtrW(dialog, GWL_STYLE);
                               EXPECT_TRUE(style & WS_SYSMENU);
                               EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
                               EXPECT_FALSE(::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
                               EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner);
                               EXPECT_FALSE(::IsWindowEnabled(owner));
                               EXPECT_NE(::SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);

                               EXPECT_EQ(LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
                               EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, IDOK));
                               std::vector<int> order;
                               HWND item = ::GetDlgItem(dialog, IDOK);
                               for (int i = 0; i < 15; ++i) {
                                 order.push_back(::GetDlgCtrlID(item));
                                 item = ::GetNextDlgTabItem(dialog, item, FALSE);
                               }
                               const std::vector<int> expected{IDOK, IDCANCEL, 1001, 1002, 1003,
                                                               1004, 1005, 1006, 1007, 1008,
                                                               1009, 1010, 1011, 1012, 1013};
                               EXPECT_EQ(order, expected);
                               EXPECT_EQ(::GetDlgItem(dialog, IDOK), item) << "the order wraps";
                               return Post(dialog, WM_SYSCOMMAND, SC_CLOSE);
                             }});
    EXPECT_FALSE(stored);
    EXPECT_TRUE(world.sound.played.empty()) << "the close box plays no sound";
  }
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_EQ(settings, Settings{});
}

TEST_F(SettingsDialogTest, KeyAndShiftChosenByKeyboardAndStoredWithEnter) {
  settings.statusKey = 83;
  settings.statusModifiers = 2;
  const bool stored = Run({[](HWND dialog) {
                             const HWND list = ::GetDlgItem(dialog, kStartKeyList);
                             wchar_t text[8] = {};
                             ::GetWindowTextW(list, text, 8);
                             EXPECT_STREQ(text, L"None");
                             EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, kStatusShiftBox),
                                                      BM_GETCHECK, 0, 0),
                                       BST_CHECKED);
                             ::SetFocus(list);
                             ::SendMessageW(list, WM_CHAR, '7', 0);
                             ::SendMessageW(::GetDlgItem(dialog, kStartShiftBox), BM_CLICK, 0, 0);
                             return Post(::GetFocus(), WM_KEYDOWN, VK_RETURN);
                           }});
  EXPECT_TRUE(stored);
  EXPECT_EQ(settings.startKey, 55);
  EXPECT_EQ(settings.startModifiers, 2);
  EXPECT_EQ(settings.statusKey, 83);
  EXPECT_EQ(settings.statusModifiers, 2);
  EXPECT_EQ(world.sound.played, std::vector<std::string>{buttonSound});
  EXPECT_TRUE(host.intervalsSet.empty());
}

// While ON the interval list is greyed; Esc discards with the button sound.
TEST_F(SettingsDialogTest, WhileOnTheIntervalListIsGreyedAndEscDiscards) {
  host.on = true;
  const bool stored = Run({[](HWND dialog) {
                             const HWND interval = ::GetDlgItem(dialog, kSyncIntervalList);
                             EXPECT_FALSE(::IsWindowEnabled(interval));
                             wchar_t text[8] = {};
                             ::GetWindowTextW(interval, text, 8);
                             EXPECT_STREQ(text, L"20");
                             const HWND list = ::GetDlgItem(dialog, kStartKeyList);
                             ::SetFocus(list);
                             ::SendMessageW(list, WM_CHAR, 'Q', 0);
                             return Post(list, WM_KEYDOWN, VK_ESCAPE);
                           }});
  EXPECT_FALSE(stored);
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(world.sound.played, std::vector<std::string>{buttonSound});
  EXPECT_TRUE(host.intervalsSet.empty());
}

TEST_F(SettingsDialogTest, IntervalChangedWhileTheOwnersTimersKeepTicking) {
  static int ownerTicks = 0;
  ownerTicks = 0;
  ::SetTimer(owner, 7, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++ownerTicks; });
  const bool stored = Run({[](HWND dialog) {
                             const HWND list = ::GetDlgItem(dialog, kSyncIntervalList);
                             EXPECT_TRUE(::IsWindowEnabled(list));
                             ::SetFocus(list);
                             ::SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
                             ::SendMessageW(list, WM_CHAR, '5', 0);
                             return true;
                           },
                           [](HWND dialog) {
                             if (ownerTicks < 3) return false;
                             return Post(::GetDlgItem(dialog, IDOK), BM_CLICK, 0);
                           }});
  ::KillTimer(owner, 7);
  EXPECT_TRUE(stored);
  EXPECT_GE(ownerTicks, 3);
  EXPECT_EQ(settings.syncIntervalMs, 5000);
  EXPECT_EQ(host.intervalsSet, std::vector<int32_t>{5000});
}

TEST_F(SettingsDialogTest, HelpBoxBelongsToTheDialogAndLeavesItOpen) {
  std::wstring boxText;
  const bool stored = Run({[](HWND dialog) {
                             return Post(::GetDlgItem(dialog, kSyncIntervalHelpButton), BM_CLICK, 0);
                           },
                           [&](HWND dialog) {
                             const HWND box = Driver::FindBox();
                             if (box == nullptr) return false;
                             EXPECT_EQ(::GetWindow(box, GW_OWNER), dialog);
                             EXPECT_FALSE(::IsWindowEnabled(dialog));
                             wchar_t text[512] = {};
                             ::GetDlgItemTextW(box, 0xFFFF, text, 512);
                             boxText = text;
                             return Post(box, WM_COMMAND, IDOK);
                           },
                           [](HWND dialog) {
                             if (Driver::FindBox() != nullptr) return false;
                             EXPECT_TRUE(::IsWindowEnabled(dialog));
                             return Post(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0);
                           }});
  EXPECT_FALSE(stored);
  EXPECT_EQ(boxText.substr(0, 40), L"Horavia uses this value to know how long");
  EXPECT_EQ(world.sound.played, std::vector<std::string>{buttonSound});
}

}  // namespace
}  // namespace horavia::win32
