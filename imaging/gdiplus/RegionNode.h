// The geometry behind a Region: an immutable tree of rectangles, paths,
// set operations and transforms, shared between copies. Evaluating it under
// a matrix gives device pixels. Trees may grow arbitrarily deep through
// repeated combining, so neither evaluation nor destruction recurses.
#pragma once

#include <memory>

#include "GdiplusTypes.h"
#include "GraphicsPath.h"
#include "Matrix.h"
#include "RegionMask.h"

namespace Gdiplus {

struct RegionNode {
  enum class Kind { Empty, Infinite, Rectangle, Path, Combine, Transformed };

  RegionNode() = default;
  RegionNode(const RegionNode&) = delete;
  RegionNode& operator=(const RegionNode&) = delete;
  ~RegionNode();

  Kind kind = Kind::Empty;
  RectF rect;
  GraphicsPath path;
  CombineMode mode = CombineModeReplace;
  std::shared_ptr<const RegionNode> left, right;
  Matrix matrix;

  static std::shared_ptr<const RegionNode> MakeEmpty();
  static std::shared_ptr<const RegionNode> MakeInfinite();
  static std::shared_ptr<const RegionNode> MakeRect(const RectF& rect);
  static std::shared_ptr<const RegionNode> MakePath(const GraphicsPath& path);
  // Simplifies combinations with empty and infinite operands.
  static std::shared_ptr<const RegionNode> MakeCombine(std::shared_ptr<const RegionNode> left,
                                                       std::shared_ptr<const RegionNode> right,
                                                       CombineMode mode);
  static std::shared_ptr<const RegionNode> MakeTransformed(std::shared_ptr<const RegionNode> child,
                                                           const Matrix& matrix);
};

// The pixels of the tree with matrix applied to its geometry (null: identity).
// OutOfMemory, with out empty, when a part is too costly to scan.
Status EvaluateRegion(const RegionNode& node, const Matrix* matrix, RegionMask* out);

// The pixel set of GDI+'s infinite region.
RegionMask InfinitePixels();

}  // namespace Gdiplus
