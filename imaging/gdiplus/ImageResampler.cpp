#include "ImageResampler.h"

#include <agg_image_accessors.h>
#include <agg_image_filters.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rendering_buffer.h>
#include <agg_span_image_filter_rgba.h>
#include <agg_span_interpolator_linear.h>
#include <agg_trans_affine.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "RenderPixel.h"
#include "RenderTarget.h"

namespace Gdiplus {

namespace {

// The working copy is premultiplied B, G, R, A, which is what AGG's filters
// average correctly.
using PixelFormatPre = agg::pixfmt_bgra32_pre;
using Accessor = agg::image_accessor_clip<PixelFormatPre>;
using Interpolator = agg::span_interpolator_linear<>;

// AGG's filters take the tables by non-const reference but only read them.
agg::image_filter_lut& BilinearFilter() {
  static agg::image_filter_lut lut(agg::image_filter_bilinear(), true);
  return lut;
}

agg::image_filter_lut& BicubicFilter() {
  static agg::image_filter_lut lut(agg::image_filter_bicubic(), true);
  return lut;
}

enum class Filter { Nearest, Bilinear, Bicubic, AreaBilinear, AreaBicubic };

Filter ChooseFilter(InterpolationMode mode, bool shrinking) {
  switch (mode) {
    case InterpolationModeNearestNeighbor:
      return Filter::Nearest;
    case InterpolationModeBicubic:
      return Filter::Bicubic;
    case InterpolationModeHighQualityBicubic:
    case InterpolationModeHighQuality:
      return shrinking ? Filter::AreaBicubic : Filter::Bicubic;
    case InterpolationModeHighQualityBilinear:
      return shrinking ? Filter::AreaBilinear : Filter::Bilinear;
    default:
      return Filter::Bilinear;
  }
}

// Turns premultiplied AGG colours into straight ARGB.
void Unpremultiply(const agg::rgba8* span, std::size_t count, ARGB* out) {
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned a = span[i].a;
    if (a == 0) {
      out[i] = 0;
      continue;
    }
    auto channel = [a](unsigned c) { return std::min(255u, (c * 255 + a / 2) / a); };
    out[i] = Color::MakeARGB(BYTE(a), BYTE(channel(span[i].r)), BYTE(channel(span[i].g)),
                             BYTE(channel(span[i].b)));
  }
}

template <class Generator>
void Generate(Generator& generator, INT top, INT bottom, INT left, INT right,
              std::vector<std::uint8_t>& samples, std::vector<ARGB>& colors, RenderTarget& target) {
  const auto count = std::size_t(right - left);
  samples.resize(count * sizeof(agg::rgba8));
  colors.resize(count);
  auto* span = reinterpret_cast<agg::rgba8*>(samples.data());
  generator.prepare();
  for (INT y = top; y < bottom; ++y) {
    generator.generate(span, left, y, unsigned(count));
    Unpremultiply(span, count, colors.data());
    target.BlendColors(y, left, INT(count), colors.data());
  }
}

}  // namespace

void ImageResampler::LoadSource(const BitmapSurface& source, INT left, INT top, INT width,
                                INT height) {
  buffer_.assign(std::size_t(width) * std::size_t(height) * 4, 0);
  const INT fromX = std::max(left, 0), toX = std::min(left + width, source.width);
  const INT fromY = std::max(top, 0), toY = std::min(top + height, source.height);
  for (INT y = fromY; y < toY; ++y) {
    const BYTE* in = source.scan0 + std::size_t(y) * source.stride + std::size_t(fromX) * 4;
    std::uint8_t* out =
        buffer_.data() + (std::size_t(y - top) * width + std::size_t(fromX - left)) * 4;
    for (INT x = fromX; x < toX; ++x, in += 4, out += 4) {
      const unsigned a = in[3];
      out[0] = BYTE(MultiplyUnit(in[0], a));
      out[1] = BYTE(MultiplyUnit(in[1], a));
      out[2] = BYTE(MultiplyUnit(in[2], a));
      out[3] = BYTE(a);
    }
  }
}

