#include "windows/button_faces.h"

namespace horavia {
namespace {

constexpr Rgb kOutline{128, 128, 128};
constexpr Rgb kShadow{192, 192, 192};
constexpr Rgb kRedLamp{255, 0, 0};
constexpr Rgb kGreyLamp{43, 43, 0};
constexpr Rgb kGreenLamp{0, 255, 0};

class Canvas {
 public:
  void Fill(int left, int top, int right, int bottom, Rgb color) {
    for (int row = top; row <= bottom; ++row) {
      for (int column = left; column <= right; ++column) {
        pixels_[static_cast<size_t>(row) * kFaceWidth + static_cast<size_t>(column)] = color;
      }
    }
  }
  void Outline(int left, int top, int right, int bottom, Rgb color) {
    Fill(left, top, right, top, color);
    Fill(left, bottom, right, bottom, color);
    Fill(left, top, left, bottom, color);
    Fill(right, top, right, bottom, color);
  }
  const FacePicture& Pixels() const { return pixels_; }

 private:
  FacePicture pixels_{};  // black
};

}  // namespace

FacePicture FacePixels(ButtonFace face) {
  Canvas canvas;
  if (face == ButtonFace::Green) {
    canvas.Outline(3, 2, 23, 14, kOutline);
    canvas.Fill(7, 6, 19, 10, kGreenLamp);
    return canvas.Pixels();
  }
  canvas.Outline(1, 1, 21, 13, kOutline);
  canvas.Fill(22, 1, 22, 1, kShadow);
  canvas.Fill(22, 2, 23, 13, kShadow);
  canvas.Fill(2, 14, 23, 14, kShadow);
  canvas.Fill(5, 5, 17, 9, face == ButtonFace::Red ? kRedLamp : kGreyLamp);
  return canvas.Pixels();
}

}  // namespace horavia
