#include "RasterClip.h"

#include <algorithm>

namespace Gdiplus {

void RasterClip::Reset(INT width, INT height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  full_ = true;
  bounds_ = Rect(0, 0, width_, height_);
  rowStart_.clear();
  runs_.clear();
}

void RasterClip::SetRects(INT width, INT height, const Rect* rects, std::size_t count) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  full_ = false;

  // Cut every rectangle to the device; 64-bit sums avoid overflow at the
  // edges of INT.
  auto clampX = [&](std::int64_t v) { return INT(std::clamp<std::int64_t>(v, 0, width_)); };
  auto clampY = [&](std::int64_t v) { return INT(std::clamp<std::int64_t>(v, 0, height_)); };
  auto forEachCut = [&](auto&& visit) {
    for (std::size_t i = 0; i < count; ++i) {
      const Rect& r = rects[i];
      const INT left = clampX(r.X), right = clampX(std::int64_t(r.X) + r.Width);
      const INT top = clampY(r.Y), bottom = clampY(std::int64_t(r.Y) + r.Height);
      if (left < right && top < bottom) visit(left, top, right, bottom);
    }
  };

  // Bucket the runs by row: count, then place.
  rowStart_.assign(std::size_t(height_) + 1, 0);
  forEachCut([&](INT, INT top, INT, INT bottom) {
    for (INT y = top; y < bottom; ++y) ++rowStart_[y + 1];
  });
  for (INT y = 0; y < height_; ++y) rowStart_[y + 1] += rowStart_[y];
  scratch_.resize(rowStart_[height_]);
  fill_.assign(rowStart_.begin(), rowStart_.end() - 1);
  forEachCut([&](INT left, INT top, INT right, INT bottom) {
    for (INT y = top; y < bottom; ++y) scratch_[fill_[y]++] = {left, right};
  });

  // Sort each row and merge touching or overlapping runs, so that a row is
  // a sorted list of disjoint runs.
  runs_.clear();
  std::uint32_t begin = 0;
  for (INT y = 0; y < height_; ++y) {
    const std::uint32_t end = rowStart_[y + 1];
    std::sort(scratch_.begin() + begin, scratch_.begin() + end,
              [](const RasterRun& a, const RasterRun& b) { return a.left < b.left; });
    const auto rowFirst = std::uint32_t(runs_.size());
    for (std::uint32_t i = begin; i < end; ++i) {
      const RasterRun& run = scratch_[i];
      if (runs_.size() > rowFirst && runs_.back().right >= run.left) {
        runs_.back().right = std::max(runs_.back().right, run.right);
      } else {
        runs_.push_back(run);
      }
    }
    rowStart_[y] = rowFirst;
    begin = end;
  }
  rowStart_[height_] = std::uint32_t(runs_.size());
  UpdateBounds();
}

void RasterClip::AssignIntersection(const RasterClip& source, const Rect& rect) {
  width_ = source.width_;
  height_ = source.height_;
  full_ = false;
  rowStart_.assign(std::size_t(height_) + 1, 0);
  runs_.clear();
  const std::int64_t right = std::int64_t(rect.X) + rect.Width;
  const std::int64_t bottom = std::int64_t(rect.Y) + rect.Height;
  const INT left = INT(std::clamp<std::int64_t>(rect.X, 0, width_));
  const INT clampedRight = INT(std::clamp<std::int64_t>(right, 0, width_));
  for (INT y = 0; y < height_; ++y) {
    rowStart_[y] = std::uint32_t(runs_.size());
    if (y < rect.Y || y >= bottom) continue;
    source.ForEachRun(y, left, clampedRight, [&](INT from, INT to) {
      runs_.push_back({from, to});
    });
  }
  rowStart_[height_] = std::uint32_t(runs_.size());
  UpdateBounds();
}

void RasterClip::UpdateBounds() {
  INT left = width_, right = 0, top = height_, bottom = 0;
  for (INT y = 0; y < height_; ++y) {
    if (rowStart_[y] == rowStart_[y + 1]) continue;
    top = std::min(top, y);
    bottom = y + 1;
    left = std::min(left, runs_[rowStart_[y]].left);
    right = std::max(right, runs_[rowStart_[y + 1] - 1].right);
  }
  bounds_ = left < right && top < bottom ? Rect(left, top, right - left, bottom - top) : Rect();
}

bool RasterClip::Touches(INT left, INT top, INT right, INT bottom) const {
  left = std::max(left, bounds_.X);
  right = std::min(right, bounds_.X + bounds_.Width);
  top = std::max(top, bounds_.Y);
  bottom = std::min(bottom, bounds_.Y + bounds_.Height);
  if (left >= right || top >= bottom) return false;
  if (full_) return true;
  for (INT y = top; y < bottom; ++y) {
    // The first run of the row that ends right of left decides. Rows hold
    // a few runs, and shapes by the thousand ask: a plain scan is quicker
    // than a binary search.
    const RasterRun* run = runs_.data() + rowStart_[y];
    const RasterRun* last = runs_.data() + rowStart_[y + 1];
    if (last - run > 16) {
      run =
          std::upper_bound(run, last, left, [](INT x, const RasterRun& r) { return x < r.right; });
    } else {
      while (run != last && run->right <= left) ++run;
    }
    if (run != last && run->left < right) return true;
  }
  return false;
}

}  // namespace Gdiplus
