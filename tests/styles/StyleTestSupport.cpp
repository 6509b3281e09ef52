#include "StyleTestSupport.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "CreatePicture.h"
#include "CurvedText.h"
#include "Font.h"
#include "GraphicsPath.h"
#include "Tools.h"

namespace style_tests {

using namespace Gdiplus;

Picture Render(int style, const std::string& code, int width, int height, std::int32_t seed,
               const std::string& format) {
  Seed(seed);
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  MirelGlyphward::CreatePicture(code, {width, height}, style, format, bytes, count);
  Picture picture =
      picture_tests::Decode(format, std::vector<unsigned char>(bytes.get(), bytes.get() + count));
  EXPECT_EQ(picture.width, std::uint32_t(width));
  EXPECT_EQ(picture.height, std::uint32_t(height));
  return picture;
}

int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate) {
  return Count(picture, predicate, 0, 0, int(picture.width), int(picture.height));
}

int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate, int x0,
          int y0, int x1, int y1) {
  int count = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, int(picture.height)); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, int(picture.width)); ++x)
      if (predicate(picture.At(std::uint32_t(x), std::uint32_t(y)))) ++count;
  return count;
}

std::ostream& operator<<(std::ostream& os, const StepCase& c) {
  return os << "style " << c.style << " " << c.width << "x" << c.height << " code length "
            << c.code.size();
}

std::uint64_t AreaCount(int width, int height, float factor) {
  return std::uint64_t(int(float(width) * float(height) * factor));
}

bool Is(const Pixel& p, const Color& c, int tolerance) {
  return std::abs(p[0] - c.GetR()) <= tolerance && std::abs(p[1] - c.GetG()) <= tolerance &&
         std::abs(p[2] - c.GetB()) <= tolerance && p[3] == 255;
}

Pixel Complement(const Pixel& p) {
  return Pixel{std::uint8_t(255 - p[0]), std::uint8_t(255 - p[1]), std::uint8_t(255 - p[2]), 255};
}

Pixel Opaque(const Color& c) {
  return Pixel{c.GetR(), c.GetG(), c.GetB(), 255};
}

Pixel MostCommon(const Picture& picture, const std::function<bool(const Pixel&)>& predicate) {
  std::map<Pixel, int> counts;
  ForEachPixel(picture, [&](int, int, const Pixel& p) { counts[p] += predicate(p); });
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

Pixel Darkest(const Picture& picture) {
  Pixel best = picture.At(0, 0);
  ForEachPixel(picture, [&](int, int, const Pixel& p) {
    if (Luma(p) < Luma(best)) best = p;
  });
  return best;
}

Pixel Lightest(const Picture& picture) {
  Pixel best = picture.At(0, 0);
  ForEachPixel(picture, [&](int, int, const Pixel& p) {
    if (Luma(p) > Luma(best)) best = p;
  });
  return best;
}

double MixShare(const Pixel& p, const Pixel& from, const Pixel& to, double tolerance) {
  int widest = 0;
  for (int c = 1; c < 3; ++c)
    if (std::abs(to[c] - from[c]) > std::abs(to[widest] - from[widest])) widest = c;
  if (p[3] != 255) return -1;
  if (to[widest] == from[widest]) return p == from ? 0 : -1;
  const double t = double(p[widest] - from[widest]) / double(to[widest] - from[widest]);
  if (t < -0.01 || t > 1.01) return -1;
  for (int c = 0; c < 3; ++c)
    if (std::fabs(from[c] + t * (to[c] - from[c]) - p[c]) > tolerance) return -1;
  return std::clamp(t, 0.0, 1.0);
}

RectF Part(int width, int height, float x, float y, float w, float h) {
  return RectF(x * float(width), y * float(height), w * float(width), h * float(height));
}

RectF SeededFrame(std::int32_t seed, const RectF& outer, const RectF& inner) {
  Seed(seed);
  return MirelGlyphward::RandomClass().NextBorders(outer, inner);
}

LetterMask::LetterMask(std::int32_t seed, const std::string& code, int style, INT fontStyle,
                       const RectF& outer, const RectF& inner, int width, int height, bool curved,
                       int margin)
    : rectFBorders(SeededFrame(seed, outer, inner)),
      width_(width),
      height_(height),
      margin_(margin) {
  const std::u16string fontName = rand.NextFontName(style);
  const Font font(fontName.c_str(), 200.0f, fontStyle, UnitPoint);
  const std::u16string text(code.begin(), code.end());
  if (curved) {
    std::vector<PointF> top, bottom;
    MirelGlyphward::CurvedText::LoadCurves(1, top, bottom);
    letters =
        Region(MirelGlyphward::CurvedText(top, bottom).CreatePath(rectFBorders, text, font).get());
  } else {
    GraphicsPath path(FillModeAlternate);
    MirelGlyphward::Tools::AddFittedString(text, font, rectFBorders, &path);
    letters = Region(&path);
  }
  const int w = width + 2 * margin, h = height + 2 * margin;
  inside_.resize(std::size_t(w) * std::size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      inside_[std::size_t(y) * w + x] = letters.IsVisible(x - margin, y - margin);
}

bool LetterMask::Inside(int x, int y) const {
  const int w = width_ + 2 * margin_;
  x += margin_, y += margin_;
  if (x < 0 || y < 0 || x >= w || y >= height_ + 2 * margin_) return false;
  return inside_[std::size_t(y) * w + x] != 0;
}

int LetterMask::At(int x, int y) const {
  const bool centre = Inside(x, y);
  for (int dy = -margin_; dy <= margin_; ++dy)
    for (int dx = -margin_; dx <= margin_; ++dx)
      if (Inside(x + dx, y + dy) != centre) return -1;
  return centre ? 1 : 0;
}

}  // namespace style_tests
