#include "StitchStyles.h"

#include "Pen.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

void StitchTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  // Aliased, so that every stitch stays a crisp black pixel or two.
  TextFrame frame(text, bitmap, SmoothingModeDefault);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  frame.ChooseFont(8, FontStyleBold);
  frame.ClearGround(Color(0xFFFFFFFF));
  std::unique_ptr<GraphicsPath> path = frame.FittedPath();

  // Only the shape the dotted pen covers matters; its colour never shows.
  Pen pen{Color(0xFFFFFFFF), 1.0f};
  pen.SetAlignment(PenAlignmentInset);
  pen.SetDashStyle(DashStyleDot);
  if (path->Widen(&pen, nullptr, 0.25f) != Ok) {
    // Outlines too long to hold as separate dots (very long codes on very
    // large pictures) are stitched straight onto the picture instead; filling
    // the unwidened letters would show them solid.
    Pen stitches{Color(0xFF000000), 1.0f};
    stitches.SetDashStyle(DashStyleDot);
    frame.g.DrawPath(&stitches, path.get());
    return;
  }
  const SolidBrush brush{Color(0xFF000000)};
  frame.g.FillPath(&brush, path.get());
}

}  // namespace MirelGlyphward
