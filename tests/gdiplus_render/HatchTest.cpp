#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>

#include "Graphics.h"
#include "HatchBrush.h"
#include "RenderTestSupport.h"

using namespace Gdiplus;
using RenderTest::PixelAt;

namespace {

constexpr ARGB kFore = 0xFF204080;
constexpr ARGB kBack = 0xFFF0E0D0;

// Rows of the 8x8 cells, top row first, as hex text: independent of the
// table the brush uses.
struct HatchCase {
  HatchStyle style;
  const char* rows;
};

void PrintTo(const HatchCase& c, std::ostream* out) {
  *out << "style " << int(c.style);
}

bool CellBit(const char* rows, int x, int y) {
  const std::string hex(rows + (y & 7) * 2, 2);
  const unsigned row = unsigned(std::stoul(hex, nullptr, 16));
  return (row & (0x80u >> (x & 7))) != 0;
}

class HatchPattern : public testing::TestWithParam<HatchCase> {};

TEST_P(HatchPattern, PaintsTheCellFromTheDeviceOrigin) {
  const HatchCase& c = GetParam();
  Bitmap bitmap(27, 21);
  Graphics g(&bitmap);
  HatchBrush brush(c.style, Color(kFore), Color(kBack));
  // Starting off the cell grid shows the cell stays anchored at (0, 0).
  ASSERT_EQ(g.FillRectangle(&brush, 3, 5, 24, 16), Ok);
  EXPECT_EQ(RenderTest::FirstMismatch(bitmap,
                                      [&](int x, int y) -> ARGB {
                                        if (x < 3 || y < 5) return 0;
                                        return CellBit(c.rows, x, y) ? kFore : kBack;
                                      }),
            "");
}

INSTANTIATE_TEST_SUITE_P(Styles, HatchPattern,
                         testing::Values(HatchCase{HatchStyleHorizontal, "ff00000000000000"},
                                         HatchCase{HatchStyleVertical, "8080808080808080"},
                                         HatchCase{HatchStyleCross, "ff80808080808080"},
                                         HatchCase{HatchStyle05Percent, "8000000008000000"},
                                         HatchCase{HatchStyle50Percent, "aa55aa55aa55aa55"},
                                         HatchCase{HatchStyle90Percent, "fffffff7ffffff7f"},
                                         HatchCase{HatchStyleWideUpwardDiagonal,
                                                   "83070e1c3870e0c1"},
                                         HatchCase{HatchStyleDashedHorizontal, "f00000000f000000"},
                                         HatchCase{HatchStyleSmallConfetti, "8008400210012004"},
                                         HatchCase{HatchStyleLargeConfetti, "b130031bd8c00c8d"},
                                         HatchCase{HatchStyleWeave, "8854224588142251"},
                                         HatchCase{HatchStyleShingle, "038448300c020101"},
                                         HatchCase{HatchStyleSphere, "77898f8f7798f8f8"},
                                         HatchCase{HatchStyleSolidDiamond, "10387cfe7c381000"}),
                         [](const testing::TestParamInfo<HatchCase>& info) {
                           return "Style" + std::to_string(int(info.param.style));
                         });

// The softened diagonals mix the colours: set bits at sqrt(2) - 1/2, their
// left and right neighbours (wrapping within the row) at 1/4.
ARGB Mix(ARGB back, ARGB fore, double t) {
  ARGB result = 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const double b = (back >> shift) & 0xFF, f = (fore >> shift) & 0xFF;
    result |= ARGB(std::lround(b * (1 - t) + f * t)) << shift;
  }
  return result;
}

class SoftHatch : public testing::TestWithParam<HatchCase> {};

TEST_P(SoftHatch, MixesSetPixelsAndTheirNeighbours) {
  const HatchCase& c = GetParam();
  Bitmap bitmap(16, 16);
  Graphics g(&bitmap);
  HatchBrush brush(c.style, Color(kFore), Color(kBack));
  ASSERT_EQ(g.FillRectangle(&brush, 0, 0, 16, 16), Ok);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      double t = 0;
      if (CellBit(c.rows, x, y)) {
        t = 0.9142;
      } else if (CellBit(c.rows, x + 7, y) || CellBit(c.rows, x + 1, y)) {
        t = 0.25;
      }
      const ARGB want = Mix(kBack, kFore, t);
      const ARGB got = PixelAt(bitmap, x, y);
      for (int shift = 0; shift < 32; shift += 8) {
        EXPECT_NEAR(int((got >> shift) & 0xFF), int((want >> shift) & 0xFF), 1)
            << "pixel " << x << "," << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, SoftHatch,
                         testing::Values(HatchCase{HatchStyleForwardDiagonal, "8040201008040201"},
                                         HatchCase{HatchStyleBackwardDiagonal, "0102040810204080"},
                                         HatchCase{HatchStyleDiagonalCross, "8142241818244281"}),
                         [](const testing::TestParamInfo<HatchCase>& info) {
                           return "Style" + std::to_string(int(info.param.style));
                         });

TEST(Hatch, SameColoursPaintSolid) {
  Bitmap bitmap(9, 9);
  Graphics g(&bitmap);
  HatchBrush brush(HatchStyleSmallConfetti, Color(0xFF000000), Color(0xFF000000));
  g.FillRectangle(&brush, 0, 0, 9, 9);
  EXPECT_EQ(RenderTest::CountPixels(bitmap, [](ARGB v) { return v == 0xFF000000; }), 81);
}

TEST(Hatch, DefaultBackgroundIsOpaqueBlack) {
  HatchBrush brush(HatchStyleCross, Color(0xFFFFFFFF));
  Color back;
  ASSERT_EQ(brush.GetBackgroundColor(&back), Ok);
  EXPECT_EQ(back.GetValue(), 0xFF000000u);
}

TEST(Hatch, InvalidStyleIsRefusedAndDrawsNothing) {
  // Values the enumeration can hold but names no style.
  for (int style : {53, 60, 63}) {
    HatchBrush brush{HatchStyle(style), Color(kFore), Color(kBack)};
    EXPECT_EQ(brush.GetLastStatus(), InvalidParameter);
    Bitmap bitmap(4, 4);
    Graphics g(&bitmap);
    EXPECT_EQ(g.FillRectangle(&brush, 0, 0, 4, 4), InvalidParameter);
    EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
  }
}

TEST(Hatch, ShapeEdgesFollowSmoothing) {
  // A translucent edge appears only with anti-aliasing; the cell itself
  // stays two-coloured.
  for (SmoothingMode mode : {SmoothingModeNone, SmoothingModeAntiAlias}) {
    Bitmap bitmap(20, 20);
    Graphics g(&bitmap);
    g.SetSmoothingMode(mode);
    HatchBrush brush(HatchStyle50Percent, Color(kFore), Color(kBack));
    g.FillEllipse(&brush, 2.0f, 2.0f, 15.0f, 15.0f);
    const int partial =
        RenderTest::CountPixels(bitmap, [](ARGB v) { return v != 0 && (v >> 24) != 0xFF; });
    EXPECT_EQ(partial > 0, mode == SmoothingModeAntiAlias);
    EXPECT_EQ(RenderTest::CountPixels(bitmap,
                                      [](ARGB v) {
                                        return v != 0 && (v & 0xFFFFFF) != (kFore & 0xFFFFFF) &&
                                               (v & 0xFFFFFF) != (kBack & 0xFFFFFF);
                                      }),
              0);
  }
}

}  // namespace
