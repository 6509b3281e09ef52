// Cuts flattened figures into dash pieces.
#pragma once

#include <cstddef>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

struct DashPiece {
  std::vector<PointF> points;
};

// Most dash pieces one Widen may produce, all figures together: dotting the
// outline of a whole picture's text takes a few thousand, and far more would
// only be a way to exhaust memory.
constexpr std::size_t kMaxDashPieces = std::size_t(1) << 17;

// Splits the polyline (closed: including the segment back to its first
// point) by the pattern of alternating dash and gap lengths, starting offset
// into the pattern. Returns false, appending nothing, when the pattern is
// unusable or pieces would hold more than maxPieces.
bool SplitIntoDashes(const std::vector<PointF>& polyline, bool closed,
                     const std::vector<double>& pattern, double offset, std::size_t maxPieces,
                     std::vector<DashPiece>* pieces);

}  // namespace Gdiplus
