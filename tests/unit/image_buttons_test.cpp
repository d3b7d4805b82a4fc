#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "windows/button_layout.h"
#include "windows/face_scaling.h"

namespace horavia {
namespace {

Rgb At(const std::vector<Rgb>& cell, int width, int x, int y) {
  return cell[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
}

Rgb FaceAt(const FacePicture& face, int column, int row) {
  return face[static_cast<size_t>(row) * kFaceWidth + static_cast<size_t>(column)];
}

TEST(ImageButtonsTest, ButtonsSitInOneRowUnderTheirCaptions) {
  for (size_t i = 0; i < kImageButtons.size(); ++i) {
    const TwipsRect cell = kImageButtons[i].Cell();
    const TwipsRect caption = kImageButtons[i].CaptionRect();
    EXPECT_LE(cell.left + cell.width, kMainClientWidthTwips) << i;
    EXPECT_LE(cell.top + cell.height, kMainClientHeightTwips) << i;
    EXPECT_LE(caption.left + caption.width, kMainClientWidthTwips) << i;
    EXPECT_EQ(caption.top + caption.height, cell.top) << "the caption sits on its button " << i;
    EXPECT_LT(caption.left, cell.left + cell.width) << i;
    EXPECT_GT(caption.left + caption.width, cell.left) << i;
    if (i == 0) continue;
    const TwipsRect before = kImageButtons[i - 1].Cell();
    EXPECT_LE(before.left + before.width, cell.left) << i;
    // Captions may touch ("MSFS Zulu" reaches one pixel into "Chrono"'s
    // label), but each starts right of the one before.
    EXPECT_GT(caption.left, kImageButtons[i - 1].CaptionRect().left) << i;
  }
}

TEST(ImageButtonsTest, FaceAtItsDesignSizeIsCopiedPixelForPixel) {
  const FacePicture red = FacePixels(ButtonFace::Red);
  const std::vector<Rgb> cell = ScaleFace(red, kFaceWidth, kFaceHeight);
  ASSERT_EQ(cell.size(), red.size());
  EXPECT_TRUE(std::equal(cell.begin(), cell.end(), red.begin()));
}

TEST(ImageButtonsTest, FaceAtTwiceTheSizeDoublesEveryPixel) {
  const FacePicture green = FacePixels(ButtonFace::Green);
  const int width = 2 * kFaceWidth;
  const std::vector<Rgb> cell = ScaleFace(green, width, 2 * kFaceHeight);
  for (int y = 0; y < 2 * kFaceHeight; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(At(cell, width, x, y), FaceAt(green, x / 2, y / 2)) << x << "," << y;
    }
  }
}

// At 150 % a cell is 40 or 41 pixels wide and 25 or 26 high: face pixels
// become one or two screen pixels, in order, and none is dropped, so the
// one-pixel outline still shows all round.
TEST(ImageButtonsTest, FaceAtAnOddScaleKeepsEveryPixelInOrder) {
  for (const auto& [cellSize, faceSize] :
       {std::pair{40, kFaceWidth}, {41, kFaceWidth}, {25, kFaceHeight}, {26, kFaceHeight}}) {
    std::vector<int> runs(static_cast<size_t>(faceSize), 0);
    int previous = 0;
    for (int p = 0; p < cellSize; ++p) {
      const int source = FaceSourcePixel(p, cellSize, faceSize);
      ASSERT_TRUE(source == previous || source == previous + 1) << cellSize << " at " << p;
      previous = source;
      ++runs[static_cast<size_t>(source)];
    }
    EXPECT_EQ(previous, faceSize - 1);
    for (int n : runs) {
      EXPECT_GE(n, 1) << cellSize;
      EXPECT_LE(n, 2) << cellSize;
    }
  }
  const FacePicture grey = FacePixels(ButtonFace::Grey);
  const std::vector<Rgb> cell = ScaleFace(grey, 40, 25);
  EXPECT_EQ(At(cell, 40, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(At(cell, 40, 1, 1), (Rgb{128, 128, 128})) << "the outline's top-left corner";
  EXPECT_EQ(At(cell, 40, 2, 2), (Rgb{128, 128, 128})) << "the outline's top-left corner";
  EXPECT_EQ(At(cell, 40, 3, 3), (Rgb{0, 0, 0})) << "inside the outline";
  EXPECT_EQ(At(cell, 40, 39, 24), (Rgb{0, 0, 0}));
}

TEST(ImageButtonsTest, EmptyCellGivesNoPixels) {
  EXPECT_TRUE(ScaleFace(FacePixels(ButtonFace::Red), 0, 17).empty());
  EXPECT_EQ(FaceSourcePixel(5, 0, kFaceWidth), 0);
}

}  // namespace
}  // namespace horavia
