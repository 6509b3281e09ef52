// Cuts the figures of a flattened path into the "on" pieces of a dash
// pattern. The pattern restarts with every figure, as in GDI+.
#pragma once

#include <vector>

#include "RasterPath.h"

namespace Gdiplus {

class RasterDasher {
 public:
  // lengths: on, off, on, off... in pixels; offset: how far into the pattern
  // each figure starts. A pattern without positive total length (or with a
  // non-finite one) draws solid.
  void SetPattern(const std::vector<double>& lengths, double offset);

  // Appends the pieces of every figure of path to out as open figures.
  // Pieces wholly outside visible (in device coordinates) are skipped
  // without walking their dashes one by one.
  void Apply(const RasterPath& path, const RasterBounds& visible, RasterPath* out) const;

 private:
  // Where along the pattern a walk stands: the entry and what is left of it.
  struct Cursor {
    std::size_t entry;
    double left;
  };
  void Advance(double distance, Cursor* cursor) const;

  std::vector<double> lengths_;
  double period_ = 0;
  double offset_ = 0;
};

}  // namespace Gdiplus
