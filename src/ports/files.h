#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ports/port_base.h"

namespace horavia {

// The few file operations the program needs. Paths are UTF-8 and use "\" as
// the separator, as the program composes them (program folder + "\Name").
class Files : public PortBase {
 public:
  // True only for an ordinary file (not a folder).
  virtual bool IsRegularFile(const std::string& path) = 0;
  // The whole file as bytes, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // Writes a temporary file beside `path` and puts it in place with one
  // atomic replace: on failure the old file is left as it was.
  virtual bool ReplaceAll(const std::string& path, std::string_view bytes) = 0;
  // Opens for appending (creating when missing), writes and closes at once.
  virtual bool Append(const std::string& path, std::string_view bytes) = 0;
  virtual bool Remove(const std::string& path) = 0;
};

}  // namespace horavia
