#include "GraffitiStyles.h"

#include "DotBatch.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kGreen = 0xFF008000;
constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kWhite = 0xFFFFFFFF;

// The white wall with a dot of spray for every two pixels, at float
// positions so that each dot lands as a faint anti-aliased speck.
void SprayWall(TextFrame& frame, const SolidBrush& fillBrush) {
  frame.ClearGround(Color(kWhite));
  const int count = int(frame.rectImage.Width * frame.rectImage.Height * 0.5f);
  DotBatch dots(frame.g, fillBrush);
  for (int i = 0; i < count; ++i) {
    const PointF pt = frame.rand.NextPoint(frame.rectImage);
    dots.Add(RectF(pt.X, pt.Y, 1.0f, 1.0f));
  }
}

void DrawGraffiti(const std::string& text, Bitmap* bitmap, float innerX, float innerWidth,
                  int fontChooser, bool filled) {
  TextFrame frame(text, bitmap);
  frame.SetInner(innerX, 0.0f, innerWidth, 0.8f);
  frame.DrawBorders();
  SolidBrush fillBrush{Color(kGreen)};
  Pen pen{Color(kRed), 2.0f};
  SprayWall(frame, fillBrush);
  frame.ChooseFont(fontChooser, FontStyleBold);
  CurvedText objCurvedText = frame.LoadCurvedText();
  if (filled)
    objCurvedText.DrawOutlineAndFill(frame.g, frame.rectFBorders, frame.wText, *frame.font, pen,
                                     fillBrush);
  else
    objCurvedText.DrawOutline(frame.g, frame.rectFBorders, frame.wText, *frame.font, pen);
}

}  // namespace

void ChalkboardTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.0f, 0.85f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(31, FontStyleRegular);
  Pen outlinePen{Color(kWhite), 2.0f};
  // No ground: off the outlines the picture keeps its transparent start.
  CurvedText objCurvedText = frame.LoadCurvedText();
  objCurvedText.DrawOutline(frame.g, frame.rectFBorders, frame.wText, *frame.font, outlinePen);
}

void Graffiti2TextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawGraffiti(text, bitmap, 0.1f, 0.85f, 39, false);
}

void GraffitiTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawGraffiti(text, bitmap, 0.01f, 0.95f, 38, true);
}

}  // namespace MirelGlyphward
