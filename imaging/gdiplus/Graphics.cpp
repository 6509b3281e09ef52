#include "Graphics.h"

#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <new>

#include "Brush.h"
#include "GlyphLayout.h"
#include "GraphicsPath.h"
#include "Pen.h"
#include "Region.h"

namespace Gdiplus {

namespace {

// Flatness of curves: finer when anti-aliased, where facets would show as
// uneven edges (a 1x1 circle would otherwise become a diamond).
constexpr double kAliasedFlatness = RasterPath::kDefaultFlatness;
constexpr double kAntiAliasedFlatness = 0.1;

}  // namespace

Graphics::Graphics(Image* image) : textLayout_(std::make_unique<TextLayout>()) {
  bitmap_ = dynamic_cast<Bitmap*>(image);
  if (bitmap_) surface_ = bitmap_->Surface();
  if (!Ready()) {
    bitmap_ = nullptr;
    SetStatus(InvalidParameter);
  }
  clip_.Reset(surface_.width, surface_.height);
  target_.Attach(surface_, &clip_);
}

Graphics* Graphics::FromImage(Image* image) {
  return new (std::nothrow) Graphics(image);
}

Graphics::~Graphics() = default;

Status Graphics::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status Graphics::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status Graphics::SetSmoothingMode(SmoothingMode smoothingMode) {
  if (!Ready()) return SetStatus(InvalidParameter);
  switch (smoothingMode) {
    case SmoothingModeDefault:
    case SmoothingModeHighSpeed:
    case SmoothingModeNone:
      smoothingMode_ = SmoothingModeNone;
      return Ok;
    case SmoothingModeHighQuality:
    case SmoothingModeAntiAlias:
      smoothingMode_ = SmoothingModeAntiAlias;
      return Ok;
    default:
      return SetStatus(InvalidParameter);
  }
}

SmoothingMode Graphics::GetSmoothingMode() const {
  return smoothingMode_;
}

Status Graphics::SetInterpolationMode(InterpolationMode interpolationMode) {
  if (!Ready()) return SetStatus(InvalidParameter);
  switch (interpolationMode) {
    case InterpolationModeDefault:
    case InterpolationModeLowQuality:
      interpolationMode_ = InterpolationModeBilinear;
      return Ok;
    case InterpolationModeHighQuality:
      interpolationMode_ = InterpolationModeHighQualityBicubic;
      return Ok;
    case InterpolationModeBilinear:
    case InterpolationModeBicubic:
    case InterpolationModeNearestNeighbor:
    case InterpolationModeHighQualityBilinear:
    case InterpolationModeHighQualityBicubic:
      interpolationMode_ = interpolationMode;
      return Ok;
    default:
      return SetStatus(InvalidParameter);
  }
}

InterpolationMode Graphics::GetInterpolationMode() const {
  return interpolationMode_;
}

Status Graphics::Clear(const Color& color) {
  if (!Ready()) return SetStatus(InvalidParameter);
  target_.Replace(Rect(0, 0, surface_.width, surface_.height), color.GetValue());
  return Ok;
}

// Clip ---------------------------------------------------------------------

Status Graphics::CombineClip(const Region& region, CombineMode mode) {
  if (!Ready()) return SetStatus(InvalidParameter);
  if (mode < CombineModeReplace || mode > CombineModeComplement) {
    return SetStatus(InvalidParameter);
  }
  if (!clipRegion_) {
    clipRegion_ = std::unique_ptr<Region>(new (std::nothrow) Region());
    if (!clipRegion_) return SetStatus(OutOfMemory);
  }
  const Status status = clipRegion_->Combine(&region, mode);
  RebuildClip();
  return SetStatus(status);
}

void Graphics::RebuildClip() {
  if (!clipRegion_) {
    clip_.Reset(surface_.width, surface_.height);
    return;
  }
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(
      const_cast<pixman_region32_t*>(clipRegion_->GetPixmanRegion()), &count);
  clipRects_.clear();
  for (int i = 0; i < count; ++i) {
    const pixman_box32_t& box = boxes[i];
    clipRects_.emplace_back(box.x1, box.y1, box.x2 - box.x1, box.y2 - box.y1);
  }
  clip_.SetRects(surface_.width, surface_.height, clipRects_.data(), clipRects_.size());
}

Status Graphics::SetClip(const GraphicsPath* path, CombineMode combineMode) {
  if (!path) return SetStatus(InvalidParameter);
  return CombineClip(Region(path), combineMode);
}

Status Graphics::SetClip(const Region* region, CombineMode combineMode) {
  if (!region) return SetStatus(InvalidParameter);
  return CombineClip(*region, combineMode);
}

Status Graphics::SetClip(const Rect& rect, CombineMode combineMode) {
  return CombineClip(Region(rect), combineMode);
}

Status Graphics::SetClip(const RectF& rect, CombineMode combineMode) {
  return CombineClip(Region(rect), combineMode);
}

Status Graphics::ResetClip() {
  if (!Ready()) return SetStatus(InvalidParameter);
  clipRegion_.reset();
  RebuildClip();
  return Ok;
}

Status Graphics::GetClip(Region* region) const {
  if (!region || !Ready()) return SetStatus(InvalidParameter);
  if (!clipRegion_) return SetStatus(region->MakeInfinite());
  *region = *clipRegion_;
  return Ok;
}

Status Graphics::IntersectClip(const Rect& rect) {
  return SetClip(rect, CombineModeIntersect);
}

Status Graphics::IntersectClip(const RectF& rect) {
  return SetClip(rect, CombineModeIntersect);
}

Status Graphics::IntersectClip(const Region* region) {
  return SetClip(region, CombineModeIntersect);
}

Status Graphics::ExcludeClip(const Rect& rect) {
  return SetClip(rect, CombineModeExclude);
}

Status Graphics::ExcludeClip(const RectF& rect) {
  return SetClip(rect, CombineModeExclude);
}

Status Graphics::ExcludeClip(const Region* region) {
  return SetClip(region, CombineModeExclude);
}

bool Graphics::IsClipEmpty() const {
  return clip_.IsEmpty();
}

Status Graphics::GetClipBounds(Rect* rect) const {
  if (!rect || !Ready()) return SetStatus(InvalidParameter);
  *rect = clip_.Bounds();
  return Ok;
}

// Shapes -------------------------------------------------------------------

void Graphics::BeginShape() {
  shape_.Clear();
  shape_.SetFlatness(AntiAliased() ? kAntiAliasedFlatness : kAliasedFlatness);
}

Status Graphics::FillShape(FillMode fillMode, const Brush* brush, const RasterClip& clip,
                           bool antiAlias) {
  if (!brush || !Ready()) return InvalidParameter;
  BrushPaint paint;
  if (const Status status = brush->GetPaint(&paint); status != Ok) return status;
  if (!shape_.Usable()) return shape_.Problem();
  if (shape_.Empty() || clip.IsEmpty()) return Ok;
  // Styles throw thousands of small shapes at a clip that hides most of
  // them: those that reach none of its pixels cost only their outline.
  if (!SmallShapeRasterizer::Touches(clip, shape_.Bounds())) return Ok;
  const Rect& area = clip.Bounds();
  target_.Attach(surface_, &clip);
  target_.SetPaint(paint);
  const RasterBounds& bounds = shape_.Bounds();
  if (antiAlias && SmallShapeRasterizer::Fits(bounds, area) &&
      (bounds.right - bounds.left + 3) * (bounds.bottom - bounds.top + 3) <=
          16 * (double(shape_.Points().size()) + 16)) {
    // Specks and blobs by the thousand: AGG's cell sort would cost more
    // than the shape. The grid's cost follows the box and AGG's the
    // outline, so shapes with a large box for their outline go to AGG.
    smallShape_.Fill(shape_, fillMode, target_);
  } else if (antiAlias) {
    // Larger shapes, and those reaching past the area, cost the grid only
    // the pixels between their edges.
    smallShape_.Reset();
    smallShape_.AddPath(shape_);
    if (smallShape_.SweepClipped(fillMode, area, target_)) {
      target_.Attach(surface_, &clip_);
      return Ok;
    }
    antiAliased_.Reset(area, &shape_.Bounds());
    antiAliased_.AddPath(shape_);
    antiAliased_.Sweep(fillMode, target_);
  } else {
    aliased_.Reset(area.Y, area.Y + area.Height);
    aliased_.AddPath(shape_);
    aliased_.Sweep(fillMode, [&](INT y, INT left, INT right) { target_.BlendRun(y, left, right); });
  }
  target_.Attach(surface_, &clip_);
  return Ok;
}

Status Graphics::StrokeShape(const Pen* pen) {
  if (!pen || !Ready()) return InvalidParameter;
  const double penWidth = pen->GetWidth();
  if (!std::isfinite(penWidth)) return InvalidParameter;
  if (std::fabs(penWidth) > 2 * RasterPath::kMaxCoordinate) return ValueOverflow;
  if (!shape_.Usable()) return shape_.Problem();
  if (shape_.Empty() || clip_.IsEmpty()) return Ok;

  // Pens thinner than a pixel draw one pixel wide, as in GDI+.
  StrokeStyle style;
  style.width = std::max(penWidth, 1.0);
  style.miterLimit = std::max<double>(pen->GetMiterLimit(), 1.0);
  style.lineJoin = pen->GetLineJoin();
  style.lineCap = pen->GetStartCap();
  Color color;
  pen->GetColor(&color);

  // Everything a join or cap can push into the clip lies within margin.
  const double margin = style.width / 2 * style.miterLimit + 2;
  const Rect& area = clip_.Bounds();
  const RasterBounds visible{area.X - margin, area.Y - margin, area.X + area.Width + margin,
                             area.Y + area.Height + margin};
  if (!shape_.Bounds().Intersects(visible.left, visible.top, visible.right, visible.bottom)) {
    return Ok;
  }

  const bool thin = !AntiAliased() && style.width <= 1;
  const RasterPath* outline = &shape_;
  // One-pixel aliased lines have no inside half to move.
  if (pen->GetAlignment() == PenAlignmentInset && !thin) {
    insetShape_.Clear();
    stroker_.Inset(*outline, style.width / 2, style, &insetShape_);
    outline = &insetShape_;
  }
  if (!pen->DashPattern().empty()) {
    dashLengths_.clear();
    for (REAL length : pen->DashPattern()) dashLengths_.push_back(length * style.width);
    dasher_.SetPattern(dashLengths_, double(pen->GetDashOffset()) * style.width);
    dashedShape_.Clear();
    dasher_.Apply(*outline, visible, &dashedShape_);
    outline = &dashedShape_;
  }

  target_.SetPaint(BrushPaint{nullptr, color.GetValue(), color.GetA() == 255});
  if (thin) {
    // A one-pixel line lights only the pixels nearest to it.
    if (!SmallShapeRasterizer::Touches(clip_, outline->Bounds())) return Ok;
    thinLines_.Draw(*outline, outline != &dashedShape_, target_);
  } else if (AntiAliased()) {
    // Most strokes are a few pixels across: those that miss the clip's
    // pixels cost only their outline, and small ones skip AGG's cell sort.
    const RasterBounds& path = outline->Bounds();
    // No outline vertex of a join, cap or cut miter lies farther than this
    // from the path's points.
    const double spread = RenderStroker::Reach(*outline, style) + 1;
    if (!SmallShapeRasterizer::Touches(clip_, {path.left - spread, path.top - spread,
                                               path.right + spread, path.bottom + spread})) {
      return Ok;
    }
    smallShape_.Reset();
    stroker_.Stroke(*outline, style, visible, smallShape_);
    if (!smallShape_.Touches(clip_)) return Ok;
    if (smallShape_.Fits(area)) {
      smallShape_.Sweep(FillModeWinding, target_);
      return Ok;
    }
    if (smallShape_.SweepClipped(FillModeWinding, area, target_)) return Ok;
    const RasterBounds reach{path.left - margin, path.top - margin, path.right + margin,
                             path.bottom + margin};
    antiAliased_.Reset(area, &reach);
    smallShape_.Replay(antiAliased_);
    antiAliased_.Sweep(FillModeWinding, target_);
  } else {
    aliased_.Reset(area.Y, area.Y + area.Height);
    stroker_.Stroke(*outline, style, visible, aliased_);
    aliased_.Sweep(FillModeWinding,
                   [&](INT y, INT left, INT right) { target_.BlendRun(y, left, right); });
  }
  return Ok;
}

Status Graphics::DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  BeginShape();
  shape_.MoveTo(x1, y1);
  shape_.LineTo(x2, y2);
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawLine(const Pen* pen, const PointF& pt1, const PointF& pt2) {
  return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status Graphics::DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2) {
  return DrawLine(pen, REAL(x1), REAL(y1), REAL(x2), REAL(y2));
}

Status Graphics::DrawLine(const Pen* pen, const Point& pt1, const Point& pt2) {
  return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status Graphics::DrawLines(const Pen* pen, const PointF* points, INT count) {
  if (!points || count < 2) return SetStatus(InvalidParameter);
  BeginShape();
  for (INT i = 0; i < count; ++i) shape_.LineTo(points[i].X, points[i].Y);
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawLines(const Pen* pen, const Point* points, INT count) {
  if (!points || count < 2) return SetStatus(InvalidParameter);
  BeginShape();
  for (INT i = 0; i < count; ++i) shape_.LineTo(points[i].X, points[i].Y);
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawBezier(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3,
                            REAL x4, REAL y4) {
  BeginShape();
  shape_.MoveTo(x1, y1);
  shape_.BezierTo(x2, y2, x3, y3, x4, y4);
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawBezier(const Pen* pen, const PointF& pt1, const PointF& pt2, const PointF& pt3,
                            const PointF& pt4) {
  return DrawBezier(pen, pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status Graphics::DrawBezier(const Pen* pen, const Point& pt1, const Point& pt2, const Point& pt3,
                            const Point& pt4) {
  return DrawBezier(pen, REAL(pt1.X), REAL(pt1.Y), REAL(pt2.X), REAL(pt2.Y), REAL(pt3.X),
                    REAL(pt3.Y), REAL(pt4.X), REAL(pt4.Y));
}

Status Graphics::DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height) {
  if (pen && Ready() && std::isfinite(pen->GetWidth())) {
    // A ring whose inside holds the whole clip cannot touch it; the rings
    // of the styles are mostly of this kind.
    const double halfWidth = std::max<double>(pen->GetWidth(), 1.0) / 2 + 2;
    const double rx = std::fabs(double(width)) / 2 - halfWidth;
    const double ry = std::fabs(double(height)) / 2 - halfWidth;
    const double cx = double(x) + double(width) / 2, cy = double(y) + double(height) / 2;
    const Rect& area = clip_.Bounds();
    if (rx > 0 && ry > 0 && std::isfinite(cx) && std::isfinite(cy) && !clip_.IsEmpty()) {
      bool allInside = true;
      for (int corner = 0; corner < 4 && allInside; ++corner) {
        const double px = (corner & 1 ? area.X + area.Width : area.X) + (corner & 1 ? 1 : -1);
        const double py = (corner & 2 ? area.Y + area.Height : area.Y) + (corner & 2 ? 1 : -1);
        const double u = (px - cx) / rx, v = (py - cy) / ry;
        allInside = u * u + v * v < 1;
      }
      if (allInside) return Ok;
    }
  }
  BeginShape();
  shape_.AddEllipse(x, y, width, height);
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawEllipse(const Pen* pen, const RectF& rect) {
  return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawEllipse(const Pen* pen, INT x, INT y, INT width, INT height) {
  return DrawEllipse(pen, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status Graphics::DrawEllipse(const Pen* pen, const Rect& rect) {
  return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height) {
  BeginShape();
  shape_.AddRectangle(x, y, width, height);
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawRectangle(const Pen* pen, const RectF& rect) {
  return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawRectangle(const Pen* pen, INT x, INT y, INT width, INT height) {
  return DrawRectangle(pen, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status Graphics::DrawRectangle(const Pen* pen, const Rect& rect) {
  return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawPolygon(const Pen* pen, const PointF* points, INT count) {
  if (!points || count < 2) return SetStatus(InvalidParameter);
  BeginShape();
  for (INT i = 0; i < count; ++i) shape_.LineTo(points[i].X, points[i].Y);
  shape_.CloseFigure();
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawPolygon(const Pen* pen, const Point* points, INT count) {
  if (!points || count < 2) return SetStatus(InvalidParameter);
  BeginShape();
  for (INT i = 0; i < count; ++i) shape_.LineTo(points[i].X, points[i].Y);
  shape_.CloseFigure();
  return SetStatus(StrokeShape(pen));
}

Status Graphics::DrawPath(const Pen* pen, const GraphicsPath* path) {
  if (!path) return SetStatus(InvalidParameter);
  BeginShape();
  shape_.AddPathPoints(path->Points().data(), path->Types().data(), path->Points().size());
  return SetStatus(StrokeShape(pen));
}

Graphics::EllipseRoute Graphics::RouteEllipse(const Brush* brush, REAL x, REAL y, REAL width,
                                              REAL height) const {
  // Dots by the thousand are thrown at clips that hide most of them: one
  // hidden whole is known from its box, before any outline is built.
  const RasterBounds box{
      std::min<double>(x, double(x) + width), std::min<double>(y, double(y) + height),
      std::max<double>(x, double(x) + width), std::max<double>(y, double(y) + height)};
  // Coordinates out of range still go the long way, which reports them.
  const auto inRange = [](double v) { return std::fabs(v) <= RasterPath::kMaxCoordinate; };
  if (clipRegion_ && brush && Ready() && inRange(box.left) && inRange(box.top) &&
      inRange(box.right) && inRange(box.bottom) && !SmallShapeRasterizer::Touches(clip_, box)) {
    return EllipseRoute::Hidden;
  }
  // A small dot inside the clip's bounds skips the path: its outline goes
  // straight to the cell grid. Its flattened vertices stray from its box by
  // rounding errors only; the margin keeps them inside, where no rasteriser
  // cuts anything off.
  constexpr double kMaxDot = 16, kMaxDotCoordinate = 65536, kMargin = 1.0 / 1024;
  if (AntiAliased() && brush && Ready() && width > 0 && height > 0 && width <= kMaxDot &&
      height <= kMaxDot && box.right < kMaxDotCoordinate && box.bottom < kMaxDotCoordinate &&
      SmallShapeRasterizer::Fits(
          {box.left - kMargin, box.top - kMargin, box.right + kMargin, box.bottom + kMargin},
          clip_.Bounds())) {
    return EllipseRoute::Dot;
  }
  if (AntiAliased() && brush && Ready() && width > 0 && height > 0 && width <= kMaxDot &&
      height <= kMaxDot && inRange(box.left) && inRange(box.top) && inRange(box.right) &&
      inRange(box.bottom)) {
    return EllipseRoute::CutDot;
  }
  return EllipseRoute::Path;
}

bool Graphics::FillCutDot(REAL x, REAL y, REAL width, REAL height) {
  const RasterBounds box{x, y, double(x) + width, double(y) + height};
  if (clip_.IsEmpty() || !SmallShapeRasterizer::Touches(clip_, box)) return true;
  return smallShape_.FillCutEllipse(x, y, width, height, kAntiAliasedFlatness, clip_.Bounds(),
                                    target_);
}

Status Graphics::FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height) {
  switch (RouteEllipse(brush, x, y, width, height)) {
    case EllipseRoute::Hidden:
      return Ok;
    case EllipseRoute::Dot: {
      BrushPaint paint;
      if (brush->GetPaint(&paint) != Ok) break;
      target_.SetPaint(paint);
      if (smallShape_.FillEllipse(x, y, width, height, kAntiAliasedFlatness, target_)) return Ok;
      break;
    }
    case EllipseRoute::CutDot: {
      BrushPaint paint;
      if (brush->GetPaint(&paint) != Ok) break;
      target_.SetPaint(paint);
      if (FillCutDot(x, y, width, height)) return Ok;
      break;
    }
    case EllipseRoute::Path:
      break;
  }
  BeginShape();
  shape_.AddEllipse(x, y, width, height);
  return SetStatus(FillShape(FillModeAlternate, brush, clip_, AntiAliased()));
}

Status Graphics::FillEllipses(const Brush* brush, const RectF* rects, INT count) {
  if (!rects || count < 0) return SetStatus(InvalidParameter);
  BrushPaint paint;
  const bool paintable = brush && brush->GetPaint(&paint) == Ok;
  // Dots are planned this many ahead of their drawing. Dots cut by the
  // clip's bounds stay in the run, in their place, so that the run goes on
  // planning ahead past them.
  constexpr INT kAhead = 8;
  SmallShapeRasterizer::PlannedDot planned[kAhead];
  const RectF* cut[kAhead];
  Status result = Ok;
  INT next = 0;
  while (next < count) {
    INT ready = 0;
    bool alone = false;
    while (ready < kAhead && next < count) {
      const RectF& r = rects[next];
      const EllipseRoute route =
          paintable ? RouteEllipse(brush, r.X, r.Y, r.Width, r.Height) : EllipseRoute::Path;
      if (route == EllipseRoute::Dot &&
          smallShape_.PlanEllipse(r.X, r.Y, r.Width, r.Height, kAntiAliasedFlatness, target_,
                                  &planned[ready])) {
        cut[ready++] = nullptr;
      } else if (route == EllipseRoute::CutDot) {
        cut[ready++] = &r;
      } else if (route != EllipseRoute::Hidden) {
        alone = true;
        break;
      }
      ++next;
    }
    if (ready > 0) {
      target_.SetPaint(paint);
      for (INT i = 0; i < ready; ++i) {
        if (!cut[i]) {
          smallShape_.DrawPlanned(planned[i], target_);
        } else if (!FillCutDot(cut[i]->X, cut[i]->Y, cut[i]->Width, cut[i]->Height)) {
          // As FillEllipse goes on: the long way, which reports.
          const Status status = FillEllipse(brush, *cut[i]);
          if (result == Ok) result = status;
          target_.SetPaint(paint);
        }
      }
    }
    // Any other ellipse goes alone, reporting as FillEllipse does.
    if (alone) {
      const Status status = FillEllipse(brush, rects[next++]);
      if (result == Ok) result = status;
    }
  }
  return result;
}

Status Graphics::FillEllipse(const Brush* brush, const RectF& rect) {
  return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillEllipse(const Brush* brush, INT x, INT y, INT width, INT height) {
  return FillEllipse(brush, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status Graphics::FillEllipse(const Brush* brush, const Rect& rect) {
  return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height) {
  BeginShape();
  shape_.AddRectangle(x, y, width, height);
  return SetStatus(FillShape(FillModeAlternate, brush, clip_, AntiAliased()));
}

Status Graphics::FillRectangle(const Brush* brush, const RectF& rect) {
  return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillRectangle(const Brush* brush, INT x, INT y, INT width, INT height) {
  return FillRectangle(brush, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status Graphics::FillRectangle(const Brush* brush, const Rect& rect) {
  return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillPolygon(const Brush* brush, const PointF* points, INT count,
                             FillMode fillMode) {
  if (!points || count < 0) return SetStatus(InvalidParameter);
  BeginShape();
  for (INT i = 0; i < count; ++i) shape_.LineTo(points[i].X, points[i].Y);
  shape_.CloseFigure();
  return SetStatus(FillShape(fillMode, brush, clip_, AntiAliased()));
}

Status Graphics::FillPolygon(const Brush* brush, const Point* points, INT count,
                             FillMode fillMode) {
  if (!points || count < 0) return SetStatus(InvalidParameter);
  BeginShape();
  for (INT i = 0; i < count; ++i) shape_.LineTo(points[i].X, points[i].Y);
  shape_.CloseFigure();
  return SetStatus(FillShape(fillMode, brush, clip_, AntiAliased()));
}

Status Graphics::FillPath(const Brush* brush, const GraphicsPath* path) {
  if (!path) return SetStatus(InvalidParameter);
  BeginShape();
  shape_.AddPathPoints(path->Points().data(), path->Types().data(), path->Points().size());
  return SetStatus(FillShape(path->GetFillMode(), brush, clip_, AntiAliased()));
}

Status Graphics::FillRegion(const Brush* brush, const Region* region) {
  if (!brush || !region || !Ready()) return SetStatus(InvalidParameter);
  BrushPaint paint;
  if (const Status status = brush->GetPaint(&paint); status != Ok) return SetStatus(status);
  target_.SetPaint(paint);
  int count = 0;
  const pixman_box32_t* boxes =
      pixman_region32_rectangles(const_cast<pixman_region32_t*>(region->GetPixmanRegion()), &count);
  const Rect& area = clip_.Bounds();
  for (int i = 0; i < count; ++i) {
    const INT top = std::max(boxes[i].y1, area.Y);
    const INT bottom = std::min(boxes[i].y2, area.Y + area.Height);
    for (INT y = top; y < bottom; ++y) target_.BlendRun(y, boxes[i].x1, boxes[i].x2);
  }
  return Ok;
}

}  // namespace Gdiplus
