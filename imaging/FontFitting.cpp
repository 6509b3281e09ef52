#include "FontFitting.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

// Beyond this a float no longer steps down by one point.
constexpr double kLargestStart = 16777216.0;

struct Trial {
  REAL emSize = 0;
  SizeF size;
  bool ends = true;
};

class SizeWalk {
 public:
  SizeWalk(const Graphics& g, const std::u16string& text, const WCHAR* familyName, INT fontStyle,
           REAL startSize, REAL width)
      : g_(g),
        text_(text),
        familyName_(familyName),
        fontStyle_(fontStyle),
        start_(std::min(double(startSize), kLargestStart)),
        width_(width) {}

  // The k-th size of the walk. Subtracting k at once gives the same float as
  // subtracting one k times, since every positive size on the way is exact.
  Trial Try(std::int64_t k) const {
    Trial trial;
    trial.emSize = REAL(start_ - double(k));
    Font tmpFont(familyName_, trial.emSize, fontStyle_, UnitPoint);
    RectF boundRect(0, 0, 0, 0);
    g_.MeasureString(text_.data(), INT(text_.size()), &tmpFont, PointF(0, 0), &boundRect);
    trial.size = SizeF(boundRect.Width, boundRect.Height);
    trial.ends = !(trial.emSize > 0) || trial.size.Width <= width_;
    return trial;
  }

  // The first k whose size is not positive; the walk ends there at the latest.
  std::int64_t Last() const { return start_ > 1.0 ? std::int64_t(std::ceil(start_)) : 1; }

 private:
  const Graphics& g_;
  const std::u16string& text_;
  const WCHAR* familyName_;
  INT fontStyle_;
  double start_;
  REAL width_;
};

}  // namespace

FittedFont FitFontToWidth(const Graphics& g, const std::u16string& text, const WCHAR* familyName,
                          INT fontStyle, REAL startSize, REAL width) {
  // A long text in a narrow picture would need a measurement for every point
  // of size. The measured width grows with the size, so whether the walk has
  // ended by step k is monotone in k: doubling k, then bisecting, finds the
  // same step with a few dozen measurements at most.
  const SizeWalk walk(g, text, familyName, fontStyle, startSize, width);
  Trial found = walk.Try(1);
  if (!found.ends) {
    const std::int64_t last = walk.Last();
    std::int64_t passed = 1, ended = std::min<std::int64_t>(2, last);
    for (;;) {
      Trial trial = walk.Try(ended);
      if (trial.ends || ended == last) {
        found = trial;
        break;
      }
      passed = ended;
      ended = std::min(2 * ended, last);
    }
    while (ended - passed > 1) {
      const std::int64_t middle = passed + (ended - passed) / 2;
      Trial trial = walk.Try(middle);
      if (trial.ends) {
        ended = middle;
        found = trial;
      } else {
        passed = middle;
      }
    }
  }
  FittedFont fitted;
  fitted.emSize = found.emSize;
  fitted.size = found.size;
  fitted.font = std::make_unique<Font>(familyName, found.emSize, fontStyle, UnitPoint);
  return fitted;
}

}  // namespace MirelGlyphward
