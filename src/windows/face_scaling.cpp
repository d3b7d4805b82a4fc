#include "windows/face_scaling.h"

#include <algorithm>
#include <cstddef>

namespace horavia {

int FaceSourcePixel(int cellPixel, int cellSize, int faceSize) {
  if (cellSize <= 0 || faceSize <= 0) return 0;
  const long long centre = (2LL * cellPixel + 1) * faceSize / (2LL * cellSize);
  return static_cast<int>(std::clamp<long long>(centre, 0, faceSize - 1));
}

std::vector<Rgb> ScaleFace(const FacePicture& face, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  std::vector<Rgb> cell(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const int row = FaceSourcePixel(y, height, kFaceHeight);
    for (int x = 0; x < width; ++x) {
      const int column = FaceSourcePixel(x, width, kFaceWidth);
      cell[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          face[static_cast<size_t>(row) * kFaceWidth + static_cast<size_t>(column)];
    }
  }
  return cell;
}

}  // namespace horavia
