#include "GraphicsPath.h"

#include <cmath>
#include <numbers>

#include "Flatten.h"
#include "Matrix.h"
#include "PathGeometry.h"
#include "Pen.h"

namespace Gdiplus {
namespace {

bool FiniteRect(const RectF& r) {
  return std::isfinite(r.X) && std::isfinite(r.Y) && std::isfinite(r.Width) &&
         std::isfinite(r.Height);
}

bool AllFinite(const PointF* points, INT count) {
  for (INT i = 0; i < count; ++i) {
    if (!IsFinitePoint(points[i])) return false;
  }
  return true;
}

}  // namespace

GraphicsPath::GraphicsPath(FillMode fillMode) {
  if (fillMode != FillModeAlternate && fillMode != FillModeWinding) {
    SetStatus(InvalidParameter);
    return;
  }
  fillMode_ = fillMode;
}

GraphicsPath::GraphicsPath(const PointF* points, const BYTE* types, INT count, FillMode fillMode)
    : GraphicsPath(fillMode) {
  if (count < 0 || (count > 0 && (points == nullptr || types == nullptr)) ||
      !AllFinite(points, count)) {
    SetStatus(InvalidParameter);
    return;
  }
  points_.assign(points, points + count);
  types_.assign(types, types + count);
  startNewFigure_ = count == 0 || IsClosing(types_.back());
}

GraphicsPath* GraphicsPath::Clone() const {
  auto* copy = new GraphicsPath(*this);
  copy->lastResult_ = Ok;
  return copy;
}

Status GraphicsPath::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status GraphicsPath::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status GraphicsPath::Reset() {
  points_.clear();
  types_.clear();
  fillMode_ = FillModeAlternate;
  startNewFigure_ = true;
  return Ok;
}

Status GraphicsPath::SetFillMode(FillMode fillMode) {
  if (fillMode != FillModeAlternate && fillMode != FillModeWinding) {
    return SetStatus(InvalidParameter);
  }
  fillMode_ = fillMode;
  return Ok;
}

Status GraphicsPath::SetPoints(std::vector<PointF> points, std::vector<BYTE> types) {
  if (points.size() != types.size() || !Gdiplus::AllFinite(points)) {
    return SetStatus(InvalidParameter);
  }
  points_ = std::move(points);
  types_ = std::move(types);
  startNewFigure_ = types_.empty() || IsClosing(types_.back());
  return Ok;
}

Status GraphicsPath::StartFigure() {
  startNewFigure_ = true;
  return Ok;
}

Status GraphicsPath::CloseFigure() {
  if (!types_.empty()) types_.back() |= PathPointTypeCloseSubpath;
  startNewFigure_ = true;
  return Ok;
}

Status GraphicsPath::CloseAllFigures() {
  for (std::size_t i = 1; i < types_.size(); ++i) {
    if (BaseType(types_[i]) == PathPointTypeStart) types_[i - 1] |= PathPointTypeCloseSubpath;
  }
  return CloseFigure();
}

Status GraphicsPath::SetMarker() {
  if (!types_.empty()) types_.back() |= PathPointTypePathMarker;
  return Ok;
}

Status GraphicsPath::ClearMarkers() {
  for (BYTE& type : types_) type &= BYTE(~PathPointTypePathMarker);
  return Ok;
}

void GraphicsPath::AppendFirst(const PointF& point) {
  Append(point, startNewFigure_ ? PathPointTypeStart : PathPointTypeLine);
  startNewFigure_ = false;
}

void GraphicsPath::Append(const PointF& point, BYTE type) {
  points_.push_back(point);
  types_.push_back(type);
}

Status GraphicsPath::AddLine(const PointF& pt1, const PointF& pt2) {
  const PointF line[2] = {pt1, pt2};
  return AddLines(line, 2);
}

Status GraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2) {
  return AddLine(PointF(x1, y1), PointF(x2, y2));
}

Status GraphicsPath::AddLines(const PointF* points, INT count) {
  if (points == nullptr || count < 1 || !AllFinite(points, count)) {
    return SetStatus(InvalidParameter);
  }
  AppendFirst(points[0]);
  for (INT i = 1; i < count; ++i) Append(points[i], PathPointTypeLine);
  return Ok;
}

Status GraphicsPath::AddBezier(const PointF& pt1, const PointF& pt2, const PointF& pt3,
                               const PointF& pt4) {
  const PointF curve[4] = {pt1, pt2, pt3, pt4};
  return AddBeziers(curve, 4);
}

Status GraphicsPath::AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                               REAL y4) {
  return AddBezier(PointF(x1, y1), PointF(x2, y2), PointF(x3, y3), PointF(x4, y4));
}

