#include "RasterDotCache.h"

#include <utility>

#include <emmintrin.h>

#include "RasterSubpixel.h"
#include "ThreadScratch.h"

namespace Gdiplus {

namespace {

// Outlines of 1, 2 or 3 steps per quarter: the points but the last, which
// repeats the first, fill four words.
constexpr int kMaxKeyPoints = 13;
// Coordinates relative to the corner cell are below kCells · 256 < 2^10.
constexpr int kCoordinateBits = 10;
static_assert(DotCoverCache::kCells * kSubpixelScale <= (1 << kCoordinateBits));
constexpr int kPerWord = 6;
static_assert(2 * (kMaxKeyPoints - 1) <= 4 * kPerWord);
// Each word keeps its top four bits clear of coordinates: the first word's
// take the point count, the last word's a mark of a real key (an empty
// slot is all zero).
constexpr int kCountShift = kPerWord * kCoordinateBits;
static_assert(kMaxKeyPoints < (1 << (64 - kCountShift)));
constexpr std::uint64_t kUsed = std::uint64_t(1) << 63;

// Look-ups are judged in windows; a window of mostly misses rests the
// cache for a while.
constexpr int kWindow = 4096;
constexpr int kWorthwhileHits = kWindow / 8;
constexpr int kRest = 16 * kWindow;

// Point i's coordinates relative to the origin, in slots 2i and 2i + 1.
template <int kPoint>
void PackPoint(const SubpixelPoint* points, int originX, int originY, DotCoverCache::Key* key) {
  constexpr int kSlot = 2 * kPoint;
  key->words[kSlot / kPerWord] |= std::uint64_t(points[kPoint].x - originX)
                                  << (kSlot % kPerWord * kCoordinateBits);
  key->words[(kSlot + 1) / kPerWord] |= std::uint64_t(points[kPoint].y - originY)
                                        << ((kSlot + 1) % kPerWord * kCoordinateBits);
}

// Every point but the last, unrolled: this runs for every dot.
template <int... kPoints>
void Pack(std::integer_sequence<int, kPoints...>, const SubpixelPoint* points, int originX,
          int originY, DotCoverCache::Key* key) {
  (PackPoint<kPoints>(points, originX, originY, key), ...);
}

}  // namespace

DotCoverCache::Entry* DotCoverCache::Set(const Key& key) const {
  const std::uint64_t hash =
      key.words[0] * 0x9E3779B97F4A7C15ull ^ key.words[1] * 0xC2B2AE3D27D4EB4Full ^
      key.words[2] * 0x165667B19E3779F9ull ^ key.words[3] * 0x27D4EB2F165667C5ull;
  return &entries_[(hash >> (64 - kSetBits)) * kWays];
}

DotCoverCache& DotCoverCache::ForThisThread() {
  return ThreadScratch<DotCoverCache>();
}

bool DotCoverCache::MakeKey(const SubpixelPoint* points, int count, int left, int top, Key* key) {
  if (points[count - 1].x != points[0].x || points[count - 1].y != points[0].y) return false;
  const int originX = left * kSubpixelScale, originY = top * kSubpixelScale;
  *key = Key{{std::uint64_t(count) << kCountShift, 0, 0, kUsed}};
  switch (count) {
    case 5:
      Pack(std::make_integer_sequence<int, 4>(), points, originX, originY, key);
      return true;
    case 9:
      Pack(std::make_integer_sequence<int, 8>(), points, originX, originY, key);
      return true;
    case 13:
      Pack(std::make_integer_sequence<int, 12>(), points, originX, originY, key);
      return true;
    default:
      return false;
  }
}

bool DotCoverCache::MakePhaseKey(const DotAxes& axes, PhaseKey* key) {
  static_assert(2 * kSubpixelShift == kPhaseBits);
  // Each span is kept plus one, so that a tag is never 0; one step has no
  // points between the axis values, and the spans from the low ones skip
  // them, leaving bytes 0 that no tag of two steps has.
  std::uint64_t tag = 0;
  if (axes.steps == 2) {
    // The four spans of each axis side by side, packed to bytes.
    const __m128i spanX =
        _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(axes.x + 1)),
                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(axes.x)));
    const __m128i spanY =
        _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(axes.y + 1)),
                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(axes.y)));
    const __m128i zero = _mm_setzero_si128(), most = _mm_set1_epi32(kMaxSpan);
    const __m128i bad =
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi32(spanX, zero), _mm_cmpgt_epi32(spanX, most)),
                     _mm_or_si128(_mm_cmplt_epi32(spanY, zero), _mm_cmpgt_epi32(spanY, most)));
    if (_mm_movemask_epi8(bad) != 0) return false;
    const __m128i one = _mm_set1_epi32(1);
    const __m128i words = _mm_packs_epi32(_mm_add_epi32(spanX, one), _mm_add_epi32(spanY, one));
    tag = std::uint64_t(_mm_cvtsi128_si64(_mm_packus_epi16(words, words)));
  } else {
    for (int i = 0; i + 2 <= 4; i += 2) {
      const int spanX = axes.x[i + 2] - axes.x[i], spanY = axes.y[i + 2] - axes.y[i];
      if (spanX < 0 || spanX > kMaxSpan || spanY < 0 || spanY > kMaxSpan) return false;
      tag |= std::uint64_t(spanX + 1) << (8 * i) | std::uint64_t(spanY + 1) << (8 * i + 32);
    }
  }
  // The low axis values come first: with the spans, their phases place
  // every point of the outline in the cells from theirs.
  key->index = std::uint32_t(axes.x[0] & kSubpixelMask) | std::uint32_t(axes.y[0] & kSubpixelMask)
                                                              << kSubpixelShift;
  key->tag = tag;
  return true;
}

bool DotCoverCache::Worthwhile() {
  if (resting_ > 0) {
    --resting_;
    return false;
  }
  if (++lookups_ > kWindow) {
    if (hits_ < kWorthwhileHits) resting_ = kRest;
    lookups_ = 1;
    hits_ = 0;
  }
  return resting_ == 0;
}

const DotCoverCache::Cover* DotCoverCache::Find(const Key& key) {
  if (!entries_) return nullptr;
  Entry* set = Set(key);
  for (int way = 0; way < kWays; ++way) {
    if (set[way].key == key) {
      ++hits_;
      return &set[way].cover;
    }
  }
  return nullptr;
}

void DotCoverCache::Prefetch(const Key& key) const {
  if (!entries_) return;
  const char* set = reinterpret_cast<const char*>(Set(key));
  for (std::size_t offset = 0; offset < kWays * sizeof(Entry); offset += 64)
    __builtin_prefetch(set + offset);
  __builtin_prefetch(set + kWays * sizeof(Entry) - 1);
}

const DotCoverCache::Cover* DotCoverCache::Find(const PhaseKey& key) {
  if (!phases_ || phases_[key.index].tag != key.tag) return nullptr;
  ++hits_;
  return &phases_[key.index].cover;
}

void DotCoverCache::Prefetch(const PhaseKey& key) const {
  if (phases_) __builtin_prefetch(&phases_[key.index]);
}

void DotCoverCache::Store(const PhaseKey& key, const Cover& cover) {
  if (!phases_) phases_ = std::make_unique<PhaseEntry[]>(std::size_t(1) << kPhaseBits);
  phases_[key.index] = PhaseEntry{key.tag, cover};
}

void DotCoverCache::Store(const Key& key, const Cover& cover) {
  if (!entries_) entries_ = std::make_unique<Entry[]>(std::size_t(kWays) << kSetBits);
  Set(key)[victim_++ % kWays] = Entry{key, cover};
}

}  // namespace Gdiplus
