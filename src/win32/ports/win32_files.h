#pragma once

#include "ports/files.h"

namespace horavia::win32 {

class Win32Files final : public Files {
 public:
  bool IsRegularFile(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool ReplaceAll(const std::string& path, std::string_view bytes) override;
  bool Append(const std::string& path, std::string_view bytes) override;
  bool Remove(const std::string& path) override;
};

}  // namespace horavia::win32