Status GraphicsPath::AddBeziers(const PointF* points, INT count) {
  if (points == nullptr || count < 4 || (count - 1) % 3 != 0 || !AllFinite(points, count)) {
    return SetStatus(InvalidParameter);
  }
  AppendFirst(points[0]);
  for (INT i = 1; i < count; ++i) Append(points[i], PathPointTypeBezier);
  return Ok;
}

Status GraphicsPath::AddRectangle(const RectF& rect) {
  if (!FiniteRect(rect)) return SetStatus(InvalidParameter);
  Append(PointF(rect.X, rect.Y), PathPointTypeStart);
  Append(PointF(rect.X + rect.Width, rect.Y), PathPointTypeLine);
  Append(PointF(rect.X + rect.Width, rect.Y + rect.Height), PathPointTypeLine);
  Append(PointF(rect.X, rect.Y + rect.Height), PathPointTypeLine | PathPointTypeCloseSubpath);
  startNewFigure_ = true;
  return Ok;
}

Status GraphicsPath::AddRectangle(const Rect& rect) {
  return AddRectangle(RectF(REAL(rect.X), REAL(rect.Y), REAL(rect.Width), REAL(rect.Height)));
}

Status GraphicsPath::AddRectangles(const RectF* rects, INT count) {
  if (rects == nullptr || count < 1) return SetStatus(InvalidParameter);
  for (INT i = 0; i < count; ++i) {
    if (!FiniteRect(rects[i])) return SetStatus(InvalidParameter);
  }
  for (INT i = 0; i < count; ++i) AddRectangle(rects[i]);
  return Ok;
}

Status GraphicsPath::AddEllipse(const RectF& rect) {
  if (!FiniteRect(rect)) return SetStatus(InvalidParameter);
  // Four quarter arcs from the rightmost point, turning towards +y, each a
  // cubic whose handles are 4/3·tan(π/8) of the radius long.
  const double kappa = 4.0 / 3.0 * std::tan(std::numbers::pi / 8.0);
  const double rx = rect.Width / 2.0, ry = rect.Height / 2.0;
  const double cx = rect.X + rx, cy = rect.Y + ry;
  static constexpr int kCos[5] = {1, 0, -1, 0, 1};
  static constexpr int kSin[5] = {0, 1, 0, -1, 0};
  Append(PointF(REAL(cx + rx), REAL(cy)), PathPointTypeStart);
  for (int q = 0; q < 4; ++q) {
    const double x0 = cx + rx * kCos[q], y0 = cy + ry * kSin[q];
    const double x1 = cx + rx * kCos[q + 1], y1 = cy + ry * kSin[q + 1];
    // Tangents at angle a are (-rx·sin a, ry·cos a).
    Append(PointF(REAL(x0 - kappa * rx * kSin[q]), REAL(y0 + kappa * ry * kCos[q])),
           PathPointTypeBezier);
    Append(PointF(REAL(x1 + kappa * rx * kSin[q + 1]), REAL(y1 - kappa * ry * kCos[q + 1])),
           PathPointTypeBezier);
    Append(PointF(REAL(x1), REAL(y1)), PathPointTypeBezier);
  }
  types_.back() |= PathPointTypeCloseSubpath;
  startNewFigure_ = true;
  return Ok;
}

Status GraphicsPath::AddEllipse(REAL x, REAL y, REAL width, REAL height) {
  return AddEllipse(RectF(x, y, width, height));
}

Status GraphicsPath::AddEllipse(const Rect& rect) {
  return AddEllipse(RectF(REAL(rect.X), REAL(rect.Y), REAL(rect.Width), REAL(rect.Height)));
}

Status GraphicsPath::AddEllipse(INT x, INT y, INT width, INT height) {
  return AddEllipse(RectF(REAL(x), REAL(y), REAL(width), REAL(height)));
}

Status GraphicsPath::AddPolygon(const PointF* points, INT count) {
  if (points == nullptr || count < 3 || !AllFinite(points, count)) {
    return SetStatus(InvalidParameter);
  }
  Append(points[0], PathPointTypeStart);
  for (INT i = 1; i < count; ++i) Append(points[i], PathPointTypeLine);
  types_.back() |= PathPointTypeCloseSubpath;
  startNewFigure_ = true;
  return Ok;
}

