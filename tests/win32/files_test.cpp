#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/ports/win32_files.h"
#include "win32/support/long_path.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"

namespace horavia::win32 {
namespace {

// A fresh folder under the user's temp folder for each test, nested past
// MAX_PATH under a name that only UTF-8 spells ("Flüge ✈"), as Windows
// allows once long paths are enabled; `made` is its long form.
class FilesTest : public ::testing::Test {
 public:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
    folder = Narrow(temp) + "horavia_files_" + std::to_string(::GetCurrentProcessId()) + "_" +
             std::to_string(::GetTickCount64());
    made = L"\\\\?\\" + Widen(folder);
    root_ = made;
    ASSERT_TRUE(::CreateDirectoryW(made.c_str(), nullptr));
    for (int level = 0; folder.size() <= 300; ++level) {
      const std::string part = "Fl\xC3\xBCge \xE2\x9C\x88, level " + std::to_string(level);
      folder += "\\" + part;
      made += L"\\" + Widen(part);
      ASSERT_TRUE(::CreateDirectoryW(made.c_str(), nullptr)) << ::GetLastError();
    }
  }
  void TearDown() override { RemoveTree(root_); }

  // Win32 itself, in the long form: the C++ library's file system reads a
  // long-form path as one relative to the current folder.
  static std::vector<std::wstring> NamesIn(const std::wstring& path) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found)) {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    }
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }
  static void RemoveTree(const std::wstring& path) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (std::wstring name : NamesIn(path)) RemoveTree(name.insert(0, path + L"\\"));
    if (!::RemoveDirectoryW(path.c_str())) ::DeleteFileW(path.c_str());
  }

  Win32Files files;
  std::string folder;  // as the program names it: UTF-8, "\", no long form
  std::wstring made;

 private:
  std::wstring root_;
};

TEST_F(FilesTest, ReplaceAppendAndRemoveWorkPastMaxPath) {
  const std::string ini = folder + "\\Horavia.ini";
  const std::string log = folder + "\\Horavia.log";
  const std::string bytes("SYNC_INTERVAL=5\r\n\0x", 19);
  ASSERT_TRUE(files.ReplaceAll(ini, "SYNC_INTERVAL=20\r\n"));
  ASSERT_TRUE(files.ReplaceAll(ini, bytes));
  EXPECT_EQ(files.ReadAll(ini), bytes);
  EXPECT_FALSE(files.IsRegularFile(log));
  ASSERT_TRUE(files.Append(log, "header\r\n"));
  ASSERT_TRUE(files.Append(log, "entry\r\n"));
  EXPECT_EQ(files.ReadAll(log), "header\r\nentry\r\n");
  EXPECT_TRUE(files.IsRegularFile(ini));
  EXPECT_EQ(NamesIn(made), (std::vector<std::wstring>{L"Horavia.ini", L"Horavia.log"}));
  EXPECT_TRUE(files.Remove(log));
  EXPECT_FALSE(files.Remove(log));
  EXPECT_EQ(NamesIn(made), std::vector<std::wstring>{L"Horavia.ini"});
}

// A folder in the file's place, a read-only file, a file another program
// holds without sharing (each file first written with what it keeps): every
// write fails, and leaves what was there and nothing beside it.
TEST_F(FilesTest, AWriteThatCannotBeDoneLeavesEverythingAsItWas) {
  const std::string ini = folder + "\\Horavia.ini";
  const std::wstring wide = made + L"\\Horavia.ini";
  struct Obstacle {
    std::optional<std::string> kept;
    std::function<void(ScopedHandle&)> putInPlace;
  };
  const Obstacle obstacles[] = {
      {std::nullopt,
       [&](ScopedHandle&) { ASSERT_TRUE(::CreateDirectoryW(wide.c_str(), nullptr)); }},
      {"keep me",
       [&](ScopedHandle&) {
         ASSERT_TRUE(::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
       }},
      {"keep me", [&](ScopedHandle& held) {
         held.Reset(
             ::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
         ASSERT_TRUE(held.Valid());
       }}};
  for (const Obstacle& obstacle : obstacles) {
    SCOPED_TRACE(&obstacle - obstacles);
    ScopedHandle held;
    ASSERT_TRUE(!obstacle.kept || files.ReplaceAll(ini, *obstacle.kept));
    ASSERT_NO_FATAL_FAILURE(obstacle.putInPlace(held));
    EXPECT_FALSE(files.ReplaceAll(ini, "lost"));
    EXPECT_FALSE(files.Append(ini, "more"));
    held.Reset();
    EXPECT_EQ(files.ReadAll(ini), obstacle.kept);
    EXPECT_EQ(files.IsRegularFile(ini), obstacle.kept.has_value());
    EXPECT_EQ(NamesIn(made), std::vector<std::wstring>{L"Horavia.ini"}) << "no temporary file left";
    RemoveTree(wide);
  }
}

// Windows without long paths enabled reaches past MAX_PATH only in the long
// form; Wine has no such limit, so the form is checked as such.
TEST(LongPathTest, DrivesAndServersGetTheLongFormOnce) {
  const std::pair<const char*, const wchar_t*> cases[] = {
      {"C:/Fly/./Old/../Horavia/Horavia.log", L"\\\\?\\C:\\Fly\\Horavia\\Horavia.log"},
      {R"(\\hangar\sims\Horavia.ini)", LR"(\\?\UNC\hangar\sims\Horavia.ini)"},
      {R"(\\?\C:\Fly\..\Horavia.ini)", LR"(\\?\C:\Fly\..\Horavia.ini)"},
      {"C:\\Fl\xC3\xBCge\\Horavia.ini", L"\\\\?\\C:\\Fl\u00FCge\\Horavia.ini"}};
  for (const auto& [path, expected] : cases) EXPECT_EQ(LongPath(path), expected) << path;
}

}  // namespace
}  // namespace horavia::win32
