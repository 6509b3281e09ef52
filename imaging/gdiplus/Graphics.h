// Drawing on a bitmap, with GDI+'s Graphics methods and pixel model: pixel
// (i, j) is centred on the point (i, j). SmoothingModeNone, Default and
// HighSpeed draw aliased (a pixel is in when its centre is, left and top
// edges inclusive); AntiAlias and HighQuality use exact area coverage.
// Clips are sets of whole pixels whatever the smoothing mode.
#pragma once

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "GdiplusTypes.h"
#include "ImageResampler.h"
#include "RasterAliased.h"
#include "RasterAntiAliased.h"
#include "RasterClip.h"
#include "RasterDash.h"
#include "RasterPath.h"
#include "RasterSmallShape.h"
#include "RasterThinLine.h"
#include "RenderStroker.h"
#include "RenderTarget.h"

namespace Gdiplus {

class Brush;
class Font;
class GraphicsPath;
class Image;
class Pen;
class Region;
class StringFormat;
struct TextLayout;

// Only the default (null) attributes and no abort callback are supported.
class ImageAttributes;
using DrawImageAbort = bool (*)(void*);

class Graphics {
 public:
  // A graphics drawing on image, which must be a Bitmap with pixels and
  // must outlive the graphics; otherwise every call fails with
  // InvalidParameter.
  explicit Graphics(Image* image);
  static Graphics* FromImage(Image* image);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  // Returns the status of the last failed call and clears it, as GDI+ does.
  Status GetLastStatus() const;

  Status SetSmoothingMode(SmoothingMode smoothingMode);
  SmoothingMode GetSmoothingMode() const;
  Status SetInterpolationMode(InterpolationMode interpolationMode);
  InterpolationMode GetInterpolationMode() const;

  // Overwrites every pixel inside the clip, alpha included.
  Status Clear(const Color& color);

  Status SetClip(const GraphicsPath* path, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const Region* region, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const Rect& rect, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const RectF& rect, CombineMode combineMode = CombineModeReplace);
  Status ResetClip();
  // Copies the clip into region (an infinite region when there is none).
  Status GetClip(Region* region) const;
  Status IntersectClip(const Rect& rect);
  Status IntersectClip(const RectF& rect);
  Status IntersectClip(const Region* region);
  Status ExcludeClip(const Rect& rect);
  Status ExcludeClip(const RectF& rect);
  Status ExcludeClip(const Region* region);
  bool IsClipEmpty() const;
  // The pixel bounds of the clip within the bitmap.
  Status GetClipBounds(Rect* rect) const;

  Status DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
  Status DrawLine(const Pen* pen, const PointF& pt1, const PointF& pt2);
  Status DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2);
  Status DrawLine(const Pen* pen, const Point& pt1, const Point& pt2);
  Status DrawLines(const Pen* pen, const PointF* points, INT count);
  Status DrawLines(const Pen* pen, const Point* points, INT count);
  Status DrawBezier(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                    REAL y4);
  Status DrawBezier(const Pen* pen, const PointF& pt1, const PointF& pt2, const PointF& pt3,
                    const PointF& pt4);
  Status DrawBezier(const Pen* pen, const Point& pt1, const Point& pt2, const Point& pt3,
                    const Point& pt4);
  Status DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status DrawEllipse(const Pen* pen, const RectF& rect);
  Status DrawEllipse(const Pen* pen, INT x, INT y, INT width, INT height);
  Status DrawEllipse(const Pen* pen, const Rect& rect);
  Status DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status DrawRectangle(const Pen* pen, const RectF& rect);
  Status DrawRectangle(const Pen* pen, INT x, INT y, INT width, INT height);
  Status DrawRectangle(const Pen* pen, const Rect& rect);
  Status DrawPolygon(const Pen* pen, const PointF* points, INT count);
  Status DrawPolygon(const Pen* pen, const Point* points, INT count);
  Status DrawPath(const Pen* pen, const GraphicsPath* path);

  Status FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
  Status FillEllipse(const Brush* brush, const RectF& rect);
  Status FillEllipse(const Brush* brush, INT x, INT y, INT width, INT height);
  Status FillEllipse(const Brush* brush, const Rect& rect);
  // Fills the ellipses in order, as many FillEllipse calls would; the
  // status is the first that was not Ok. Scattered dots go faster so.
  Status FillEllipses(const Brush* brush, const RectF* rects, INT count);
  Status FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
  Status FillRectangle(const Brush* brush, const RectF& rect);
  Status FillRectangle(const Brush* brush, INT x, INT y, INT width, INT height);
  Status FillRectangle(const Brush* brush, const Rect& rect);
  Status FillPolygon(const Brush* brush, const PointF* points, INT count,
                     FillMode fillMode = FillModeAlternate);
  Status FillPolygon(const Brush* brush, const Point* points, INT count,
                     FillMode fillMode = FillModeAlternate);
  Status FillPath(const Brush* brush, const GraphicsPath* path);
  Status FillRegion(const Brush* brush, const Region* region);

