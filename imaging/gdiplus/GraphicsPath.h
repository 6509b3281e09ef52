// A GDI+ path: points with point types (start, line, cubic Bezier, plus the
// close-subpath and marker flags) and a fill mode. The points and types are
// plain vectors, readable without copying by the rasterising code.
#pragma once

#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

class FontFamily;
class Matrix;
class Pen;
class StringFormat;

class GraphicsPath {
 public:
  explicit GraphicsPath(FillMode fillMode = FillModeAlternate);
  // Takes count points and their types as they are; InvalidParameter (and an
  // empty path) when count is negative or the pointers are null with count > 0.
  GraphicsPath(const PointF* points, const BYTE* types, INT count,
               FillMode fillMode = FillModeAlternate);

  // A copy owned by the caller.
  GraphicsPath* Clone() const;

  Status Reset();
  FillMode GetFillMode() const { return fillMode_; }
  Status SetFillMode(FillMode fillMode);

  Status StartFigure();
  Status CloseFigure();
  Status CloseAllFigures();
  Status SetMarker();
  Status ClearMarkers();

  Status AddLine(const PointF& pt1, const PointF& pt2);
  Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
  Status AddLines(const PointF* points, INT count);
  Status AddBezier(const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4);
  Status AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
  // count = 1 + 3·n points: a start point and n cubic segments.
  Status AddBeziers(const PointF* points, INT count);
  Status AddRectangle(const RectF& rect);
  Status AddRectangle(const Rect& rect);
  Status AddRectangles(const RectF* rects, INT count);
  Status AddEllipse(const RectF& rect);
  Status AddEllipse(REAL x, REAL y, REAL width, REAL height);
  Status AddEllipse(const Rect& rect);
  Status AddEllipse(INT x, INT y, INT width, INT height);
  Status AddPolygon(const PointF* points, INT count);
  // connect joins the first figure of path to the open current figure.
  Status AddPath(const GraphicsPath* path, bool connect);

  // Glyph outlines of the text (length -1: up to the terminator), emSize in
  // world units, pen starting at origin.X and the baseline at origin.Y plus
  // the ascent. Each glyph contour becomes a closed figure.
  Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                   REAL emSize, const PointF& origin, const StringFormat* format);
  Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                   REAL emSize, const RectF& layoutRect, const StringFormat* format);
  Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                   REAL emSize, const Point& origin, const StringFormat* format);
  Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                   REAL emSize, const Rect& layoutRect, const StringFormat* format);

  INT GetPointCount() const { return INT(points_.size()); }
  // Copy out up to count points or types; InsufficientBuffer when count is
  // smaller than the point count.
  Status GetPathPoints(PointF* points, INT count) const;
  Status GetPathTypes(BYTE* types, INT count) const;
  Status GetLastPoint(PointF* lastPoint) const;
  // The box of the points after matrix; with a pen, of the widened outline.
  Status GetBounds(RectF* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
  Status GetBounds(Rect* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;

  Status Transform(const Matrix* matrix);
  // Replaces Bezier segments by lines deviating at most flatness.
  Status Flatten(const Matrix* matrix = nullptr, REAL flatness = FlatnessDefault);
  // destPoints: 4 (upper-left, upper-right, lower-left, lower-right) or 3
  // (parallelogram) points. An empty srcRect, a bad count or mode, or a map
  // that sends a point to infinity gives InvalidParameter and an empty path.
  Status Warp(const PointF* destPoints, INT count, const RectF& srcRect,
              const Matrix* matrix = nullptr, WarpMode warpMode = WarpModePerspective,
              REAL flatness = FlatnessDefault);
  // Replaces the path by the outline a stroke with pen would cover: flattened,
  // FillModeWinding, closed figures giving an outer and an inner contour.
  Status Widen(const Pen* pen, const Matrix* matrix = nullptr, REAL flatness = FlatnessDefault);

  // Like GDI+, returns the status of the last failed call and clears it.
  Status GetLastStatus() const;

  // Read-only views for the rasterising code.
  const std::vector<PointF>& Points() const { return points_; }
  const std::vector<BYTE>& Types() const { return types_; }
  // Replaces points and types in one step (the two vectors must match in size).
  Status SetPoints(std::vector<PointF> points, std::vector<BYTE> types);

 private:
  Status SetStatus(Status status) const;
  // Appends a point continuing the current figure, or starting one.
  void AppendFirst(const PointF& point);
  void Append(const PointF& point, BYTE type);
  Status AddStringLayout(const WCHAR* string, INT length, const FontFamily* family, INT style,
                         REAL emSize, const RectF& layoutRect, const StringFormat* format);

  std::vector<PointF> points_;
  std::vector<BYTE> types_;
  FillMode fillMode_ = FillModeAlternate;
  bool startNewFigure_ = true;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
