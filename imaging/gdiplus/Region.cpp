#include "Region.h"

#include <cmath>

#include "GraphicsPath.h"
#include "Matrix.h"
#include "RegionMask.h"
#include "RegionNode.h"
#include "RegionScan.h"

namespace Gdiplus {
namespace {

bool IsInfinitePixels(const pixman_region32_t* region) {
  auto* r = const_cast<pixman_region32_t*>(region);
  if (pixman_region32_n_rects(r) != 1) return false;
  const pixman_box32_t* e = pixman_region32_extents(r);
  return e->x1 == kInfiniteRegionMin && e->y1 == kInfiniteRegionMin &&
         e->x2 == kInfiniteRegionMin + kInfiniteRegionSize &&
         e->y2 == kInfiniteRegionMin + kInfiniteRegionSize;
}

RectF ToRectF(const Rect& r) {
  return RectF(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height));
}

}  // namespace

Region::Region() : root_(RegionNode::MakeInfinite()) {}

Region::Region(const RectF& rect) : root_(RegionNode::MakeRect(rect)) {}

Region::Region(const Rect& rect) : root_(RegionNode::MakeRect(ToRectF(rect))) {}

Region::Region(const GraphicsPath* path) {
  if (path == nullptr) {
    root_ = RegionNode::MakeEmpty();
    SetStatus(InvalidParameter);
    return;
  }
  root_ = RegionNode::MakePath(*path);
}

Region::Region(const Region& other) : root_(other.root_) {}

Region& Region::operator=(const Region& other) {
  if (this != &other) {
    root_ = other.root_;
    pixels_.reset();
  }
  return *this;
}

Region::Region(Region&& other) noexcept
    : root_(other.root_),
      pixels_(std::move(other.pixels_)),
      pixelsStatus_(other.pixelsStatus_),
      lastResult_(other.lastResult_) {}

Region& Region::operator=(Region&& other) noexcept {
  if (this != &other) {
    root_ = other.root_;
    pixels_ = std::move(other.pixels_);
    pixelsStatus_ = other.pixelsStatus_;
    lastResult_ = other.lastResult_;
  }
  return *this;
}

Region::~Region() = default;

Region* Region::Clone() const {
  return new Region(*this);
}

Status Region::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status Region::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status Region::MakeInfinite() {
  root_ = RegionNode::MakeInfinite();
  pixels_.reset();
  return Ok;
}

Status Region::MakeEmpty() {
  root_ = RegionNode::MakeEmpty();
  pixels_.reset();
  return Ok;
}

Status Region::CombineNode(std::shared_ptr<const RegionNode> node, CombineMode mode) {
  if (mode < CombineModeReplace || mode > CombineModeComplement) {
    return SetStatus(InvalidParameter);
  }
  root_ = RegionNode::MakeCombine(root_, std::move(node), mode);
  pixels_.reset();
  return Ok;
}

Status Region::Combine(const Region* region, CombineMode mode) {
  if (region == nullptr) return SetStatus(InvalidParameter);
  return CombineNode(region->root_, mode);
}

Status Region::Combine(const RectF& rect, CombineMode mode) {
  return CombineNode(RegionNode::MakeRect(rect), mode);
}

Status Region::Combine(const Rect& rect, CombineMode mode) {
  return CombineNode(RegionNode::MakeRect(ToRectF(rect)), mode);
}

Status Region::Combine(const GraphicsPath* path, CombineMode mode) {
  if (path == nullptr) return SetStatus(InvalidParameter);
  return CombineNode(RegionNode::MakePath(*path), mode);
}

Status Region::Translate(REAL dx, REAL dy) {
  if (!std::isfinite(dx) || !std::isfinite(dy)) return SetStatus(InvalidParameter);
  if (dx == 0 && dy == 0) return Ok;
  const Matrix shift(1, 0, 0, 1, dx, dy);
  root_ = RegionNode::MakeTransformed(root_, shift);
  pixels_.reset();
  return Ok;
}

Status Region::Translate(INT dx, INT dy) {
  return Translate(REAL(dx), REAL(dy));
}

Status Region::Transform(const Matrix* matrix) {
  if (matrix == nullptr) return SetStatus(InvalidParameter);
  if (matrix->IsIdentity()) return Ok;
  root_ = RegionNode::MakeTransformed(root_, *matrix);
  pixels_.reset();
  return Ok;
}

const RegionMask& Region::Pixels() const {
  if (!pixels_) {
    auto pixels = std::make_unique<RegionMask>();
    pixelsStatus_ = EvaluateRegion(*root_, nullptr, pixels.get());
    SetStatus(pixelsStatus_);
    pixels_ = std::move(pixels);
  }
  return *pixels_;
}

