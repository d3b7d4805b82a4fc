#pragma once

#include <array>

#include "windows/colors.h"
#include "windows/main_controls.h"

namespace horavia {

inline constexpr int kFaceWidth = 27;
inline constexpr int kFaceHeight = 17;

// One face, row by row from the top-left pixel: pixel (column, row) is at
// index row * kFaceWidth + column.
using FacePicture = std::array<Rgb, static_cast<std::size_t>(kFaceWidth) * kFaceHeight>;

// The picture of a button face: a lamp in a framed, shadowed box on black.
// The green face is the pressed look, moved two pixels right and one down
// and without its shadow.
FacePicture FacePixels(ButtonFace face);

}  // namespace horavia
