#include "RegionScan.h"

#include <algorithm>
#include <cmath>

#include "PathGeometry.h"
#include "RegionMask.h"

namespace Gdiplus {
namespace {

constexpr double kMin = kInfiniteRegionMin;
constexpr double kMax = double(kInfiniteRegionMin) + kInfiniteRegionSize;

struct Edge {
  double x0, y0, slope;  // x at y is x0 + (y - y0) · slope
  int firstRow, endRow;  // rows j with firstRow <= j < endRow
  int winding;
};

struct Crossing {
  double x;
  int winding;
};

// Rows whose centre line y = j the edge crosses under the half-open rule.
int FirstRowAtOrAbove(double y) {
  return int(std::clamp(std::ceil(y), kMin, kMax));
}

}  // namespace

bool ScanConvert(const std::vector<PointF>& points, const std::vector<BYTE>& types,
                 FillMode fillMode, RegionMask* out) {
  *out = RegionMask();
  std::vector<Edge> edges;
  const std::size_t count = std::min(points.size(), types.size());
  std::size_t start = 0;
  while (start < count) {
    std::size_t end = start + 1;
    while (end < count && BaseType(types[end]) != PathPointTypeStart) ++end;
    for (std::size_t i = start; i < end; ++i) {
      const PointF a = points[i];
      const PointF b = points[i + 1 < end ? i + 1 : start];
      if (a.Y == b.Y) continue;
      Edge e;
      const bool down = a.Y < b.Y;
      const PointF top = down ? a : b, bottom = down ? b : a;
      e.x0 = top.X;
      e.y0 = top.Y;
      e.slope = (double(bottom.X) - top.X) / (double(bottom.Y) - top.Y);
      e.firstRow = FirstRowAtOrAbove(top.Y);
      e.endRow = FirstRowAtOrAbove(bottom.Y);
      e.winding = down ? 1 : -1;
      if (e.firstRow < e.endRow) edges.push_back(e);
    }
    start = end;
  }

  std::vector<pixman_box32_t> boxes;
  if (!edges.empty()) {
    std::sort(edges.begin(), edges.end(),
              [](const Edge& l, const Edge& r) { return l.firstRow < r.firstRow; });
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::vector<pixman_box32_t> row, band;
    std::size_t next = 0;
    long long work = 0;
    int row_y = edges.front().firstRow;
    int bandTop = 0, bandBottom = 0;
    auto flushBand = [&] {
      for (pixman_box32_t box : band) {
        box.y1 = bandTop;
        box.y2 = bandBottom;
        boxes.push_back(box);
      }
      band.clear();
    };
    while (next < edges.size() || !active.empty()) {
      if (active.empty() && edges[next].firstRow > row_y) {
        row_y = edges[next].firstRow;
      }
      while (next < edges.size() && edges[next].firstRow <= row_y) active.push_back(&edges[next++]);
      active.erase(std::remove_if(active.begin(), active.end(),
                                  [&](const Edge* e) { return e->endRow <= row_y; }),
                   active.end());
      if (active.empty()) continue;
      work += static_cast<long long>(active.size());
      if (work > kMaxScanWork) return false;

      crossings.clear();
      for (const Edge* e : active) {
        crossings.push_back({e->x0 + (row_y - e->y0) * e->slope, e->winding});
      }
      std::sort(crossings.begin(), crossings.end(),
                [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
      row.clear();
      int winding = 0;
      for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
        winding += fillMode == FillModeWinding ? crossings[k].winding : 1;
        const bool inside = fillMode == FillModeWinding ? winding != 0 : (winding & 1) != 0;
        if (!inside) continue;
        const int left = FirstRowAtOrAbove(crossings[k].x);
        const int right = FirstRowAtOrAbove(crossings[k + 1].x);
        if (left >= right) continue;
        if (!row.empty() && row.back().x2 >= left) {
          row.back().x2 = std::max(row.back().x2, right);
        } else {
          row.push_back({left, 0, right, 0});
        }
      }
      // Rows with the same spans as the band above extend it.
      const bool sameSpans = !band.empty() && bandBottom == row_y && band.size() == row.size() &&
                             std::equal(band.begin(), band.end(), row.begin(),
                                        [](const pixman_box32_t& l, const pixman_box32_t& r) {
                                          return l.x1 == r.x1 && l.x2 == r.x2;
                                        });
      // With only vertical edges active, every row up to the next edge event
      // repeats this one: tall rectangles cost one row, not their height.
      int repeat = 1;
      if (std::all_of(active.begin(), active.end(), [](const Edge* e) { return e->slope == 0; })) {
        int nextEvent = next < edges.size() ? edges[next].firstRow : int(kMax);
        for (const Edge* e : active) nextEvent = std::min(nextEvent, e->endRow);
        repeat = std::max(1, nextEvent - row_y);
      }
      if (sameSpans) {
        bandBottom = row_y + repeat;
      } else {
        flushBand();
        band = row;
        bandTop = row_y;
        bandBottom = row_y + repeat;
      }
      row_y += repeat;
      if (row_y >= int(kMax)) break;
    }
    flushBand();
  }
  RegionMask result;
  if (!boxes.empty() &&
      !pixman_region32_init_rects(result.get(), boxes.data(), int(boxes.size()))) {
    return false;
  }
  *out = std::move(result);
  return true;
}

}  // namespace Gdiplus
