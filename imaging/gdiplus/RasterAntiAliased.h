// Anti-aliased polygon filling with AGG's exact area coverage.
#pragma once

#include <memory>

#include "GdiplusTypes.h"
#include "RasterPath.h"
#include "RasterSink.h"

namespace Gdiplus {

class RenderTarget;

class AntiAliasedRasterizer final : public RasterSink {
 public:
  AntiAliasedRasterizer();
  ~AntiAliasedRasterizer();
  AntiAliasedRasterizer(const AntiAliasedRasterizer&) = delete;
  AntiAliasedRasterizer& operator=(const AntiAliasedRasterizer&) = delete;

  // Starts a new shape; only pixels inside the rectangle are produced.
  // bounds, when known, holds every vertex to come; a shape well inside the
  // area then skips the clipping work.
  void Reset(const Rect& area, const RasterBounds* bounds = nullptr);

  // Every figure counts as closed.
  void AddPath(const RasterPath& path);
  void MoveTo(double x, double y) override;
  void LineTo(double x, double y) override;
  void ClosePolygon() override;

  // Blends the covered pixels into the target.
  void Sweep(FillMode fillMode, RenderTarget& target);

 private:
  struct Engine;
  std::unique_ptr<Engine> engine_;
  bool clipping_ = true;
};

}  // namespace Gdiplus
