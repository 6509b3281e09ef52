#include "WantedCircularStyles.h"

#include "Pen.h"
#include "Region.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kInk = 0xFF000000;
constexpr ARGB kPaper = 0xFFF5F5F5;

// The size of every arch's box and how far each of its points may stray.
struct ArchSettings {
  float width;
  float height;
  float jitter;
};

// Draws arches in boxes placed anywhere in the picture, each a small letter
// m: two Bézier humps sharing their middle foot, their control points a
// little above the box.
class ArchHatching {
 public:
  ArchHatching(TextFrame& frame, const ArchSettings& arch) : frame_(frame), arch_(arch) {}

  void Draw(const Pen& pen, double count) {
    for (int i = 0; double(i) < count; ++i) {
      const RectF rect = frame_.rand.NextRectInside(frame_.rectImage, arch_.width, arch_.height);
      DrawArch(pen, rect);
    }
  }

 private:
  void DrawArch(const Pen& pen, const RectF& rect) {
    const float left = rect.X, bottom = rect.GetBottom(), w = rect.Width;
    const float top = bottom - 1.1f * rect.Height;
    const float j = arch_.jitter;
    const PointF pt1 = frame_.rand.NextPointAround(PointF(left, bottom), j);
    const PointF pt2 = frame_.rand.NextPointAround(PointF(left + 0.2f * w, top), j);
    const PointF pt3 = frame_.rand.NextPointAround(PointF(left + 0.3f * w, top), j);
    const PointF pt4 = frame_.rand.NextPointAround(PointF(left + 0.5f * w, bottom), j);
    const PointF pt5 = pt4;
    const PointF pt6 = frame_.rand.NextPointAround(PointF(left + 0.7f * w, top), j);
    const PointF pt7 = frame_.rand.NextPointAround(PointF(left + 0.8f * w, top), j);
    const PointF pt8 = frame_.rand.NextPointAround(PointF(left + w, bottom), j);
    frame_.g.DrawBezier(&pen, pt1, pt2, pt3, pt4);
    frame_.g.DrawBezier(&pen, pt5, pt6, pt7, pt8);
  }

  TextFrame& frame_;
  const ArchSettings arch_;
};

}  // namespace

void WantedCircularTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  // Aliased: the hatching is meant to be crisp strokes of ink and paper.
  TextFrame frame(text, bitmap, SmoothingModeDefault);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  const Pen mainPen{Color(kInk), 1.0f};
  const Pen backPen{Color(kPaper), 1.0f};
  const float W = frame.rectImage.Width, H = frame.rectImage.Height;
  const ArchSettings arch{W / 60, H / 60, (W / 60) / 3};
  frame.ChooseFont(7, FontStyleBold);
  frame.ClearGround(Color(kPaper));
  const int n = int(W * H * 0.25f);
  std::unique_ptr<GraphicsPath> path = frame.FittedPath();
  ArchHatching hatching(frame, arch);

  // Inside the letters: dense ink, little erasing.
  frame.g.SetClip(path.get(), CombineModeReplace);
  hatching.Draw(mainPen, n);
  hatching.Draw(backPen, n / 10);

  // Around them: less ink, then much erasing.
  frame.g.ResetClip();
  const Region rgn(frame.rectImage);
  frame.g.SetClip(path.get(), CombineModeReplace);
  frame.g.SetClip(&rgn, CombineModeXor);
  hatching.Draw(mainPen, 0.8 * double(n));
  hatching.Draw(backPen, 2.0 * double(n));
}

}  // namespace MirelGlyphward
