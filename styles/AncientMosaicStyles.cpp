#include "AncientMosaicStyles.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Region.h"
#include "SolidBrush.h"
#include "TextFrame.h"
#include "Tools.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;

// The pixels the clip in force lets through. Most dots thrown at the frame
// fall where the clip hides them whole; knowing that beforehand spares the
// rasterizer thousands of shapes that would leave no trace.
class ClipPixels {
 public:
  explicit ClipPixels(const TextFrame& frame)
      : width_(int(frame.rectImage.Width)), height_(int(frame.rectImage.Height)) {
    Region region;
    frame.g.GetClip(&region);
    std::vector<RectF> rects;
    Tools::GetRegionRects(region, rects);
    open_.assign(std::size_t(width_) * std::size_t(height_), 0);
    for (const RectF& r : rects) {
      const int x0 = std::max(int(r.X), 0), x1 = std::min(int(r.GetRight()), width_);
      const int y0 = std::max(int(r.Y), 0), y1 = std::min(int(r.GetBottom()), height_);
      for (int y = y0; y < y1; ++y)
        std::fill(open_.begin() + Index(x0, y), open_.begin() + Index(std::max(x0, x1), y), 1);
    }
  }

  // Whether an anti-aliased dot filling the integer square (x, y, size) may
  // reach a pixel the clip lets through: with pixels centred on whole
  // coordinates, it covers parts of pixels x to x + size.
  bool MayShow(int x, int y, int size) const {
    const int x0 = std::max(x, 0), x1 = std::min(x + size, width_ - 1);
    const int y0 = std::max(y, 0), y1 = std::min(y + size, height_ - 1);
    for (int py = y0; py <= y1; ++py)
      for (int px = x0; px <= x1; ++px)
        if (open_[Index(px, py)]) return true;
    return false;
  }

 private:
  std::size_t Index(int x, int y) const {
    return std::size_t(y) * std::size_t(width_) + std::size_t(x);
  }

  int width_, height_;
  std::vector<std::uint8_t> open_;
};

// Round dots of `size` pixels at whole-pixel positions drawn from `area`,
// each with a brush of its own (on the stack: no allocation). With `clip`,
// the dots it hides whole are drawn only from the engine.
void Sprinkle(TextFrame& frame, const RectF& area, int count, ARGB color, INT size,
              const ClipPixels* clip = nullptr) {
  for (int i = 0; i < count; ++i) {
    const PointF pt = frame.rand.NextPoint(area);
    const INT x = INT(pt.X), y = INT(pt.Y);
    if (clip && !clip->MayShow(x, y, size)) continue;
    const SolidBrush brush{Color(color)};
    frame.g.FillEllipse(&brush, x, y, size, size);
  }
}

}  // namespace

void AncientMosaicTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.1f, 0.85f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(33, FontStyleRegular);
  frame.ClearGround(Color(kWhite));
  // The budget follows the picture's area alone, whatever the code's length.
  const int n = int(frame.rectImage.Width * frame.rectImage.Height * 0.4f);
  CurvedText objCurvedText = frame.LoadCurvedText();
  std::shared_ptr<GraphicsPath> path =
      objCurvedText.CreatePath(frame.rectFBorders, frame.wText, *frame.font);

  // Letter bodies: dots are thrown over the whole frame and the letter clip
  // keeps those that fall on a letter.
  frame.g.SetClip(path.get(), CombineModeReplace);
  {
    const ClipPixels letters(frame);
    Sprinkle(frame, frame.rectFBorders, n, kBlack, 1, &letters);
    Sprinkle(frame, frame.rectFBorders, n / 10, kWhite, 1, &letters);
  }
  frame.g.ResetClip();

  // The band along the letter outlines gets larger stones.
  const Pen pen{Color(kWhite), 3.0f};
  path->Widen(&pen, nullptr, 0.25f);
  frame.g.SetClip(path.get(), CombineModeReplace);
  {
    const ClipPixels band(frame);
    Sprinkle(frame, frame.rectFBorders, n / 2, kBlack, 2, &band);
    Sprinkle(frame, frame.rectFBorders, n / 7, kWhite, 2, &band);
  }
  frame.g.ResetClip();

  // Noise over everything, letters included.
  Sprinkle(frame, frame.rectImage, n / 10, kBlack, 1);
  Sprinkle(frame, frame.rectImage, n / 7, kWhite, 1);
}

}  // namespace MirelGlyphward