const pixman_region32* Region::GetPixmanRegion() const {
  return Pixels().get();
}

Status Region::GetPixels(const Matrix* matrix, RegionMask* out) const {
  if (out == nullptr) return SetStatus(InvalidParameter);
  if (matrix == nullptr || matrix->IsIdentity()) {
    *out = Pixels().Copy();
    return pixelsStatus_;
  }
  return SetStatus(EvaluateRegion(*root_, matrix, out));
}

Status Region::GetBounds(Rect* rect, const Graphics*) const {
  if (rect == nullptr) return SetStatus(InvalidParameter);
  auto* region = const_cast<pixman_region32_t*>(Pixels().get());
  if (pixelsStatus_ != Ok) return pixelsStatus_;
  if (!pixman_region32_not_empty(region)) {
    *rect = Rect();
    return Ok;
  }
  const pixman_box32_t* e = pixman_region32_extents(region);
  *rect = Rect(e->x1, e->y1, e->x2 - e->x1, e->y2 - e->y1);
  return Ok;
}

Status Region::GetBounds(RectF* rect, const Graphics* g) const {
  if (rect == nullptr) return SetStatus(InvalidParameter);
  Rect bounds;
  const Status status = GetBounds(&bounds, g);
  if (status != Ok) return status;
  *rect = ToRectF(bounds);
  return Ok;
}

bool Region::IsEmpty(const Graphics*) const {
  if (root_->kind == RegionNode::Kind::Empty) return true;
  return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(Pixels().get()));
}

bool Region::IsInfinite(const Graphics*) const {
  if (root_->kind == RegionNode::Kind::Infinite) return true;
  return IsInfinitePixels(Pixels().get());
}

bool Region::IsVisible(const PointF& point, const Graphics* g) const {
  if (!std::isfinite(point.X) || !std::isfinite(point.Y)) return false;
  // The pixel the point rounds to, halves rounding up.
  const double x = std::floor(double(point.X) + 0.5), y = std::floor(double(point.Y) + 0.5);
  const double low = kInfiniteRegionMin, high = double(kInfiniteRegionMin) + kInfiniteRegionSize;
  if (x < low || x >= high || y < low || y >= high) return false;
  return IsVisible(INT(x), INT(y), g);
}

bool Region::IsVisible(REAL x, REAL y, const Graphics* g) const {
  return IsVisible(PointF(x, y), g);
}

bool Region::IsVisible(const Point& point, const Graphics* g) const {
  return IsVisible(point.X, point.Y, g);
}

bool Region::IsVisible(INT x, INT y, const Graphics*) const {
  return pixman_region32_contains_point(const_cast<pixman_region32_t*>(Pixels().get()), x, y,
                                        nullptr) != 0;
}

INT Region::GetRegionScansCount(const Matrix* matrix) const {
  INT count = 0;
  GetRegionScans(matrix, static_cast<Rect*>(nullptr), &count);
  return count;
}

template <typename RectType>
Status Region::WriteScans(const Matrix* matrix, RectType* rects, INT* count) const {
  if (count == nullptr) return SetStatus(InvalidParameter);
  RegionMask transformed;
  const RegionMask* pixels = &Pixels();
  Status status = pixelsStatus_;
  if (matrix != nullptr && !matrix->IsIdentity()) {
    status = SetStatus(EvaluateRegion(*root_, matrix, &transformed));
    pixels = &transformed;
  }
  if (status != Ok) {
    *count = 0;
    return status;
  }
  int n = 0;
  const pixman_box32_t* boxes =
      pixman_region32_rectangles(const_cast<pixman_region32_t*>(pixels->get()), &n);
  // The caller's count is ignored, as GDI+ ignores it: the buffer must hold
  // every rectangle.
  *count = n;
  if (rects != nullptr) {
    for (int i = 0; i < n; ++i) {
      using Value = decltype(rects[i].X);
      rects[i] = RectType(Value(boxes[i].x1), Value(boxes[i].y1), Value(boxes[i].x2 - boxes[i].x1),
                          Value(boxes[i].y2 - boxes[i].y1));
    }
  }
  return Ok;
}

Status Region::GetRegionScans(const Matrix* matrix, Rect* rects, INT* count) const {
  return WriteScans(matrix, rects, count);
}

Status Region::GetRegionScans(const Matrix* matrix, RectF* rects, INT* count) const {
  return WriteScans(matrix, rects, count);
}

}  // namespace Gdiplus