Status GraphicsPath::AddPath(const GraphicsPath* path, bool connect) {
  if (path == nullptr) return SetStatus(InvalidParameter);
  if (path->points_.empty()) return Ok;
  // Copies first: the path may be this one.
  const std::vector<PointF> points = path->points_;
  const std::vector<BYTE> types = path->types_;
  const std::size_t first = points_.size();
  const bool join = connect && !startNewFigure_ && !types_.empty() && !IsClosing(types_.back());
  points_.insert(points_.end(), points.begin(), points.end());
  types_.insert(types_.end(), types.begin(), types.end());
  if (join && BaseType(types_[first]) == PathPointTypeStart) {
    types_[first] = BYTE((types_[first] & ~PathPointTypePathTypeMask) | PathPointTypeLine);
  }
  startNewFigure_ = IsClosing(types_.back());
  return Ok;
}

Status GraphicsPath::GetPathPoints(PointF* points, INT count) const {
  if (points == nullptr || count <= 0) return SetStatus(InvalidParameter);
  if (count < GetPointCount()) return SetStatus(InsufficientBuffer);
  for (std::size_t i = 0; i < points_.size(); ++i) points[i] = points_[i];
  return Ok;
}

Status GraphicsPath::GetPathTypes(BYTE* types, INT count) const {
  if (types == nullptr || count <= 0) return SetStatus(InvalidParameter);
  if (count < GetPointCount()) return SetStatus(InsufficientBuffer);
  for (std::size_t i = 0; i < types_.size(); ++i) types[i] = types_[i];
  return Ok;
}

Status GraphicsPath::GetLastPoint(PointF* lastPoint) const {
  if (lastPoint == nullptr) return SetStatus(InvalidParameter);
  if (points_.empty()) return SetStatus(InvalidParameter);
  *lastPoint = points_.back();
  return Ok;
}

Status GraphicsPath::GetBounds(RectF* bounds, const Matrix* matrix, const Pen* pen) const {
  if (bounds == nullptr) return SetStatus(InvalidParameter);
  if (pen != nullptr) {
    GraphicsPath widened(*this);
    const Status status = widened.Widen(pen, matrix);
    if (status != Ok) return SetStatus(status);
    *bounds = BoundsOf(widened.points_.data(), widened.points_.size());
    return Ok;
  }
  if (matrix == nullptr || matrix->IsIdentity()) {
    *bounds = BoundsOf(points_.data(), points_.size());
    return Ok;
  }
  std::vector<PointF> moved(points_);
  for (PointF& p : moved) p = matrix->Apply(p);
  if (!Gdiplus::AllFinite(moved)) return SetStatus(ValueOverflow);
  *bounds = BoundsOf(moved.data(), moved.size());
  return Ok;
}

Status GraphicsPath::GetBounds(Rect* bounds, const Matrix* matrix, const Pen* pen) const {
  if (bounds == nullptr) return SetStatus(InvalidParameter);
  RectF box;
  const Status status = GetBounds(&box, matrix, pen);
  if (status != Ok) return status;
  // The smallest integer rectangle holding the box.
  const double left = std::floor(box.X), top = std::floor(box.Y);
  const double right = std::ceil(double(box.X) + box.Width);
  const double bottom = std::ceil(double(box.Y) + box.Height);
  if (left < -2147483648.0 || right > 2147483647.0 || top < -2147483648.0 ||
      bottom > 2147483647.0 || right - left > 2147483647.0 || bottom - top > 2147483647.0) {
    return SetStatus(ValueOverflow);
  }
  *bounds = Rect(INT(left), INT(top), INT(right - left), INT(bottom - top));
  return Ok;
}

Status GraphicsPath::Transform(const Matrix* matrix) {
  if (matrix == nullptr) return SetStatus(InvalidParameter);
  if (matrix->IsIdentity()) return Ok;
  // An overflowing transform leaves the path as it was; checking first keeps
  // the common case free of a scratch copy.
  for (const PointF& p : points_) {
    if (!IsFinitePoint(matrix->Apply(p))) return SetStatus(ValueOverflow);
  }
  for (PointF& p : points_) p = matrix->Apply(p);
  return Ok;
}

Status GraphicsPath::Flatten(const Matrix* matrix, REAL flatness) {
  if (!std::isfinite(flatness)) return SetStatus(InvalidParameter);
  if (matrix != nullptr) {
    const Status status = Transform(matrix);
    if (status != Ok) return status;
  }
  bool hasCurves = false;
  for (BYTE type : types_) hasCurves = hasCurves || BaseType(type) == PathPointTypeBezier;
  if (!hasCurves) return Ok;
  std::vector<PointF> points;
  std::vector<BYTE> types;
  FlattenPath(points_, types_, flatness, &points, &types);
  points_ = std::move(points);
  types_ = std::move(types);
  return Ok;
}

}  // namespace Gdiplus