  // Unscaled: the image's top-left pixel lands on (x, y).
  Status DrawImage(Image* image, INT x, INT y);
  Status DrawImage(Image* image, const Point& point);
  Status DrawImage(Image* image, REAL x, REAL y);
  Status DrawImage(Image* image, const PointF& point);
  // Unscaled: the source rectangle's top-left pixel lands on (x, y).
  Status DrawImage(Image* image, INT x, INT y, INT srcx, INT srcy, INT srcwidth, INT srcheight,
                   Unit srcUnit);
  Status DrawImage(Image* image, REAL x, REAL y, REAL srcx, REAL srcy, REAL srcwidth,
                   REAL srcheight, Unit srcUnit);
  // The whole image scaled into the rectangle.
  Status DrawImage(Image* image, INT x, INT y, INT width, INT height);
  Status DrawImage(Image* image, const Rect& rect);
  Status DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height);
  Status DrawImage(Image* image, const RectF& rect);
  // The source rectangle scaled into the destination rectangle.
  Status DrawImage(Image* image, const Rect& destRect, INT srcx, INT srcy, INT srcwidth,
                   INT srcheight, Unit srcUnit, const ImageAttributes* imageAttributes = nullptr,
                   DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  Status DrawImage(Image* image, const RectF& destRect, REAL srcx, REAL srcy, REAL srcwidth,
                   REAL srcheight, Unit srcUnit, const ImageAttributes* imageAttributes = nullptr,
                   DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  Status DrawImage(Image* image, const RectF& destRect, const RectF& sourceRect, Unit srcUnit,
                   const ImageAttributes* imageAttributes = nullptr);

  // The text box of the string: its lines' advance widths plus the padding
  // of the format (emSize/6 per side unless typographic), line heights from
  // the family's line spacing. A length of -1 measures up to the terminator.
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                       RectF* boundingBox) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                       const StringFormat* stringFormat, RectF* boundingBox) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                       const StringFormat* stringFormat, RectF* boundingBox,
                       INT* codepointsFitted = nullptr, INT* linesFilled = nullptr) const;
  // Fills the glyph outlines, placed as MeasureString lays them out and
  // aligned in the layout rectangle by the format; text is cut at the
  // layout rectangle unless the format says StringFormatFlagsNoClip.
  Status DrawString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                    const StringFormat* stringFormat, const Brush* brush);
  Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                    const Brush* brush);
  Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                    const StringFormat* stringFormat, const Brush* brush);

 private:
  Status SetStatus(Status status) const;
  bool Ready() const { return surface_.scan0 != nullptr; }
  bool AntiAliased() const { return smoothingMode_ == SmoothingModeAntiAlias; }
  // How FillEllipse draws an ellipse: not at all (the clip hides it), as a
  // dot on the small-shape grid, as a dot cut to the clip's bounds there,
  // or as a path.
  enum class EllipseRoute { Hidden, Dot, CutDot, Path };
  EllipseRoute RouteEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height) const;
  // Draws a CutDot ellipse with the paint already set; false, with nothing
  // drawn, when it must go as a path after all.
  bool FillCutDot(REAL x, REAL y, REAL width, REAL height);

  // Combines the clip with region (null: the infinite region) and rebuilds
  // the pixel runs.
  Status CombineClip(const Region& region, CombineMode mode);
  void RebuildClip();

  // The flattened shape in shape_, filled or stroked on the bitmap.
  Status FillShape(FillMode fillMode, const Brush* brush, const RasterClip& clip, bool antiAlias);
  Status StrokeShape(const Pen* pen);
  void BeginShape();
  Status DrawUnscaled(Image* image, INT x, INT y, INT srcx, INT srcy, INT srcwidth, INT srcheight);
  Status DrawScaled(Image* image, const RectF& destRect, const RectF& sourceRect, Unit srcUnit,
                    const ImageAttributes* imageAttributes);
  Status LayOut(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                const StringFormat* stringFormat, TextLayout* layout) const;

  Bitmap* bitmap_ = nullptr;
  BitmapSurface surface_;
  SmoothingMode smoothingMode_ = SmoothingModeNone;
  InterpolationMode interpolationMode_ = InterpolationModeBilinear;
  std::unique_ptr<Region> clipRegion_;  // null: no clip
  RasterClip clip_;
  mutable Status lastResult_ = Ok;

  // Working state kept between calls so that drawing allocates nothing once
  // warmed up.
  RasterPath shape_;
  RasterPath insetShape_;
  RasterPath dashedShape_;
  AliasedRasterizer aliased_;
  AntiAliasedRasterizer antiAliased_;
  SmallShapeRasterizer smallShape_;
  ThinLineRasterizer thinLines_;
  RenderStroker stroker_;
  RasterDasher dasher_;
  RenderTarget target_;
  ImageResampler resampler_;
  RasterClip textClip_;
  std::vector<Rect> clipRects_;
  std::vector<double> dashLengths_;
  std::unique_ptr<TextLayout> textLayout_;
  std::vector<ARGB> rowColors_;
};

}  // namespace Gdiplus
