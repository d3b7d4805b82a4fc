#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "win32/support/long_path.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"
#include "win32/ports/win32_files.h"

namespace horavia::win32 {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the user's temp folder for each test, in the
// program's own path style (UTF-8, "\").
class FilesTest : public ::testing::Test {
 public:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
    root_ = fs::path(temp) / (L"horavia_files_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                              std::to_wstring(::GetTickCount64()));
    fs::create_directories(root_);
    folder = Narrow(root_.wstring());
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  }

  // In the long form, which reaches folders nested past MAX_PATH too.
  void TearDown() override {
    std::error_code ignored;
    const fs::path root(L"\\\\?\\" + root_.wstring());
    for (const auto& entry : fs::recursive_directory_iterator(root, ignored)) {
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(root, ignored);
  }

  std::string PathOf(const std::string& name) const { return folder + "\\" + name; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    std::transform(
        fs::directory_iterator(root_), fs::directory_iterator(), std::back_inserter(names),
        [](const fs::directory_entry& entry) { return Narrow(entry.path().filename().wstring()); });
    return names;
  }

  Win32Files files;
  std::string folder;

 private:
  fs::path root_;
};

TEST_F(FilesTest, ReplaceAllPutsTheNewBytesInPlaceAndLeavesNoTemporaryFile) {
  const std::string ini = PathOf("Horavia.ini");
  ASSERT_TRUE(files.ReplaceAll(ini, "first\r\n"));
  EXPECT_EQ(files.ReadAll(ini), "first\r\n");
  ASSERT_TRUE(files.ReplaceAll(ini, std::string("SYNC_INTERVAL=20\r\n\0x", 20)));
  EXPECT_EQ(files.ReadAll(ini), std::string("SYNC_INTERVAL=20\r\n\0x", 20));
  EXPECT_EQ(Names(), std::vector<std::string>{"Horavia.ini"});
}

TEST_F(FilesTest, ReplaceAllRefusesAFolderInTheTargetsPlace) {
  const std::string ini = PathOf("Horavia.ini");
  ASSERT_TRUE(::CreateDirectoryW(Widen(ini).c_str(), nullptr));
  EXPECT_FALSE(files.ReplaceAll(ini, "x"));
  const DWORD attributes = ::GetFileAttributesW(Widen(ini).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the folder must stay a folder";
  EXPECT_FALSE(files.IsRegularFile(ini));
  EXPECT_FALSE(files.ReadAll(ini).has_value());
  EXPECT_EQ(Names(), std::vector<std::string>{"Horavia.ini"}) << "no temporary file left";
}

TEST_F(FilesTest, ReplaceAllOfAReadOnlyFileFailsAndKeepsItsBytes) {
  const std::string ini = PathOf("Horavia.ini");
  ASSERT_TRUE(files.ReplaceAll(ini, "keep me"));
  ASSERT_TRUE(::SetFileAttributesW(Widen(ini).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files.ReplaceAll(ini, "lost"));
  EXPECT_EQ(files.ReadAll(ini), "keep me");
  EXPECT_FALSE(files.Append(ini, "more"));
  EXPECT_EQ(files.ReadAll(ini), "keep me");
  EXPECT_EQ(Names(), std::vector<std::string>{"Horavia.ini"});
}

TEST_F(FilesTest, AppendCreatesTheFileThenAddsToItsEnd) {
  const std::string log = PathOf("Horavia.log");
  EXPECT_FALSE(files.IsRegularFile(log));
  ASSERT_TRUE(files.Append(log, "header\r\n"));
  ASSERT_TRUE(files.Append(log, "entry\r\n"));
  EXPECT_EQ(files.ReadAll(log), "header\r\nentry\r\n");
  EXPECT_TRUE(files.IsRegularFile(log));
  EXPECT_TRUE(files.Remove(log));
  EXPECT_FALSE(files.IsRegularFile(log));
  EXPECT_FALSE(files.ReadAll(log).has_value());
  EXPECT_FALSE(files.Remove(log));
}

TEST_F(FilesTest, PathsAreUtf8AllTheWayToTheDisk) {
  const std::string inner = PathOf("Fl\xC3\xBCge \xE2\x9C\x88");  // "Flüge ✈"
  ASSERT_TRUE(::CreateDirectoryW(Widen(inner).c_str(), nullptr));
  const std::string ini = inner + "\\Horavia.ini";
  ASSERT_TRUE(files.ReplaceAll(ini, "ok"));
  EXPECT_NE(::GetFileAttributesW((Widen(inner) + L"\\Horavia.ini").c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(files.ReadAll(ini), "ok");
  EXPECT_FALSE(files.IsRegularFile(inner));
}

// Windows without long paths enabled limits a path to MAX_PATH unless it
// comes in the long form; Wine has no such limit, so the form is checked
// here as such.
TEST(LongPathTest, DrivesAndServersGetTheLongFormOnce) {
  EXPECT_EQ(LongPath("C:\\Fly\\Horavia\\Horavia.ini"), L"\\\\?\\C:\\Fly\\Horavia\\Horavia.ini");
  EXPECT_EQ(LongPath("C:/Fly/./Old/../Horavia/Horavia.log"),
            L"\\\\?\\C:\\Fly\\Horavia\\Horavia.log");
  EXPECT_EQ(LongPath("\\\\hangar\\sims\\Horavia\\Horavia.ini"),
            L"\\\\?\\UNC\\hangar\\sims\\Horavia\\Horavia.ini");
  EXPECT_EQ(LongPath("\\\\?\\C:\\Fly\\..\\Horavia.ini"), L"\\\\?\\C:\\Fly\\..\\Horavia.ini");
  EXPECT_EQ(LongPath("C:\\Fl\xC3\xBCge\\Horavia.ini"), L"\\\\?\\C:\\Fl\u00FCge\\Horavia.ini");
  // A name without a folder is taken in the current folder.
  wchar_t current[MAX_PATH + 1];
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH + 1, current), 0u);
  std::wstring here = current;
  if (here.back() != L'\\') here += L'\\';
  EXPECT_EQ(LongPath("Horavia.ini"), L"\\\\?\\" + here + L"Horavia.ini");
}

// The names in a folder given in the long form.
std::vector<std::string> NamesIn(const std::wstring& longFolder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((longFolder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(Narrow(name));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// A program folder nested past 300 characters, which Windows allows once
// long paths are enabled: the files work there as anywhere else, and a
// replace that fails leaves the old file and nothing beside it.
TEST_F(FilesTest, AFolderPastMaxPathWorksAsAnyOther) {
  std::string deep = folder;
  std::wstring made = L"\\\\?\\" + Widen(folder);
  for (int level = 0; deep.size() <= 300; ++level) {
    const std::string part = "Flight Simulator Add-ons, level " + std::to_string(level);
    deep += "\\" + part;
    made += L"\\" + Widen(part);
    ASSERT_TRUE(::CreateDirectoryW(made.c_str(), nullptr)) << ::GetLastError();
  }
  const std::string ini = deep + "\\Horavia.ini";
  const std::string log = deep + "\\Horavia.log";
  ASSERT_TRUE(files.ReplaceAll(ini, "SYNC_INTERVAL=20\r\n"));
  ASSERT_TRUE(files.ReplaceAll(ini, "SYNC_INTERVAL=5\r\n"));
  EXPECT_EQ(files.ReadAll(ini), "SYNC_INTERVAL=5\r\n");
  ASSERT_TRUE(files.Append(log, "header\r\n"));
  ASSERT_TRUE(files.Append(log, "entry\r\n"));
  EXPECT_EQ(files.ReadAll(log), "header\r\nentry\r\n");
  EXPECT_TRUE(files.IsRegularFile(ini));
  EXPECT_FALSE(files.IsRegularFile(deep));
  EXPECT_EQ(NamesIn(made), (std::vector<std::string>{"Horavia.ini", "Horavia.log"}));

  {
    // Another program holds the file without sharing it.
    const ScopedHandle held(::CreateFileW((made + L"\\Horavia.ini").c_str(), GENERIC_READ, 0,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.Valid());
    EXPECT_FALSE(files.ReplaceAll(ini, "lost"));
  }
  EXPECT_EQ(files.ReadAll(ini), "SYNC_INTERVAL=5\r\n");
  EXPECT_EQ(NamesIn(made), (std::vector<std::string>{"Horavia.ini", "Horavia.log"}));

  EXPECT_TRUE(files.Remove(log));
  EXPECT_FALSE(files.IsRegularFile(log));
  EXPECT_EQ(NamesIn(made), std::vector<std::string>{"Horavia.ini"});
}

}  // namespace
}  // namespace horavia::win32
