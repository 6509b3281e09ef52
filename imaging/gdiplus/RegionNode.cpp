#include "RegionNode.h"

#include <cmath>
#include <vector>

#include "Flatten.h"
#include "PathGeometry.h"
#include "RegionScan.h"

namespace Gdiplus {
namespace {

bool ScanFigures(std::vector<PointF>& points, const std::vector<BYTE>& types, FillMode mode,
                 const Matrix* matrix, RegionMask* out) {
  if (matrix != nullptr && !matrix->IsIdentity()) {
    for (PointF& p : points) p = matrix->Apply(p);
    if (!AllFinite(points)) {
      // A transform that overflows leaves nothing that could be scanned.
      *out = RegionMask();
      return true;
    }
  }
  std::vector<PointF> flat;
  std::vector<BYTE> flatTypes;
  FlattenPath(points, types, FlatnessDefault, &flat, &flatTypes);
  return ScanConvert(flat, flatTypes, mode, out);
}

bool EvaluateLeaf(const RegionNode& node, const Matrix* matrix, RegionMask* out) {
  switch (node.kind) {
    case RegionNode::Kind::Infinite:
      *out = InfinitePixels();
      return true;
    case RegionNode::Kind::Rectangle: {
      const RectF& r = node.rect;
      std::vector<PointF> points = {PointF(r.X, r.Y), PointF(r.X + r.Width, r.Y),
                                    PointF(r.X + r.Width, r.Y + r.Height),
                                    PointF(r.X, r.Y + r.Height)};
      const std::vector<BYTE> types = {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
                                       BYTE(PathPointTypeLine | PathPointTypeCloseSubpath)};
      return ScanFigures(points, types, FillModeAlternate, matrix, out);
    }
    case RegionNode::Kind::Path: {
      std::vector<PointF> points = node.path.Points();
      return ScanFigures(points, node.path.Types(), node.path.GetFillMode(), matrix, out);
    }
    default:
      *out = RegionMask();
      return true;
  }
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

RegionNode::~RegionNode() {
  // Children whose last owner is this node are taken apart here, one level at
  // a time, instead of by a chain of nested destructors.
  std::vector<std::shared_ptr<const RegionNode>> pending;
  pending.push_back(std::move(left));
  pending.push_back(std::move(right));
  while (!pending.empty()) {
    std::shared_ptr<const RegionNode> node = std::move(pending.back());
    pending.pop_back();
    if (node && node.use_count() == 1) {
      auto* owned = const_cast<RegionNode*>(node.get());
      pending.push_back(std::move(owned->left));
      pending.push_back(std::move(owned->right));
    }
  }
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
  if (!(rect.Width > 0) || !(rect.Height > 0) || !std::isfinite(rect.X) || !std::isfinite(rect.Y) ||
      !std::isfinite(rect.Width) || !std::isfinite(rect.Height)) {
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
  node->left = std::move(left);
  node->right = std::move(right);
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
  node->left = std::move(child);
  return node;
}

Status EvaluateRegion(const RegionNode& root, const Matrix* matrix, RegionMask* out) {
  // Post-order walk with explicit stacks: a frame per node still to finish,
  // a result per finished subtree.
  struct Frame {
    const RegionNode* node;
    Matrix matrix;
    bool transformed;
    bool childrenPushed;
  };
  std::vector<Frame> frames;
  std::vector<RegionMask> results;
  Frame first{&root, Matrix(), matrix != nullptr && !matrix->IsIdentity(), false};
  if (first.transformed) first.matrix = *matrix;
  frames.push_back(first);
  while (!frames.empty()) {
    const Frame frame = frames.back();
    const RegionNode& node = *frame.node;
    if (node.kind == RegionNode::Kind::Transformed) {
      // The node's own transform applies before the outer ones.
      Matrix combined = node.matrix;
      if (frame.transformed) combined.Multiply(&frame.matrix, MatrixOrderAppend);
      frames.back() = Frame{node.left.get(), combined, true, false};
      continue;
    }
    if (node.kind != RegionNode::Kind::Combine) {
      frames.pop_back();
      results.emplace_back();
      if (!EvaluateLeaf(node, frame.transformed ? &frame.matrix : nullptr, &results.back())) {
        *out = RegionMask();
        return OutOfMemory;
      }
      continue;
    }
    if (!frame.childrenPushed) {
      frames.back().childrenPushed = true;
      frames.push_back(Frame{node.right.get(), frame.matrix, frame.transformed, false});
      frames.push_back(Frame{node.left.get(), frame.matrix, frame.transformed, false});
      continue;
    }
    frames.pop_back();
    RegionMask right = std::move(results.back());
    results.pop_back();
    Combine(&results.back(), right, node.mode);
  }
  *out = std::move(results.back());
  return Ok;
}

}  // namespace Gdiplus
