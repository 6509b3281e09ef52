// The coverage of dots already drawn on this thread, by the subpixel
// outline they were drawn from. AGG's cell arithmetic depends only on the
// outline's position relative to the whole cell holding its corner, so two
// dots whose outlines agree there cover their pixels alike. Styles throw
// thousands of dots at positions on a coarse grid (whole pixels, or a
// fixed share of the picture's size), whose outlines come back again and
// again.
#pragma once

#include <cstdint>
#include <memory>

#include "GdiplusTypes.h"
#include "RasterDot.h"

namespace Gdiplus {

class DotCoverCache {
 public:
  // Dots whose cells span at most this many columns and rows are kept.
  static constexpr int kCells = 3;

  // The outline relative to its grid's corner cell.
  struct Key {
    std::uint64_t words[4];
    bool operator==(const Key&) const = default;
  };
  // AGG's coverage of the grid's cells, row by row.
  struct Cover {
    BYTE columns, rows;
    BYTE alpha[kCells * kCells];
  };

  // The calling thread's cache: each thread has its own, so no lock is
  // needed, and each holds a fixed number of entries.
  static DotCoverCache& ForThisThread();

  // The key of the closed outline of count points (the last repeating the
  // first) whose cells are columns left to left + kCells - 1 or fewer, and
  // as many rows from top; false for an outline of more than 13 points or
  // one that does not end where it starts.
  static bool MakeKey(const SubpixelPoint* points, int count, int left, int top, Key* key);

  // A dot of one or two steps, told apart by where its low axis values fall
  // in their cells (the index) and by the spans between its axis values
  // across and down (the tag, never 0): it is looked up directly, without a
  // hash or a long key to compare. Dots of a pixel or two are of this kind.
  struct PhaseKey {
    std::uint32_t index;
    std::uint64_t tag;
  };
  // The phase key of the axes, for a dot whose cells start with those of
  // its low axis values; false when a span is negative or above kMaxSpan.
  static bool MakePhaseKey(const DotAxes& axes, PhaseKey* key);

  // False while recent look-ups mostly missed: the dots do not repeat, and
  // the cache would only cost. Counts the look-up it allows.
  bool Worthwhile();
  const Cover* Find(const Key& key);
  // Asks for the entries the key may occupy to be fetched ahead of Find.
  void Prefetch(const Key& key) const;
  // Keeps the cover in place of one of the entries the key may occupy.
  void Store(const Key& key, const Cover& cover);
  const Cover* Find(const PhaseKey& key);
  void Prefetch(const PhaseKey& key) const;
  void Store(const PhaseKey& key, const Cover& cover);

 private:
  struct Entry {
    Key key;
    Cover cover;
  };
  static constexpr int kWays = 4;
  static constexpr int kSetBits = 12;

  // The entries the key may occupy.
  Entry* Set(const Key& key) const;

  struct PhaseEntry {
    std::uint64_t tag;  // 0 while empty
    Cover cover;
  };
  // Where a point falls in its cell, across and down.
  static constexpr int kPhaseBits = 16;
  // The longest span a tag keeps: plus one, it still fits a byte.
  static constexpr int kMaxSpan = 254;

  std::unique_ptr<Entry[]> entries_;      // kWays << kSetBits, made at first use
  std::unique_ptr<PhaseEntry[]> phases_;  // 1 << kPhaseBits, made at first use
  unsigned victim_ = 0;                   // the way Store replaces, in turn
  // The current window of look-ups, and the dots left to skip the cache.
  int lookups_ = 0;
  int hits_ = 0;
  int resting_ = 0;
};

}  // namespace Gdiplus
