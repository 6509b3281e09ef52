#include "RandomClass.h"

#include "RandomSource.h"

namespace MirelGlyphward {

using Gdiplus::Color;
using Gdiplus::PointF;
using Gdiplus::RectF;

namespace {

// The draws below look the calling thread's engine up once for all their
// steps: pictures take hundreds of thousands of them.
float DrawFloat(RandomSource& source, float min, float max) {
  const int k = source.NextNumber(10000);
  const float t = float(k) / 10000.0f;
  return (max - min) * t + min;
}

PointF DrawPoint(RandomSource& source, const RectF& rect) {
  const float y = DrawFloat(source, rect.GetTop(), rect.GetBottom());
  const float x = DrawFloat(source, rect.GetLeft(), rect.GetRight());
  return PointF(x, y);
}

}  // namespace

int RandomClass::Next(int min, int max) const {
  return min + RandomNumber(max - min);
}

float RandomClass::NextFloat(float min, float max) const {
  return DrawFloat(CurrentRandomSource(), min, max);
}

Color RandomClass::NextColor() const {
  return NextColor(0, 256, 0, 256, 0, 256);
}

Color RandomClass::NextColor(int rMin, int rMax, int gMin, int gMax, int bMin, int bMax) const {
  const int b = Next(bMin, bMax);
  const int g = Next(gMin, gMax);
  const int r = Next(rMin, rMax);
  return Color(255, Gdiplus::BYTE(r), Gdiplus::BYTE(g), Gdiplus::BYTE(b));
}

RectF RandomClass::NextBorders(const RectF& outer, const RectF& inner) const {
  RandomSource& source = CurrentRandomSource();
  const float top = DrawFloat(source, outer.GetTop(), inner.GetTop());
  const float left = DrawFloat(source, outer.GetLeft(), inner.GetLeft());
  const float right = DrawFloat(source, inner.GetRight(), outer.GetRight());
  const float bottom = DrawFloat(source, inner.GetBottom(), outer.GetBottom());
  return RectF(left, top, right - left, bottom - top);
}

PointF RandomClass::NextPoint(const RectF& rect) const {
  return DrawPoint(CurrentRandomSource(), rect);
}

PointF RandomClass::NextPointAround(const PointF& center, float size) const {
  return NextPoint(RectF(center.X - size / 2, center.Y - size / 2, size, size));
}

void RandomClass::NextPoints(const RectF& rect, PointF& p1, PointF& p2, PointF& p3,
                             PointF& p4) const {
  RandomSource& source = CurrentRandomSource();
  p1 = DrawPoint(source, rect);
  p2 = DrawPoint(source, rect);
  p3 = DrawPoint(source, rect);
  p4 = DrawPoint(source, rect);
}

RectF RandomClass::NextRectInside(const RectF& rect, float width, float height) const {
  const RectF insideRect(rect.X, rect.Y, rect.Width - width, rect.Height - height);
  const PointF ptTopLeft = NextPoint(insideRect);
  return RectF(ptTopLeft.X, ptTopLeft.Y, width, height);
}

void RandomClass::NextOffsets(float min, float max, int count, std::vector<float>& list) const {
  float offset = 0.0f;
  for (int i = 0; i < count; ++i) {
    offset += NextFloat(min, max);
    list.push_back(offset);
  }
}

char RandomClass::NextChar() const {
  static constexpr char kChars[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  return kChars[Next(0, 35)];
}

std::u16string RandomClass::NextFontName(int style) const {
  static const std::u16string kAll[] = {u"Arial", u"Verdana", u"Times New Roman", u"Tahoma",
                                        u"Courier New"};
  static const std::u16string kCourier[] = {u"Courier New"};
  static const std::u16string kTimes[] = {u"Times New Roman"};
  if (style == 4) return kCourier[RandomNumber(1)];
  if (style == 7) return kTimes[RandomNumber(1)];
  return kAll[RandomNumber(5)];
}

std::u16string RandomClass::DefaultFontName() const {
  return u"Times New Roman";
}

}  // namespace MirelGlyphward
