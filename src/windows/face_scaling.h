#pragma once

#include <vector>

#include "windows/button_faces.h"

namespace horavia {

// The face pixel that cell pixel `cellPixel` of a cell `cellSize` pixels
// long shows, along one axis of `faceSize` face pixels: the one under the
// cell pixel's centre. Nearest neighbour keeps the one-pixel outline sharp
// at any scale, and from 100 % up every face pixel stays in the picture.
int FaceSourcePixel(int cellPixel, int cellSize, int faceSize);

// A face stretched to fill a cell of `width` x `height` pixels, row by row
// from the top-left.
std::vector<Rgb> ScaleFace(const FacePicture& face, int width, int height);

}  // namespace horavia
