// Cuts flattened figures into dash pieces.
#pragma once

#include <cstddef>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

struct DashPiece {
  std::vector<PointF> points;
};

// Most dash pieces one Widen may produce; a longer result would only be a
// way to exhaust memory.
constexpr std::size_t kMaxDashPieces = std::size_t(1) << 20;

// Splits the polyline (closed: including the segment back to its first
// point) by the pattern of alternating dash and gap lengths, starting offset
// into the pattern. Returns false, appending nothing, when the pattern is
// unusable or the pieces would exceed kMaxDashPieces in total.
bool SplitIntoDashes(const std::vector<PointF>& polyline, bool closed,
                     const std::vector<double>& pattern, double offset,
                     std::vector<DashPiece>* pieces);

}  // namespace Gdiplus
