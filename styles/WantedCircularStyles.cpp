#include "WantedCircularStyles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "Pen.h"
#include "RandomSource.h"
#include "Region.h"
#include "TextFrame.h"
#include "Tools.h"

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

// Which pixels the clip in force lets through, as running sums, so that
// whether any of a rectangle's pixels shows takes four look-ups. About a
// fifth of the arches land where the clip hides them whole; they need no
// stroking.
class ClipCoverage {
 public:
  ClipCoverage(const Graphics& g, int width, int height)
      : width_(width), height_(height), sums_(std::size_t(width + 1) * std::size_t(height + 1)) {
    Region region;
    g.GetClip(&region);
    std::vector<RectF> rects;
    Tools::GetRegionRects(region, rects);
    std::vector<std::uint8_t> open(std::size_t(width) * std::size_t(height), 0);
    for (const RectF& r : rects) {
      const int x0 = int(std::max(r.X, 0.0f)), x1 = int(std::min(r.GetRight(), REAL(width)));
      const int y0 = int(std::max(r.Y, 0.0f)), y1 = int(std::min(r.GetBottom(), REAL(height)));
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) open[std::size_t(y) * std::size_t(width) + x] = 1;
    }
    for (int y = 0; y < height; ++y) {
      std::uint32_t row = 0;
      for (int x = 0; x < width; ++x) {
        row += open[std::size_t(y) * std::size_t(width) + x];
        Sum(x + 1, y + 1) = Sum(x + 1, y) + row;
      }
    }
  }

  // Whether a pixel of columns x0..x1 and rows y0..y1 (inclusive) shows.
  bool Touches(long x0, long y0, long x1, long y1) const {
    x0 = std::max(x0, 0L), y0 = std::max(y0, 0L);
    x1 = std::min(x1, long(width_) - 1), y1 = std::min(y1, long(height_) - 1);
    if (x0 > x1 || y0 > y1) return false;
    return Sum(x1 + 1, y1 + 1) - Sum(x0, y1 + 1) - Sum(x1 + 1, y0) + Sum(x0, y0) > 0;
  }

 private:
  std::uint32_t& Sum(long x, long y) {
    return sums_[std::size_t(y) * std::size_t(width_ + 1) + std::size_t(x)];
  }
  std::uint32_t Sum(long x, long y) const {
    return sums_[std::size_t(y) * std::size_t(width_ + 1) + std::size_t(x)];
  }

  int width_, height_;
  std::vector<std::uint32_t> sums_;
};

// NextPointAround's draws, with its exact arithmetic, taken from the engine
// without a chain of calls per draw: a picture takes over a hundred thousand
// of them, and the calls alone would cost a good part of the picture.
class PointDraws {
 public:
  PointDraws() : source_(CurrentRandomSource()) {}

  PointF Around(const PointF& center, float size) const {
    const float left = center.X - size / 2, top = center.Y - size / 2;
    const float y = Float(top, top + size);
    const float x = Float(left, left + size);
    return PointF(x, y);
  }

 private:
  float Float(float min, float max) const {
    const int k = int(source_.NextUnit() * 10000.0);
    const float t = float(k) / 10000.0f;
    return (max - min) * t + min;
  }

  RandomSource& source_;
};

// Draws arches in boxes placed anywhere in the picture, each a small letter
// m: two Bézier humps sharing their middle foot, their control points a
// little above the box.
class ArchHatching {
 public:
  ArchHatching(TextFrame& frame, const ArchSettings& arch) : frame_(frame), arch_(arch) {}

  // Learns the clip in force, which decides what of the arches shows.
  void TakeClip() {
    clip_.emplace(frame_.g, int(frame_.rectImage.Width), int(frame_.rectImage.Height));
  }

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
    const PointF pt1 = draws_.Around(PointF(left, bottom), j);
    const PointF pt2 = draws_.Around(PointF(left + 0.2f * w, top), j);
    const PointF pt3 = draws_.Around(PointF(left + 0.3f * w, top), j);
    const PointF pt4 = draws_.Around(PointF(left + 0.5f * w, bottom), j);
    const PointF pt5 = pt4;
    const PointF pt6 = draws_.Around(PointF(left + 0.7f * w, top), j);
    const PointF pt7 = draws_.Around(PointF(left + 0.8f * w, top), j);
    const PointF pt8 = draws_.Around(PointF(left + w, bottom), j);
    // A curve stays within its control points' hull, and a one-pixel
    // stroke lights only the pixels nearest to it.
    const PointF points[] = {pt1, pt2, pt3, pt4, pt6, pt7, pt8};
    float minX = pt1.X, maxX = pt1.X, minY = pt1.Y, maxY = pt1.Y;
    for (const PointF& p : points) {
      minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
      minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
    }
    if (!clip_->Touches(long(std::floor(minX)), long(std::floor(minY)), long(std::ceil(maxX)),
                        long(std::ceil(maxY)))) {
      return;
    }
    frame_.g.DrawBezier(&pen, pt1, pt2, pt3, pt4);
    frame_.g.DrawBezier(&pen, pt5, pt6, pt7, pt8);
  }

  TextFrame& frame_;
  const ArchSettings arch_;
  const PointDraws draws_;
  std::optional<ClipCoverage> clip_;
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
  hatching.TakeClip();
  hatching.Draw(mainPen, n);
  hatching.Draw(backPen, n / 10);

  // Around them: less ink, then much erasing.
  frame.g.ResetClip();
  const Region rgn(frame.rectImage);
  frame.g.SetClip(path.get(), CombineModeReplace);
  frame.g.SetClip(&rgn, CombineModeXor);
  hatching.TakeClip();
  hatching.Draw(mainPen, 0.8 * double(n));
  hatching.Draw(backPen, 2.0 * double(n));
}

}  // namespace MirelGlyphward
