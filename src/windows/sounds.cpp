#include "windows/sounds.h"

#include <string>

namespace horavia {

void PlayWav(Platform& os, std::string_view name) {
  const std::string path = os.programFolder + std::string(name);
  if (!os.files.IsRegularFile(path)) return;
  os.sound.PlayAsync(path);
}

}  // namespace horavia
