// The built-in pair of guide curves that curved text is bent between: two
// polylines traced pixel by pixel, each stored as its first point and a
// run-length chain of unit steps.
#pragma once

#include <string_view>
#include <vector>

#include "GdiplusTypes.h"

namespace MirelGlyphward {

// A chain of steps: E (x + 1), N (x + 1, y - 1), S (x + 1, y + 1), n (y - 1),
// s (y + 1), each optionally followed by a repeat count.
struct GuideChain {
  Gdiplus::PointF first;
  std::string_view steps;
};

// The upper curve: 452 points from (163, 179) to (592, 170).
extern const GuideChain kUpperGuideCurve;
// The lower curve: 469 points from (169, 363) to (614, 320).
extern const GuideChain kLowerGuideCurve;

// Appends the chain's points, its first point included, to points. A
// malformed chain (unknown letter) stops at the last good step.
void ExpandGuideChain(const GuideChain& chain, std::vector<Gdiplus::PointF>& points);

}  // namespace MirelGlyphward