Status ImageResampler::Draw(const BitmapSurface& source, const RectF& sourceRect,
                            const RectF& destRect, InterpolationMode mode, RenderTarget& target) {
  const double sides[4] = {sourceRect.Width, sourceRect.Height, destRect.Width, destRect.Height};
  const double corners[4] = {sourceRect.X, sourceRect.Y, destRect.X, destRect.Y};
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(sides[i]) || !std::isfinite(corners[i])) return InvalidParameter;
    if (!(sides[i] > 0)) return InvalidParameter;
    if (sides[i] > kMaxSide || std::fabs(corners[i]) > kMaxSide) return ValueOverflow;
  }

  // Destination pixels whose centres fall inside destRect, cut to the clip.
  const Rect& clip = target.Clip().Bounds();
  const double destLeft = std::ceil(double(destRect.X));
  const double destTop = std::ceil(double(destRect.Y));
  const double destRight = std::ceil(double(destRect.X) + destRect.Width);
  const double destBottom = std::ceil(double(destRect.Y) + destRect.Height);
  const INT left = INT(std::max<double>(destLeft, clip.X));
  const INT top = INT(std::max<double>(destTop, clip.Y));
  const INT right = INT(std::min<double>(destRight, double(clip.X) + clip.Width));
  const INT bottom = INT(std::min<double>(destBottom, double(clip.Y) + clip.Height));
  if (left >= right || top >= bottom) return Ok;

  // The source pixels the rectangle touches; samples beyond them are
  // transparent.
  const INT sourceLeft = INT(std::floor(sourceRect.X));
  const INT sourceTop = INT(std::floor(sourceRect.Y));
  const INT sourceWidth = INT(std::ceil(double(sourceRect.X) + sourceRect.Width)) - sourceLeft;
  const INT sourceHeight = INT(std::ceil(double(sourceRect.Y) + sourceRect.Height)) - sourceTop;
  if (double(sourceWidth) * sourceHeight * 4 > double(Bitmap::kMaxBytes)) return OutOfMemory;
  LoadSource(source, sourceLeft, sourceTop, sourceWidth, sourceHeight);

  agg::rendering_buffer buffer(buffer_.data(), unsigned(sourceWidth), unsigned(sourceHeight),
                               sourceWidth * 4);
  PixelFormatPre pixels(buffer);
  Accessor accessor(pixels, agg::rgba8(0, 0, 0, 0));

  // destRect maps onto sourceRect point for point, and both bitmaps have
  // their pixel centres on whole points, as everywhere in this layer. AGG
  // puts pixel centres half a pixel further on, in the destination and in
  // the copy alike, hence the half-pixel terms. Like GDI+'s default pixel
  // offset mode, this cuts half a source pixel off the left and top edges of
  // an enlarged image and lets the right and bottom edges fade out.
  const double scaleX = double(sourceRect.Width) / destRect.Width;
  const double scaleY = double(sourceRect.Height) / destRect.Height;
  const Filter filter = ChooseFilter(mode, scaleX > 1 || scaleY > 1);
  // Nearest neighbour takes the pixel whose centre is nearest; a point
  // halfway between two centres goes to the upper-left one, so that whole
  // enlargement factors make blocks of equal size.
  const double tie = filter == Filter::Nearest ? 1.0 / double(int(agg::image_subpixel_scale)) : 0.0;
  agg::trans_affine toSource(
      scaleX, 0, 0, scaleY,
      double(sourceRect.X) - sourceLeft + 0.5 - (double(destRect.X) + 0.5) * scaleX - tie,
      double(sourceRect.Y) - sourceTop + 0.5 - (double(destRect.Y) + 0.5) * scaleY - tie);
  Interpolator interpolator(toSource);

  switch (filter) {
    case Filter::Nearest: {
      agg::span_image_filter_rgba_nn<Accessor, Interpolator> generator(accessor, interpolator);
      Generate(generator, top, bottom, left, right, samples_, colors_, target);
      break;
    }
    case Filter::Bilinear: {
      agg::span_image_filter_rgba_bilinear<Accessor, Interpolator> generator(accessor,
                                                                             interpolator);
      Generate(generator, top, bottom, left, right, samples_, colors_, target);
      break;
    }
    case Filter::Bicubic: {
      auto& lut = BicubicFilter();
      agg::span_image_filter_rgba<Accessor, Interpolator> generator(accessor, interpolator, lut);
      Generate(generator, top, bottom, left, right, samples_, colors_, target);
      break;
    }
    case Filter::AreaBilinear:
    case Filter::AreaBicubic: {
      auto& lut = filter == Filter::AreaBilinear ? BilinearFilter() : BicubicFilter();
      agg::span_image_resample_rgba_affine<Accessor> generator(accessor, interpolator, lut);
      Generate(generator, top, bottom, left, right, samples_, colors_, target);
      break;
    }
  }
  return Ok;
}

}  // namespace Gdiplus
