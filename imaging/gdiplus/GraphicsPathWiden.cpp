#include <cmath>

#include "Flatten.h"
#include "GraphicsPath.h"
#include "Matrix.h"
#include "PathGeometry.h"
#include "Pen.h"
#include "WidenDash.h"
#include "Widener.h"

namespace Gdiplus {
namespace {

// The pen's width in world units at 96 dpi, the resolution of new bitmaps.
double WidthInWorldUnits(const Pen& pen) {
  const double width = pen.GetWidth();
  switch (pen.GetUnit()) {
    case UnitPoint:
      return width * 96.0 / 72.0;
    case UnitInch:
      return width * 96.0;
    case UnitDocument:
      return width * 96.0 / 300.0;
    case UnitMillimeter:
      return width * 96.0 / 25.4;
    default:
      return width;
  }
}

LineCap CapForDash(DashCap cap) {
  switch (cap) {
    case DashCapRound:
      return LineCapRound;
    case DashCapTriangle:
      return LineCapTriangle;
    default:
      return LineCapFlat;
  }
}

}  // namespace

Status GraphicsPath::Widen(const Pen* pen, const Matrix* matrix, REAL flatness) {
  if (pen == nullptr || !std::isfinite(flatness)) return SetStatus(InvalidParameter);
  double width = WidthInWorldUnits(*pen);
  if (pen->GetUnit() == UnitPixel) {
    // A pixel pen keeps a width under one; a zero-width one covers nothing.
    if (!(width > 0)) {
      points_.clear();
      types_.clear();
      startNewFigure_ = true;
      fillMode_ = FillModeWinding;
      return Ok;
    }
  } else if (!(width >= 1)) {
    // GDI+ widens with world-unit pens thinner than one unit as if one wide.
    width = 1;
  }

  std::vector<PointF> points = points_;
  if (matrix != nullptr && !matrix->IsIdentity()) {
    for (PointF& p : points) p = matrix->Apply(p);
    if (!Gdiplus::AllFinite(points)) return SetStatus(ValueOverflow);
  }
  std::vector<PointF> flat;
  std::vector<BYTE> flatTypes;
  FlattenPath(points, types_, flatness, &flat, &flatTypes);

  StrokeSettings settings;
  settings.width = width;
  settings.alignment = pen->GetAlignment();
  settings.lineJoin = pen->GetLineJoin();
  settings.miterLimit = pen->GetMiterLimit();
  settings.startCap = pen->GetStartCap();
  settings.endCap = pen->GetEndCap();
  settings.flatness = flatness;
  Widener widener(settings);

  std::vector<double> pattern;
  for (REAL length : pen->DashPattern()) pattern.push_back(double(length) * width);
  const bool dashed = pen->GetDashStyle() != DashStyleSolid && !pattern.empty();
  const LineCap dashCap = CapForDash(pen->GetDashCap());
  std::vector<PointF> figure;
  std::vector<DashPiece> pieces;
  std::size_t totalPieces = 0;

  std::size_t start = 0;
  while (start < flat.size()) {
    std::size_t end = start + 1;
    while (end < flat.size() && BaseType(flatTypes[end]) != PathPointTypeStart) ++end;
    const bool closed = IsClosing(flatTypes[end - 1]);
    if (dashed) {
      figure.assign(flat.begin() + std::ptrdiff_t(start), flat.begin() + std::ptrdiff_t(end));
      pieces.clear();
      // The pattern restarts with every figure.
      if (!SplitIntoDashes(figure, closed, pattern, double(pen->GetDashOffset()) * width,
                           kMaxDashPieces - totalPieces, &pieces)) {
        return SetStatus(OutOfMemory);
      }
      totalPieces += pieces.size();
      for (const DashPiece& piece : pieces) {
        widener.AddOpen(piece.points.data(), piece.points.size(), dashCap, dashCap);
      }
    } else {
      widener.AddFigure(flat.data() + start, end - start, closed);
    }
    start = end;
  }
  if (!Gdiplus::AllFinite(widener.Points())) return SetStatus(ValueOverflow);
  points_ = std::move(widener.Points());
  types_ = std::move(widener.Types());
  startNewFigure_ = true;
  fillMode_ = FillModeWinding;
  return Ok;
}

}  // namespace Gdiplus
