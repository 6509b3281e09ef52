#include "OverlapStyles.h"

#include "LetterLayout.h"
#include "Pen.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr REAL kOutlineWidth = 2.0f;

void DrawOverlap(const std::string& text, Bitmap* bitmap, int fontChooser) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.1f, 0.5f, 0.5f);
  frame.DrawBorders();
  frame.ChooseFont(fontChooser, FontStyleRegular);
  const std::vector<RectF> slots =
      OverlappingSlots(frame.rand, frame.wText, *frame.font, frame.rectFBorders);
  frame.ClearGround(Color(kWhite));
  // The band lies inside each outline, so the letters keep their size.
  Pen pen(Color(kBlack), kOutlineWidth);
  pen.SetAlignment(PenAlignmentInset);
  const SolidBrush brush{Color(kBlack)};
  for (std::size_t i = 0; i < slots.size(); ++i) {
    GraphicsPath path = FitLetter(frame.wText, i, *frame.font, slots[i]);
    path.Widen(&pen, nullptr, 0.25f);
    frame.g.FillPath(&brush, &path);
  }
}

}  // namespace

void OverlapTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawOverlap(text, bitmap, 17);
}

void Overlap2TextGenerator::Draw(std::string text, Bitmap* bitmap) {
  DrawOverlap(text, bitmap, 18);
}

}  // namespace MirelGlyphward
