#include "EncoderPalette.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus {

namespace {

constexpr std::size_t kExactSlots = 1024;         // four times the colours kept, a power of two
constexpr std::uint32_t kEmptySlot = 0xFFFFFFFF;  // no 24-bit colour has this value
constexpr int kCellBits = 5;
constexpr std::size_t kCellCount = std::size_t(1) << (3 * kCellBits);
// Slots hold cell numbers below kCellCount; 16 bits keep the table small
// enough to come from the heap rather than fresh pages each call.
constexpr std::uint16_t kNoCell = 0xFFFF;
static_assert(kCellCount <= kNoCell);

std::uint32_t RgbOf(const BYTE* bgra) {
  return (std::uint32_t(bgra[2]) << 16) | (std::uint32_t(bgra[1]) << 8) | bgra[0];
}

std::size_t SlotOf(std::uint32_t rgb) {
  // Fibonacci hashing: the top bits of the product spread nearby colours.
  return std::size_t((rgb * 2654435761u) >> 22) & (kExactSlots - 1);
}

std::uint32_t CellOf(const BYTE* bgra) {
  constexpr int kDrop = 8 - kCellBits;
  return (std::uint32_t(bgra[2] >> kDrop) << (2 * kCellBits)) |
         (std::uint32_t(bgra[1] >> kDrop) << kCellBits) | std::uint32_t(bgra[0] >> kDrop);
}

// One occupied histogram cell: how many pixels fell in it and the sums of
// their channels, red first.
struct Cell {
  std::uint32_t id = 0;
  std::uint64_t count = 0;
  std::uint64_t sum[3] = {0, 0, 0};
  double mean[3] = {0, 0, 0};
};

// A run of cells sharing one palette entry.
struct Box {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::uint64_t count = 0;
  // Squared distance of its pixels from their mean, counting each cell at
  // its own mean; the box with the most is split next.
  double error = 0;
  int axis = 0;

  bool Splittable() const { return end - begin >= 2 && error > 0; }
};

Box MakeBox(const std::vector<Cell>& cells, std::size_t begin, std::size_t end) {
  Box box;
  box.begin = begin;
  box.end = end;
  double sums[3] = {0, 0, 0};
  double squares[3] = {0, 0, 0};
  for (std::size_t i = begin; i < end; ++i) {
    const Cell& cell = cells[i];
    box.count += cell.count;
    for (int c = 0; c < 3; ++c) {
      sums[c] += double(cell.sum[c]);
      squares[c] += double(cell.count) * cell.mean[c] * cell.mean[c];
    }
  }
  double widest = -1;
  for (int c = 0; c < 3; ++c) {
    const double spread = squares[c] - sums[c] * sums[c] / double(box.count);
    box.error += spread;
    if (spread > widest) {
      widest = spread;
      box.axis = c;
    }
  }
  return box;
}

// Cuts the box's cells, ordered along its widest channel, where half of its
// pixels lie on either side; both halves keep at least one cell.
std::size_t SplitPoint(std::vector<Cell>& cells, const Box& box) {
  const int axis = box.axis;
  std::sort(cells.begin() + std::ptrdiff_t(box.begin), cells.begin() + std::ptrdiff_t(box.end),
            [axis](const Cell& a, const Cell& b) { return a.mean[axis] < b.mean[axis]; });
  std::uint64_t below = 0;
  for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
    below += cells[i].count;
    if (below * 2 >= box.count) return i + 1;
  }
  return box.end - 1;
}

}  // namespace

EncoderPalette::EncoderPalette(const EncoderPixels& pixels) {
  exact_ = CollectExactColors(pixels);
  if (!exact_) BuildMedianCut(pixels);
}

int EncoderPalette::FindExact(std::uint32_t rgb) const {
  for (std::size_t slot = SlotOf(rgb);; slot = (slot + 1) & (kExactSlots - 1)) {
    if (exactKeys_[slot] == rgb) return exactIndices_[slot];
    if (exactKeys_[slot] == kEmptySlot) return -1;
  }
}

