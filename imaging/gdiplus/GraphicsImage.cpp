// Graphics::DrawImage: unscaled copies blend pixel for pixel; scaled ones go
// through the resampler under the interpolation mode.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "Graphics.h"

namespace Gdiplus {

namespace {

bool PixelUnit(Unit unit) {
  return unit == UnitPixel || unit == UnitWorld;
}

bool IsWhole(REAL v) {
  return std::isfinite(v) && std::fabs(v) < 2e9f && v == std::trunc(v);
}

const Bitmap* AsBitmap(const Image* image) {
  const auto* bitmap = dynamic_cast<const Bitmap*>(image);
  return bitmap && bitmap->Surface().scan0 ? bitmap : nullptr;
}

}  // namespace

Status Graphics::DrawUnscaled(Image* image, INT x, INT y, INT srcx, INT srcy, INT srcwidth,
                              INT srcheight) {
  const Bitmap* source = AsBitmap(image);
  if (!source || !Ready() || srcwidth < 0 || srcheight < 0) return InvalidParameter;
  const BitmapSurface from = source->Surface();
  // Cut the source rectangle to the source bitmap, then the destination to
  // the clip; 64-bit arithmetic keeps extreme arguments from overflowing.
  std::int64_t left = std::max<std::int64_t>(srcx, 0);
  std::int64_t top = std::max<std::int64_t>(srcy, 0);
  std::int64_t right = std::min<std::int64_t>(std::int64_t(srcx) + srcwidth, from.width);
  std::int64_t bottom = std::min<std::int64_t>(std::int64_t(srcy) + srcheight, from.height);
  const std::int64_t shiftX = std::int64_t(x) - srcx, shiftY = std::int64_t(y) - srcy;
  const Rect& area = clip_.Bounds();
  left = std::max<std::int64_t>(left, area.X - shiftX);
  top = std::max<std::int64_t>(top, area.Y - shiftY);
  right = std::min<std::int64_t>(right, std::int64_t(area.X) + area.Width - shiftX);
  bottom = std::min<std::int64_t>(bottom, std::int64_t(area.Y) + area.Height - shiftY);
  if (left >= right || top >= bottom) return Ok;

  const auto width = std::size_t(right - left);
  const bool sameBitmap = source == bitmap_;
  // Drawing a bitmap onto itself reads from a copy, so that rows already
  // drawn are not read again.
  const std::size_t rows = sameBitmap ? std::size_t(bottom - top) : 1;
  rowColors_.resize(width * rows);
  if (sameBitmap) {
    for (std::int64_t row = top; row < bottom; ++row) {
      std::memcpy(rowColors_.data() + std::size_t(row - top) * width,
                  from.scan0 + std::size_t(row) * from.stride + std::size_t(left) * 4, width * 4);
    }
  }
  for (std::int64_t row = top; row < bottom; ++row) {
    const ARGB* colors = rowColors_.data();
    if (sameBitmap) {
      colors += std::size_t(row - top) * width;
    } else {
      // Memory order B, G, R, A is ARGB in a little-endian word.
      std::memcpy(rowColors_.data(),
                  from.scan0 + std::size_t(row) * from.stride + std::size_t(left) * 4, width * 4);
    }
    target_.BlendColors(INT(row + shiftY), INT(left + shiftX), INT(width), colors);
  }
  return Ok;
}

Status Graphics::DrawScaled(Image* image, const RectF& destRect, const RectF& sourceRect,
                            Unit srcUnit, const ImageAttributes* imageAttributes) {
  const Bitmap* source = AsBitmap(image);
  if (!source || !Ready()) return InvalidParameter;
  if (imageAttributes || !PixelUnit(srcUnit)) return NotImplemented;
  if (destRect.Width == 0 || destRect.Height == 0) return Ok;
  // Whole-pixel, same-size draws are plain copies.
  if (destRect.Width == sourceRect.Width && destRect.Height == sourceRect.Height &&
      IsWhole(destRect.X) && IsWhole(destRect.Y) && IsWhole(sourceRect.X) &&
      IsWhole(sourceRect.Y) && IsWhole(sourceRect.Width) && IsWhole(sourceRect.Height)) {
    return DrawUnscaled(image, INT(destRect.X), INT(destRect.Y), INT(sourceRect.X),
                        INT(sourceRect.Y), INT(sourceRect.Width), INT(sourceRect.Height));
  }
  if (source == bitmap_) {
    std::unique_ptr<Bitmap> copy(
        source->Clone(0, 0, surface_.width, surface_.height, PixelFormat32bppARGB));
    if (!copy) return OutOfMemory;
    return resampler_.Draw(copy->Surface(), sourceRect, destRect, interpolationMode_, target_);
  }
  return resampler_.Draw(source->Surface(), sourceRect, destRect, interpolationMode_, target_);
}

Status Graphics::DrawImage(Image* image, INT x, INT y) {
  if (!AsBitmap(image)) return SetStatus(InvalidParameter);
  return SetStatus(
      DrawUnscaled(image, x, y, 0, 0, INT(image->GetWidth()), INT(image->GetHeight())));
}

Status Graphics::DrawImage(Image* image, const Point& point) {
  return DrawImage(image, point.X, point.Y);
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y) {
  if (!AsBitmap(image)) return SetStatus(InvalidParameter);
  const REAL width = REAL(image->GetWidth()), height = REAL(image->GetHeight());
  return SetStatus(DrawScaled(image, RectF(x, y, width, height), RectF(0, 0, width, height),
                              UnitPixel, nullptr));
}

Status Graphics::DrawImage(Image* image, const PointF& point) {
  return DrawImage(image, point.X, point.Y);
}

Status Graphics::DrawImage(Image* image, INT x, INT y, INT srcx, INT srcy, INT srcwidth,
                           INT srcheight, Unit srcUnit) {
  if (!PixelUnit(srcUnit)) return SetStatus(NotImplemented);
  return SetStatus(DrawUnscaled(image, x, y, srcx, srcy, srcwidth, srcheight));
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y, REAL srcx, REAL srcy, REAL srcwidth,
                           REAL srcheight, Unit srcUnit) {
  return SetStatus(DrawScaled(image, RectF(x, y, srcwidth, srcheight),
                              RectF(srcx, srcy, srcwidth, srcheight), srcUnit, nullptr));
}

Status Graphics::DrawImage(Image* image, INT x, INT y, INT width, INT height) {
  return DrawImage(image, RectF(REAL(x), REAL(y), REAL(width), REAL(height)));
}

Status Graphics::DrawImage(Image* image, const Rect& rect) {
  return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height) {
  return DrawImage(image, RectF(x, y, width, height));
}

Status Graphics::DrawImage(Image* image, const RectF& rect) {
  if (!AsBitmap(image)) return SetStatus(InvalidParameter);
  const RectF source(0, 0, REAL(image->GetWidth()), REAL(image->GetHeight()));
  return SetStatus(DrawScaled(image, rect, source, UnitPixel, nullptr));
}

Status Graphics::DrawImage(Image* image, const Rect& destRect, INT srcx, INT srcy, INT srcwidth,
                           INT srcheight, Unit srcUnit, const ImageAttributes* imageAttributes,
                           DrawImageAbort callback, void* callbackData) {
  return DrawImage(
      image, RectF(REAL(destRect.X), REAL(destRect.Y), REAL(destRect.Width), REAL(destRect.Height)),
      REAL(srcx), REAL(srcy), REAL(srcwidth), REAL(srcheight), srcUnit, imageAttributes, callback,
      callbackData);
}

Status Graphics::DrawImage(Image* image, const RectF& destRect, REAL srcx, REAL srcy, REAL srcwidth,
                           REAL srcheight, Unit srcUnit, const ImageAttributes* imageAttributes,
                           DrawImageAbort callback, void* callbackData) {
  // Drawing is done in one pass; a callback has no point at which to stop it.
  if (callback && callback(callbackData)) return SetStatus(Aborted);
  return SetStatus(DrawScaled(image, destRect, RectF(srcx, srcy, srcwidth, srcheight), srcUnit,
                              imageAttributes));
}

Status Graphics::DrawImage(Image* image, const RectF& destRect, const RectF& sourceRect,
                           Unit srcUnit, const ImageAttributes* imageAttributes) {
  return SetStatus(DrawScaled(image, destRect, sourceRect, srcUnit, imageAttributes));
}

}  // namespace Gdiplus
