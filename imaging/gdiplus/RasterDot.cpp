#include "RasterDot.h"

#include <array>
#include <cstdint>

#include <emmintrin.h>

#include "RasterPath.h"
#include "RasterSubpixel.h"

namespace Gdiplus {

namespace {

// Small dots take the points between the axis points from a table instead
// of forward differences.
constexpr int kTableSteps = 4;

// u(i / steps) on the first Bezier quarter of the unit circle as AddEllipse
// builds it, from (1, 0) through (1, k) and (k, 1) to (0, 1). Its v is
// u(1 - t), and the other quarters are its turns by 90 degrees.
using StepTable = std::array<std::array<double, kTableSteps + 1>, kTableSteps + 1>;

constexpr StepTable MakeStepTable() {
  constexpr double k = RasterPath::kEllipseKappa;
  StepTable table{};
  for (int steps = 1; steps <= kTableSteps; ++steps) {
    for (int i = 0; i <= steps; ++i) {
      const double t = double(i) / steps, s = 1 - t;
      table[steps][i] = s * s * s + 3 * s * s * t + 3 * s * t * t * k;
    }
  }
  return table;
}

constexpr StepTable kStepTable = MakeStepTable();

// The forward differences of AppendCubic and the table's point stray from
// the true curve by well under 2^-26 pixel for coordinates below 2^16 and
// at most kTableSteps steps; a point whose subpixel value lies farther than
// this margin (2^-12 subpixel, 64 times that error) from a rounding tie
// rounds the same either way.
constexpr double kTieMargin = 1.0 / 4096;

// ToSubpixel(v) for v > -0.5 known only to within the error above; false
// when v is too near a tie to be sure.
bool SureSubpixel(double v, int* subpixel) {
  const double s = (v + 0.5) * double(kSubpixelScale) + 0.5;
  const int rounded = int(s);
  const double fraction = s - rounded;
  *subpixel = rounded;
  return fraction > kTieMargin && fraction < 1 - kTieMargin;
}

int FlattenExactly(double x, double y, double width, double height, double flatness,
                   SubpixelPoint* points) {
  int count = 0;
  const auto emit = [&](double px, double py) {
    if (count < kMaxDotPoints) points[count] = SubpixelPoint{ToSubpixel(px), ToSubpixel(py)};
    ++count;
  };
  RasterPath::FlattenEllipse(x, y, width, height, flatness, emit, emit);
  return count <= kMaxDotPoints ? count : 0;
}

// For coordinates below 2^16 and sizes of a subpixel or more, rounding
// moves a step count's target by under 2^-24 of itself; a target farther
// than this share from the fourth powers around it gives the same count
// anywhere.
constexpr double kStepsMargin = 1.0 / (1 << 20);

bool Whole(double v) {
  return v == double(std::int64_t(v));
}

// The outline for a known step count, so that its loops unroll: dots of a
// pixel or two take 2 steps.
template <int kSteps>
int FlattenSteps(double x, double y, double width, double height, double flatness,
                 SubpixelPoint* points) {
  // The axis points are the same sums as in FlattenEllipse, so exact.
  const double rx = width / 2, ry = height / 2;
  const double cx = x + rx, cy = y + ry;
  const int right = ToSubpixel(cx + rx), middleX = ToSubpixel(cx), left = ToSubpixel(cx - rx);
  const int middleY = ToSubpixel(cy), bottom = ToSubpixel(cy + ry), top = ToSubpixel(cy - ry);
  // Between them, cx ± rx u and cy ± ry u for the table's u serve all four
  // quarters.
  int plusX[kSteps], minusX[kSteps], plusY[kSteps], minusY[kSteps];
  bool sure = true;
  for (int i = 1; i < kSteps; ++i) {
    const double u = kStepTable[kSteps][i];
    sure &= SureSubpixel(cx + rx * u, &plusX[i]);
    sure &= SureSubpixel(cx - rx * u, &minusX[i]);
    sure &= SureSubpixel(cy + ry * u, &plusY[i]);
    sure &= SureSubpixel(cy - ry * u, &minusY[i]);
  }
  if (!sure) return FlattenExactly(x, y, width, height, flatness, points);
  SubpixelPoint* point = points;
  *point++ = SubpixelPoint{right, middleY};
  for (int i = 1; i < kSteps; ++i) *point++ = SubpixelPoint{plusX[i], plusY[kSteps - i]};
  *point++ = SubpixelPoint{middleX, bottom};
  for (int i = 1; i < kSteps; ++i) *point++ = SubpixelPoint{minusX[kSteps - i], plusY[i]};
  *point++ = SubpixelPoint{left, middleY};
  for (int i = 1; i < kSteps; ++i) *point++ = SubpixelPoint{minusX[i], minusY[kSteps - i]};
  *point++ = SubpixelPoint{middleX, top};
  for (int i = 1; i < kSteps; ++i) *point++ = SubpixelPoint{plusX[kSteps - i], minusY[i]};
  *point++ = SubpixelPoint{right, middleY};
  return int(point - points);
}

}  // namespace

int FlattenDot(double x, double y, double width, double height, double flatness,
               SubpixelPoint* points) {
  return FlattenDotSteps(x, y, width, height, flatness,
                         RasterPath::EllipseSteps(x, y, width, height, flatness), points);
}

namespace {

// ToSubpixel of a point's x and y at once, for values above -0.5, where
// its rounding is a truncation of the same sums; scaled receives them
// before the truncation, for SureSubpixel's test.
__m128i SubpixelPair(__m128d v, __m128d* scaled) {
  *scaled = _mm_add_pd(_mm_mul_pd(_mm_add_pd(v, _mm_set1_pd(0.5)), _mm_set1_pd(kSubpixelScale)),
                       _mm_set1_pd(0.5));
  return _mm_cvttpd_epi32(*scaled);
}

void StorePair(__m128i pair, int* x, int* y) {
  *x = _mm_cvtsi128_si32(pair);
  *y = _mm_cvtsi128_si32(_mm_srli_si128(pair, 4));
}

// SureSubpixel's test for both values of a pair.
__m128d SurePair(__m128d scaled, __m128i pair) {
  const __m128d fraction = _mm_sub_pd(scaled, _mm_cvtepi32_pd(pair));
  return _mm_and_pd(_mm_cmpgt_pd(fraction, _mm_set1_pd(kTieMargin)),
                    _mm_cmplt_pd(fraction, _mm_set1_pd(1 - kTieMargin)));
}

}  // namespace

bool DotAxesOf(double x, double y, double width, double height, int steps, DotAxes* axes) {
  if (steps != 1 && steps != 2) return false;
  // As FlattenSteps makes them, x and y side by side: dots come by the
  // thousand.
  const __m128d r = _mm_div_pd(_mm_set_pd(height, width), _mm_set1_pd(2));
  const __m128d c = _mm_add_pd(_mm_set_pd(y, x), r);
  __m128d scaled;
  axes->steps = steps;
  StorePair(SubpixelPair(_mm_sub_pd(c, r), &scaled), &axes->x[0], &axes->y[0]);
  StorePair(SubpixelPair(c, &scaled), &axes->x[2], &axes->y[2]);
  StorePair(SubpixelPair(_mm_add_pd(c, r), &scaled), &axes->x[4], &axes->y[4]);
  if (steps == 1) {
    axes->x[1] = axes->x[3] = axes->y[1] = axes->y[3] = 0;
    return true;
  }
  const __m128d ru = _mm_mul_pd(r, _mm_set1_pd(kStepTable[2][1]));
  __m128d scaledLow, scaledHigh;
  const __m128i low = SubpixelPair(_mm_sub_pd(c, ru), &scaledLow);
  const __m128i high = SubpixelPair(_mm_add_pd(c, ru), &scaledHigh);
  StorePair(low, &axes->x[1], &axes->y[1]);
  StorePair(high, &axes->x[3], &axes->y[3]);
  return _mm_movemask_pd(_mm_and_pd(SurePair(scaledLow, low), SurePair(scaledHigh, high))) == 3;
}

namespace {

// Writes the outline of the axis values, as FlattenDotSteps writes it, and
// returns its point count.
int AxesOutline(const DotAxes& axes, SubpixelPoint* points) {
  const int* const x = axes.x;
  const int* const y = axes.y;
  SubpixelPoint* point = points;
  *point++ = SubpixelPoint{x[4], y[2]};
  if (axes.steps == 2) *point++ = SubpixelPoint{x[3], y[3]};
  *point++ = SubpixelPoint{x[2], y[4]};
  if (axes.steps == 2) *point++ = SubpixelPoint{x[1], y[3]};
  *point++ = SubpixelPoint{x[0], y[2]};
  if (axes.steps == 2) *point++ = SubpixelPoint{x[1], y[1]};
  *point++ = SubpixelPoint{x[2], y[0]};
  if (axes.steps == 2) *point++ = SubpixelPoint{x[3], y[1]};
  *point++ = SubpixelPoint{x[4], y[2]};
  return int(point - points);
}

}  // namespace

int FlattenDotSteps(double x, double y, double width, double height, double flatness, int steps,
                    SubpixelPoint* points) {
  static_assert(kTableSteps == 4);
  DotAxes axes;
  switch (steps) {
    case 1:
    case 2:
      if (DotAxesOf(x, y, width, height, steps, &axes)) return AxesOutline(axes, points);
      return FlattenExactly(x, y, width, height, flatness, points);
    case 3:
      return FlattenSteps<3>(x, y, width, height, flatness, points);
    case 4:
      return FlattenSteps<4>(x, y, width, height, flatness, points);
    default:
      return FlattenExactly(x, y, width, height, flatness, points);
  }
}

int SureEllipseSteps(double width, double height, double flatness) {
  if (!(width >= 1.0 / kSubpixelScale && height >= 1.0 / kSubpixelScale)) return 0;
  const int steps = RasterPath::EllipseSteps(0, 0, width, height, flatness);
  const double target = RasterPath::EllipseStepsTarget(0, 0, width, height, flatness);
  const double reached = double(steps * steps) * double(steps * steps);
  const double below = double((steps - 1) * (steps - 1)) * double((steps - 1) * (steps - 1));
  if (reached < target * (1 + kStepsMargin) || (steps > 1 && below >= target * (1 - kStepsMargin)))
    return 0;
  return steps;
}

bool DotShiftable(double x, double y, double width, double height, double flatness) {
  if (!Whole(x) || !Whole(y) || !Whole(width * kSubpixelScale) || !Whole(height * kSubpixelScale)) {
    return false;
  }
  const int steps = SureEllipseSteps(width, height, flatness);
  if (steps == 0 || steps > kTableSteps) return false;
  // The points between the axis points, as FlattenSteps makes them.
  const double rx = width / 2, ry = height / 2;
  const double cx = x + rx, cy = y + ry;
  int subpixel = 0;
  for (int i = 1; i < steps; ++i) {
    const double u = kStepTable[steps][i];
    if (!SureSubpixel(cx + rx * u, &subpixel) || !SureSubpixel(cx - rx * u, &subpixel) ||
        !SureSubpixel(cy + ry * u, &subpixel) || !SureSubpixel(cy - ry * u, &subpixel)) {
      return false;
    }
  }
  return true;
}

}  // namespace Gdiplus