bool EncoderPalette::InsertExact(std::uint32_t rgb) {
  if (size_ == kMaxColors) return false;
  std::size_t slot = SlotOf(rgb);
  while (exactKeys_[slot] != kEmptySlot) slot = (slot + 1) & (kExactSlots - 1);
  exactKeys_[slot] = rgb;
  exactIndices_[slot] = BYTE(size_);
  colors_[size_] = {BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb)};
  ++size_;
  return true;
}

bool EncoderPalette::CollectExactColors(const EncoderPixels& pixels) {
  exactKeys_.assign(kExactSlots, kEmptySlot);
  exactIndices_.assign(kExactSlots, 0);
  std::uint32_t previous = kEmptySlot;
  for (UINT y = 0; y < pixels.height; ++y) {
    const BYTE* pixel = pixels.Row(y);
    for (UINT x = 0; x < pixels.width; ++x, pixel += 4) {
      const std::uint32_t rgb = RgbOf(pixel);
      if (rgb == previous) continue;
      previous = rgb;
      if (FindExact(rgb) < 0 && !InsertExact(rgb)) {
        size_ = 0;
        exactKeys_ = {};
        exactIndices_ = {};
        return false;
      }
    }
  }
  return true;
}

void EncoderPalette::BuildMedianCut(const EncoderPixels& pixels) {
  std::vector<std::uint16_t> cellSlots(kCellCount, kNoCell);
  std::vector<Cell> cells;
  for (UINT y = 0; y < pixels.height; ++y) {
    const BYTE* pixel = pixels.Row(y);
    for (UINT x = 0; x < pixels.width; ++x, pixel += 4) {
      const std::uint32_t id = CellOf(pixel);
      if (cellSlots[id] == kNoCell) {
        cellSlots[id] = std::uint16_t(cells.size());
        cells.push_back(Cell{id});
      }
      Cell& cell = cells[cellSlots[id]];
      ++cell.count;
      cell.sum[0] += pixel[2];
      cell.sum[1] += pixel[1];
      cell.sum[2] += pixel[0];
    }
  }
  for (Cell& cell : cells) {
    for (int c = 0; c < 3; ++c) cell.mean[c] = double(cell.sum[c]) / double(cell.count);
  }

  std::vector<Box> boxes;
  boxes.reserve(kMaxColors);
  boxes.push_back(MakeBox(cells, 0, cells.size()));
  while (boxes.size() < kMaxColors) {
    Box* widest = nullptr;
    for (Box& box : boxes) {
      if (box.Splittable() && (!widest || box.error > widest->error)) widest = &box;
    }
    if (!widest) break;
    const Box whole = *widest;
    const std::size_t split = SplitPoint(cells, whole);
    *widest = MakeBox(cells, whole.begin, split);
    boxes.push_back(MakeBox(cells, split, whole.end));
  }

  cellIndices_.assign(kCellCount, 0);
  size_ = UINT(boxes.size());
  for (std::size_t index = 0; index < boxes.size(); ++index) {
    const Box& box = boxes[index];
    std::uint64_t sums[3] = {0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i) {
      for (int c = 0; c < 3; ++c) sums[c] += cells[i].sum[c];
      cellIndices_[cells[i].id] = BYTE(index);
    }
    const auto average = [&](int c) {
      return BYTE(std::lround(double(sums[c]) / double(box.count)));
    };
    colors_[index] = {average(0), average(1), average(2)};
  }
}

void EncoderPalette::MapRow(const BYTE* bgra, UINT width, BYTE* indices) const {
  if (!exact_) {
    for (UINT x = 0; x < width; ++x, bgra += 4) indices[x] = cellIndices_[CellOf(bgra)];
    return;
  }
  std::uint32_t previous = kEmptySlot;
  BYTE index = 0;
  for (UINT x = 0; x < width; ++x, bgra += 4) {
    const std::uint32_t rgb = RgbOf(bgra);
    if (rgb != previous) {
      previous = rgb;
      index = BYTE(FindExact(rgb));
    }
    indices[x] = index;
  }
}

}  // namespace Gdiplus
