#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/ports/wide_text.h"
#include "platform/win32/ports/win32_files.h"

namespace horavia::win32 {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the user's temp folder for each test, in the
// program's own path style (UTF-8, "\").
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
    root_ = fs::path(temp) / (L"horavia_files_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                              std::to_wstring(::GetTickCount64()));
    fs::create_directories(root_);
    folder = Narrow(root_.wstring());
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  }

  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(root_, ignored)) {
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(root_, ignored);
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

}  // namespace
}  // namespace horavia::win32
