// A receiver of polygon outlines in device coordinates, so that generated
// outlines (strokes) reach either rasteriser without an intermediate copy.
#pragma once

namespace Gdiplus {

class RasterSink {
 public:
  virtual void MoveTo(double x, double y) = 0;
  virtual void LineTo(double x, double y) = 0;
  virtual void ClosePolygon() = 0;

 protected:
  ~RasterSink() = default;
};

}  // namespace Gdiplus
