#include "win32/ports/win32_sound.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include "win32/support/wide_text.h"

namespace horavia::win32 {

// SND_ASYNC alone: the call returns at once, and a sound still playing is
// cut off by the next one, which is how the program's short cues are meant
// to overlap. The caller has checked that the file exists.
void Win32Sound::PlayAsync(const std::string& path) {
  ::sndPlaySoundW(Widen(path).c_str(), SND_ASYNC);
}

}  // namespace horavia::win32
