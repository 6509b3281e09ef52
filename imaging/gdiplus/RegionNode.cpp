#include "RegionNode.h"

#include <cmath>

#include "Flatten.h"
#include "PathGeometry.h"
#include "RegionScan.h"

namespace Gdiplus {
namespace {

// Deeper trees are frozen into pixels: evaluation recurses once per level.
constexpr int kMaxDepth = 64;

bool IsIntegerTranslation(const Matrix& m, int* dx, int* dy) {
  REAL e[6];
  m.GetElements(e);
  if (e[0] != 1 || e[1] != 0 || e[2] != 0 || e[3] != 1) return false;
  if (std::floor(e[4]) != e[4] || std::floor(e[5]) != e[5]) return false;
  if (std::abs(e[4]) > kInfiniteRegionSize || std::abs(e[5]) > kInfiniteRegionSize) return false;
  *dx = int(e[4]);
  *dy = int(e[5]);
  return true;
}

void ScanFigures(std::vector<PointF>& points, const std::vector<BYTE>& types, FillMode mode,
                 const Matrix* matrix, RegionMask* out) {
  if (matrix != nullptr && !matrix->IsIdentity()) {
    for (PointF& p : points) p = matrix->Apply(p);
    if (!AllFinite(points)) {
      // A transform that overflows leaves nothing that could be scanned.
      *out = RegionMask();
      return;
    }
  }
  std::vector<PointF> flat;
  std::vector<BYTE> flatTypes;
  FlattenPath(points, types, FlatnessDefault, &flat, &flatTypes);
  ScanConvert(flat, flatTypes, mode, out);
}

void EvaluatePixels(const RegionMask& pixels, const Matrix* matrix, RegionMask* out) {
  int dx = 0, dy = 0;
  if (matrix == nullptr || IsIntegerTranslation(*matrix, &dx, &dy)) {
    *out = pixels.Copy();
    if (dx != 0 || dy != 0) pixman_region32_translate(out->get(), dx, dy);
    return;
  }
  // Each pixel stands for the unit square centred on it.
  int count = 0;
  const pixman_box32_t* boxes =
      pixman_region32_rectangles(const_cast<pixman_region32_t*>(pixels.get()), &count);
  std::vector<PointF> points;
  std::vector<BYTE> types;
  points.reserve(std::size_t(count) * 4);
  types.reserve(std::size_t(count) * 4);
  for (int i = 0; i < count; ++i) {
    const REAL x1 = REAL(boxes[i].x1) - 0.5f, x2 = REAL(boxes[i].x2) - 0.5f;
    const REAL y1 = REAL(boxes[i].y1) - 0.5f, y2 = REAL(boxes[i].y2) - 0.5f;
    points.insert(points.end(), {PointF(x1, y1), PointF(x2, y1), PointF(x2, y2), PointF(x1, y2)});
    types.insert(types.end(), {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
                               BYTE(PathPointTypeLine | PathPointTypeCloseSubpath)});
  }
  ScanFigures(points, types, FillModeWinding, matrix, out);
}

void Combine(RegionMask* target, const RegionMask& other, CombineMode mode) {
  pixman_region32_t* a = target->get();
  auto* b = const_cast<pixman_region32_t*>(other.get());
  switch (mode) {
    case CombineModeIntersect:
      pixman_region32_intersect(a, a, b);
      break;
    case CombineModeUnion:
      pixman_region32_union(a, a, b);
      break;
    case CombineModeXor: {
      RegionMask both;
      pixman_region32_intersect(both.get(), a, b);
      pixman_region32_union(a, a, b);
      pixman_region32_subtract(a, a, both.get());
      break;
    }
    case CombineModeExclude:
      pixman_region32_subtract(a, a, b);
      break;
    case CombineModeComplement:
      pixman_region32_subtract(a, b, a);
      break;
    case CombineModeReplace:
    default:
      *target = other.Copy();
      break;
  }
}

}  // namespace

RegionMask InfinitePixels() {
  return RegionMask(kInfiniteRegionMin, kInfiniteRegionMin, kInfiniteRegionSize,
                    kInfiniteRegionSize);
}

std::shared_ptr<const RegionNode> RegionNode::MakeEmpty() {
  static const std::shared_ptr<const RegionNode> empty = [] {
    auto node = std::make_shared<RegionNode>();
    node->kind = Kind::Empty;
    return node;
  }();
  return empty;
}

std::shared_ptr<const RegionNode> RegionNode::MakeInfinite() {
  static const std::shared_ptr<const RegionNode> infinite = [] {
    auto node = std::make_shared<RegionNode>();
    node->kind = Kind::Infinite;
    return node;
  }();
  return infinite;
}

std::shared_ptr<const RegionNode> RegionNode::MakeRect(const RectF& rect) {
  // A rectangle without area, or with non-finite values, holds no pixel.
  if (!(rect.Width > 0) || !(rect.Height > 0) || !std::isfinite(rect.X) ||
      !std::isfinite(rect.Y) || !std::isfinite(rect.Width) || !std::isfinite(rect.Height)) {
    return MakeEmpty();
  }
  auto node = std::make_shared<RegionNode>();
  node->kind = Kind::Rectangle;
  node->rect = rect;
  return node;
}

std::shared_ptr<const RegionNode> RegionNode::MakePath(const GraphicsPath& path) {
  auto node = std::make_shared<RegionNode>();
  node->kind = Kind::Path;
  node->path.SetPoints(path.Points(), path.Types());
  node->path.SetFillMode(path.GetFillMode());
  return node;
}

std::shared_ptr<const RegionNode> RegionNode::MakeCombine(std::shared_ptr<const RegionNode> left,
                                                          std::shared_ptr<const RegionNode> right,
                                                          CombineMode mode) {
  const Kind l = left->kind, r = right->kind;
  switch (mode) {
    case CombineModeReplace:
      return right;
    case CombineModeIntersect:
      if (l == Kind::Empty || r == Kind::Infinite) return left;
      if (r == Kind::Empty || l == Kind::Infinite) return right;
      break;
    case CombineModeUnion:
      if (l == Kind::Infinite || r == Kind::Empty) return left;
      if (r == Kind::Infinite || l == Kind::Empty) return right;
      break;
    case CombineModeXor:
      if (r == Kind::Empty) return left;
      if (l == Kind::Empty) return right;
      break;
    case CombineModeExclude:
      if (l == Kind::Empty || r == Kind::Empty) return left;
      if (r == Kind::Infinite) return MakeEmpty();
      break;
    case CombineModeComplement:
      if (l == Kind::Empty || r == Kind::Empty) return right;
      if (l == Kind::Infinite) return MakeEmpty();
      break;
  }
  auto node = std::make_shared<RegionNode>();
  node->kind = Kind::Combine;
  node->mode = mode;
  node->depth = std::max(left->depth, right->depth) + 1;
  node->left = std::move(left);
  node->right = std::move(right);
  if (node->depth > kMaxDepth) {
    auto frozen = std::make_shared<RegionNode>();
    frozen->kind = Kind::Pixels;
    EvaluateRegion(*node, nullptr, &frozen->pixels);
    return frozen;
  }
  return node;
}

std::shared_ptr<const RegionNode> RegionNode::MakeTransformed(
    std::shared_ptr<const RegionNode> child, const Matrix& matrix) {
  if (child->kind == Kind::Empty || child->kind == Kind::Infinite) return child;
  auto node = std::make_shared<RegionNode>();
  node->kind = Kind::Transformed;
  node->matrix = matrix;
  if (child->kind == Kind::Transformed) {
    // Two transforms in a row are one: the inner applies first.
    node->matrix = child->matrix;
    node->matrix.Multiply(&matrix, MatrixOrderAppend);
    child = child->left;
  }
  node->depth = child->depth + 1;
  node->left = std::move(child);
  return node;
}

void EvaluateRegion(const RegionNode& node, const Matrix* matrix, RegionMask* out) {
  switch (node.kind) {
    case RegionNode::Kind::Empty:
      *out = RegionMask();
      return;
    case RegionNode::Kind::Infinite:
      *out = InfinitePixels();
      return;
    case RegionNode::Kind::Rectangle: {
      const RectF& r = node.rect;
      std::vector<PointF> points = {PointF(r.X, r.Y), PointF(r.X + r.Width, r.Y),
                                    PointF(r.X + r.Width, r.Y + r.Height),
                                    PointF(r.X, r.Y + r.Height)};
      const std::vector<BYTE> types = {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
                                       BYTE(PathPointTypeLine | PathPointTypeCloseSubpath)};
      ScanFigures(points, types, FillModeAlternate, matrix, out);
      return;
    }
    case RegionNode::Kind::Path: {
      std::vector<PointF> points = node.path.Points();
      ScanFigures(points, node.path.Types(), node.path.GetFillMode(), matrix, out);
      return;
    }
    case RegionNode::Kind::Combine: {
      RegionMask right;
      EvaluateRegion(*node.left, matrix, out);
      EvaluateRegion(*node.right, matrix, &right);
      Combine(out, right, node.mode);
      return;
    }
    case RegionNode::Kind::Transformed: {
      Matrix combined = node.matrix;
      if (matrix != nullptr) combined.Multiply(matrix, MatrixOrderAppend);
      EvaluateRegion(*node.left, &combined, out);
      return;
    }
    case RegionNode::Kind::Pixels:
      EvaluatePixels(node.pixels, matrix, out);
      return;
  }
}

}  // namespace Gdiplus
