#include "win32/ports/win32_files.h"

#include <windows.h>

#include <string>

#include "win32/support/long_path.h"
#include "win32/support/scoped_win.h"

namespace horavia::win32 {
namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

bool WriteWhole(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A folder or a read-only file in the target's place is not ours to
// overwrite. Windows refuses both by itself; Wine run by root renames over a
// read-only file and appends to it, so the program asks first.
bool IsFolderOrReadOnly(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != kNoAttributes &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0;
}

// A new, empty file beside `target` under a name of its own,
// "<target>.<process id>-<n>.tmp", created with CREATE_NEW, so that no file
// already there, another copy's included, is ever taken over.
// GetTempFileName would do this, but only for a folder of fewer than
// MAX_PATH characters.
ScopedHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& name) {
  constexpr int kTries = 100;
  const std::wstring stem = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-";
  for (int n = 0; n < kTries; ++n) {
    name = stem + std::to_wstring(n) + L".tmp";
    ScopedHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Valid()) return file;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  name.clear();
  return {};
}

}  // namespace

bool Win32Files::IsRegularFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Shared for reading and writing, so that a file another program has open
// (an editor, a second copy of this one) can still be read.
std::optional<std::string> Win32Files::ReadAll(const std::string& path) {
  ScopedHandle file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || size.QuadPart > (1LL << 30)) {
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(bytes.size() - done);
    if (!::ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

// A crash or a full disk at any moment must leave either the old file or the
// new one, never half of either: the bytes go to a temporary file in the same
// folder (same volume, so the rename is atomic), reach the disk, and only then
// replace the target in one step.
bool Win32Files::ReplaceAll(const std::string& path, std::string_view bytes) {
  const std::wstring target = LongPath(path);
  if (IsFolderOrReadOnly(target)) return false;

  std::wstring temp;
  bool written = false;
  {
    ScopedHandle file = CreateTemporaryBeside(target, temp);
    if (!file.Valid()) return false;
    written = WriteWhole(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
  }
  if (written && ::MoveFileExW(temp.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileW(temp.c_str());
  return false;
}

bool Win32Files::Append(const std::string& path, std::string_view bytes) {
  const std::wstring target = LongPath(path);
  if (IsFolderOrReadOnly(target)) return false;
  ScopedHandle file(::CreateFileW(target.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid() && WriteWhole(file.Get(), bytes);
}

bool Win32Files::Remove(const std::string& path) {
  return ::DeleteFileW(LongPath(path).c_str()) != 0;
}

}  // namespace horavia::win32
