// Turns flattened figures into the outline polygons a pen covers (AGG's
// stroke generator), and moves closed figures inward for inset pens.
#pragma once

#include <memory>

#include "GdiplusTypes.h"
#include "RasterPath.h"
#include "RasterSink.h"

namespace Gdiplus {

class SmallShapeRasterizer;

struct StrokeStyle {
  double width = 1;
  double miterLimit = 10;
  LineJoin lineJoin = LineJoinMiter;
  LineCap lineCap = LineCapFlat;
};

class RenderStroker {
 public:
  RenderStroker();
  ~RenderStroker();
  RenderStroker(const RenderStroker&) = delete;
  RenderStroker& operator=(const RenderStroker&) = delete;

  // Sends the outline of every figure's stroke to sink, to be filled with
  // the winding rule. Segments wholly outside visible are left out, so the
  // box must hold everything a join or cap could reach into the picture.
  void Stroke(const RasterPath& path, const StrokeStyle& style, const RasterBounds& visible,
              RasterSink& sink);
  // The same into the small-shape rasteriser, whose recording calls the
  // joins then make directly: tiny strokes are most of many pictures.
  void Stroke(const RasterPath& path, const StrokeStyle& style, const RasterBounds& visible,
              SmallShapeRasterizer& sink);

  // How far from the nearest point of path an outline vertex of its stroke
  // can lie: half the width times the miter limit and one, or only times
  // the square root of two where no figure turns by more than a right
  // angle, as short curves seldom do.
  static double Reach(const RasterPath& path, const StrokeStyle& style);

  // Copies path to out with every closed figure moved distance toward its
  // own inside; open figures stay as they are.
  void Inset(const RasterPath& path, double distance, const StrokeStyle& style, RasterPath* out);

 private:
  template <class Sink>
  void StrokeTo(const RasterPath& path, const StrokeStyle& style, const RasterBounds& visible,
                Sink& sink);
  template <class Sink>
  void StrokeRun(const RasterPath& path, std::uint32_t figureBegin, std::uint32_t count,
                 std::uint32_t first, std::uint32_t points, bool closed, Sink& sink);
  // The stroke of the current vertex list: through StrokeJoins, or through
  // AGG's math_stroke where the pen has round joins or caps.
  template <class Sink>
  void DirectRun(bool closed, Sink& sink);
  void AggRun(bool closed, RasterSink& sink);

  struct Engine;
  std::unique_ptr<Engine> engine_;
};

}  // namespace Gdiplus
