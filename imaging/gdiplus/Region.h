// A region: a set of points built from rectangles and paths combined with
// set operations. It is kept as geometry, as GDI+ keeps it, and turned into
// device pixels (pixel (i, j) is in when point (i, j) is inside, never
// anti-aliased) on demand, under the identity or a given matrix.
#pragma once

#include <memory>

#include "GdiplusTypes.h"

struct pixman_region32;

namespace Gdiplus {

class Graphics;
class GraphicsPath;
class Matrix;
class RegionMask;
struct RegionNode;

class Region {
 public:
  // The infinite region.
  Region();
  explicit Region(const RectF& rect);
  explicit Region(const Rect& rect);
  // Keeps the path's fill mode.
  explicit Region(const GraphicsPath* path);
  Region(const Region& other);
  Region& operator=(const Region& other);
  Region(Region&& other) noexcept;
  Region& operator=(Region&& other) noexcept;
  ~Region();

  // A copy owned by the caller.
  Region* Clone() const;

  Status MakeInfinite();
  Status MakeEmpty();

  // this = this <mode> other; CombineModeReplace makes this a copy of other.
  Status Combine(const Region* region, CombineMode mode);
  Status Combine(const RectF& rect, CombineMode mode);
  Status Combine(const Rect& rect, CombineMode mode);
  Status Combine(const GraphicsPath* path, CombineMode mode);

  Status Intersect(const Region* region) { return Combine(region, CombineModeIntersect); }
  Status Intersect(const RectF& rect) { return Combine(rect, CombineModeIntersect); }
  Status Intersect(const Rect& rect) { return Combine(rect, CombineModeIntersect); }
  Status Intersect(const GraphicsPath* path) { return Combine(path, CombineModeIntersect); }
  Status Union(const Region* region) { return Combine(region, CombineModeUnion); }
  Status Union(const RectF& rect) { return Combine(rect, CombineModeUnion); }
  Status Union(const Rect& rect) { return Combine(rect, CombineModeUnion); }
  Status Union(const GraphicsPath* path) { return Combine(path, CombineModeUnion); }
  Status Xor(const Region* region) { return Combine(region, CombineModeXor); }
  Status Xor(const RectF& rect) { return Combine(rect, CombineModeXor); }
  Status Xor(const Rect& rect) { return Combine(rect, CombineModeXor); }
  Status Xor(const GraphicsPath* path) { return Combine(path, CombineModeXor); }
  Status Exclude(const Region* region) { return Combine(region, CombineModeExclude); }
  Status Exclude(const RectF& rect) { return Combine(rect, CombineModeExclude); }
  Status Exclude(const Rect& rect) { return Combine(rect, CombineModeExclude); }
  Status Exclude(const GraphicsPath* path) { return Combine(path, CombineModeExclude); }
  Status Complement(const Region* region) { return Combine(region, CombineModeComplement); }
  Status Complement(const RectF& rect) { return Combine(rect, CombineModeComplement); }
  Status Complement(const Rect& rect) { return Combine(rect, CombineModeComplement); }
  Status Complement(const GraphicsPath* path) { return Combine(path, CombineModeComplement); }

  Status Translate(REAL dx, REAL dy);
  Status Translate(INT dx, INT dy);
  Status Transform(const Matrix* matrix);

  // Bounds of the pixel set; the graphics argument is accepted for GDI+'s
  // signature and not needed.
  Status GetBounds(RectF* rect, const Graphics* g = nullptr) const;
  Status GetBounds(Rect* rect, const Graphics* g = nullptr) const;
  bool IsEmpty(const Graphics* g = nullptr) const;
  bool IsInfinite(const Graphics* g = nullptr) const;
  // A point counts as in when the pixel it rounds to (halves up) is in.
  bool IsVisible(const PointF& point, const Graphics* g = nullptr) const;
  bool IsVisible(REAL x, REAL y, const Graphics* g = nullptr) const;
  bool IsVisible(const Point& point, const Graphics* g = nullptr) const;
  bool IsVisible(INT x, INT y, const Graphics* g = nullptr) const;

  // Banded rectangles of the pixel set under matrix (null: identity), top to
  // bottom then left to right, rows with equal spans merged. rects may be
  // null to learn the count; otherwise it must hold GetRegionScansCount items.
  INT GetRegionScansCount(const Matrix* matrix) const;
  Status GetRegionScans(const Matrix* matrix, RectF* rects, INT* count) const;
  Status GetRegionScans(const Matrix* matrix, Rect* rects, INT* count) const;

  // Like GDI+, returns the status of the last failed call and clears it.
  Status GetLastStatus() const;

  // The device pixels at the identity, for clipping. Computed once per
  // change and kept; valid until the region changes. Empty (and
  // GetLastStatus OutOfMemory) when a part would take too long to scan, such
  // as millions of rows of sloped edges.
  const pixman_region32* GetPixmanRegion() const;
  // The device pixels under matrix (null: identity), e.g. the world transform.
  Status GetPixels(const Matrix* matrix, RegionMask* out) const;

 private:
  Status SetStatus(Status status) const;
  Status CombineNode(std::shared_ptr<const RegionNode> node, CombineMode mode);
  const RegionMask& Pixels() const;
  template <typename RectType>
  Status WriteScans(const Matrix* matrix, RectType* rects, INT* count) const;

  std::shared_ptr<const RegionNode> root_;
  mutable std::unique_ptr<RegionMask> pixels_;
  // OutOfMemory when the pixels were too costly to work out; they are then empty.
  mutable Status pixelsStatus_ = Ok;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
