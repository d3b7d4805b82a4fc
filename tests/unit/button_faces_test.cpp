#include "windows/button_faces.h"

#include <gtest/gtest.h>

#include <utility>

namespace horavia {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kOutline{128, 128, 128};
constexpr Rgb kShadow{192, 192, 192};

Rgb Pixel(const FacePicture& picture, int column, int row) {
  return picture[static_cast<size_t>(row) * kFaceWidth + static_cast<size_t>(column)];
}

TEST(ButtonFacesTest, RedFaceHasOutlineShadowAndLamp) {
  const FacePicture red = FacePixels(ButtonFace::Red);
  EXPECT_EQ(Pixel(red, 0, 0), kBlack);
  for (const auto& [column, row] : {std::pair{1, 1}, {21, 1}, {1, 13}, {21, 13}, {11, 1}, {1, 7}}) {
    EXPECT_EQ(Pixel(red, column, row), kOutline) << column << "," << row;
  }
  EXPECT_EQ(Pixel(red, 2, 2), kBlack) << "the outline is one pixel wide";
  EXPECT_EQ(Pixel(red, 22, 1), kShadow);
  EXPECT_EQ(Pixel(red, 23, 1), kBlack) << "the shadow's top corner is cut";
  EXPECT_EQ(Pixel(red, 23, 2), kShadow);
  EXPECT_EQ(Pixel(red, 23, 13), kShadow);
  EXPECT_EQ(Pixel(red, 2, 14), kShadow);
  EXPECT_EQ(Pixel(red, 23, 14), kShadow);
  EXPECT_EQ(Pixel(red, 1, 14), kBlack);
  EXPECT_EQ(Pixel(red, 24, 14), kBlack);
  EXPECT_EQ(Pixel(red, 10, 15), kBlack);
  EXPECT_EQ(Pixel(red, 5, 5), (Rgb{255, 0, 0}));
  EXPECT_EQ(Pixel(red, 17, 9), (Rgb{255, 0, 0}));
  EXPECT_EQ(Pixel(red, 4, 5), kBlack);
  EXPECT_EQ(Pixel(red, 18, 9), kBlack);
  EXPECT_EQ(Pixel(red, 17, 10), kBlack);
  EXPECT_EQ(Pixel(red, 26, 16), kBlack);
}

TEST(ButtonFacesTest, GreyFaceDiffersFromRedOnlyInItsLamp) {
  const FacePicture red = FacePixels(ButtonFace::Red);
  const FacePicture grey = FacePixels(ButtonFace::Grey);
  int lampPixels = 0;
  for (int row = 0; row < kFaceHeight; ++row) {
    for (int column = 0; column < kFaceWidth; ++column) {
      if (Pixel(red, column, row) == Pixel(grey, column, row)) continue;
      ++lampPixels;
      EXPECT_EQ(Pixel(grey, column, row), (Rgb{43, 43, 0})) << column << "," << row;
    }
  }
  EXPECT_EQ(lampPixels, 13 * 5);
}

TEST(ButtonFacesTest, GreenFaceIsPressedTwoRightOneDownWithoutShadow) {
  const FacePicture green = FacePixels(ButtonFace::Green);
  for (const auto& [column, row] : {std::pair{3, 2}, {23, 2}, {3, 14}, {23, 14}}) {
    EXPECT_EQ(Pixel(green, column, row), kOutline) << column << "," << row;
  }
  EXPECT_EQ(Pixel(green, 1, 1), kBlack);
  EXPECT_EQ(Pixel(green, 7, 6), (Rgb{0, 255, 0}));
  EXPECT_EQ(Pixel(green, 19, 10), (Rgb{0, 255, 0}));
  EXPECT_EQ(Pixel(green, 6, 6), kBlack);
  EXPECT_EQ(Pixel(green, 19, 11), kBlack);
  for (const Rgb& pixel : green) EXPECT_NE(pixel, kShadow);
}

}  // namespace
}  // namespace horavia
