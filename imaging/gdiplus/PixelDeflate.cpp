#include "PixelDeflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace Gdiplus {

namespace {

constexpr int kLitLenSymbols = 286;
constexpr int kDistSymbols = 30;
constexpr int kCodeLenSymbols = 19;
constexpr int kMaxCodeBits = 15;
constexpr int kMaxCodeLenBits = 7;
constexpr unsigned kEndOfBlock = 256;
constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMaxMatch = 258;
// Tokens per block: a default picture's fit in one, so its codes are built
// once; larger pictures get codes fitted to each part.
constexpr std::size_t kBlockTokens = std::size_t(1) << 16;
// A block's header and end code: 17 + 19 * 3 bits, and at most 7 + 7 bits
// for each of the 316 code lengths.
constexpr std::size_t kMaxHeaderBytes = 640;

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                     4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                     9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::array<std::uint8_t, kCodeLenSymbols> kCodeLenOrder = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct LengthTable {
  std::array<std::uint8_t, kMaxMatch + 1> code{};  // symbol minus 257
};

constexpr LengthTable MakeLengthTable() {
  LengthTable table;
  for (std::size_t length = 3; length <= kMaxMatch; ++length) {
    std::size_t code = 0;
    while (code + 1 < kLengthBase.size() && kLengthBase[code + 1] <= length) ++code;
    table.code[length] = std::uint8_t(code);
  }
  return table;
}

constexpr LengthTable kLengths = MakeLengthTable();

// Distances 1 to 4 have codes of their own; beyond, two codes share each
// power of two.
int DistanceCode(std::uint32_t distance) {
  const std::uint32_t v = distance - 1;
  if (v < 4) return int(v);
  const int bits = std::bit_width(v) - 1;
  return 2 * bits + int((v >> (bits - 1)) & 1);
}

// A token is a literal byte, or a match: its length, and its distance less one.
constexpr std::uint32_t kMatchFlag = 0x80000000u;
constexpr int kDistanceShift = 9;
// Pixel pairs seen, by hash, for matches at any distance: patterns repeat
// along rows, and colours recur across a picture.
constexpr int kHashBits = 13;

// Gives symbols without a count one, until two have: a code of one symbol
// would be incomplete, which inflaters refuse for the code-length code.
template <std::size_t N>
void KeepTwoSymbols(std::array<std::uint32_t, N>& counts) {
  int used = int(std::count_if(counts.begin(), counts.end(), [](auto c) { return c != 0; }));
  for (std::size_t s = 0; used < 2; ++s) {
    if (counts[s] == 0) {
      counts[s] = 1;
      ++used;
    }
  }
}

// Huffman code lengths of at most limit bits for the symbols with a count;
// those without get none.
template <std::size_t N>
void BuildLengths(const std::array<std::uint32_t, N>& counts, int limit,
                  std::array<std::uint8_t, N>& lengths) {
  // Sorted by count, then symbol, as one integer key each.
  std::array<std::uint64_t, N> keys;
  int used = 0;
  for (std::size_t s = 0; s < N; ++s) {
    lengths[s] = 0;
    if (counts[s] != 0) keys[used++] = std::uint64_t(counts[s]) << 16 | s;
  }
  std::sort(keys.begin(), keys.begin() + used);
  std::array<std::uint16_t, N> symbols;
  for (int k = 0; k < used; ++k) symbols[k] = std::uint16_t(keys[k]);
  // Leaves in rising weight, then the joined nodes, which come out in
  // rising weight too: two queues build the tree without a heap.
  std::array<std::uint64_t, 2 * N> weight;
  std::array<std::uint16_t, 2 * N> parent;
  for (int k = 0; k < used; ++k) weight[k] = counts[symbols[k]];
  int leaf = 0, joined = used;
  const int nodes = 2 * used - 1;
  for (int next = used; next < nodes; ++next) {
    auto take = [&] {
      if (leaf < used && (joined >= next || weight[leaf] <= weight[joined])) return leaf++;
      return joined++;
    };
    const int a = take();
    const int b = take();
    weight[next] = weight[a] + weight[b];
    parent[a] = parent[b] = std::uint16_t(next);
  }
  std::array<std::uint16_t, 2 * N> depth;
  depth[nodes - 1] = 0;
  std::array<int, 2 * N + 1> perLength{};
  int longest = 0;
  for (int k = nodes - 2; k >= 0; --k) {
    depth[k] = std::uint16_t(depth[parent[k]] + 1);
    if (k < used) {
      ++perLength[depth[k]];
      longest = std::max<int>(longest, depth[k]);
    }
  }
  // Too-deep leaves come in sibling pairs: one moves up to its parent's
  // place, the other joins a shallower leaf pushed down a level. Every step
  // keeps the code complete.
  for (int i = longest; i > limit; --i) {
    while (perLength[i] > 0) {
      int j = i - 2;
      while (perLength[j] == 0) --j;
      perLength[i] -= 2;
      perLength[i - 1] += 1;
      perLength[j + 1] += 2;
      perLength[j] -= 1;
    }
  }
  // The rarest symbols take the longest codes.
  int k = 0;
  for (int length = std::min(longest, limit); length >= 1; --length) {
    for (int c = 0; c < perLength[length]; ++c) lengths[symbols[k++]] = std::uint8_t(length);
  }
}

// Canonical codes, bit-reversed: deflate sends codes from their first bit.
template <std::size_t N>
void BuildCodes(const std::array<std::uint8_t, N>& lengths, std::array<std::uint16_t, N>& codes) {
  std::array<std::uint16_t, kMaxCodeBits + 1> perLength{}, next{};
  for (std::uint8_t length : lengths) ++perLength[length];
  perLength[0] = 0;
  for (int length = 1, code = 0; length <= kMaxCodeBits; ++length) {
    code = (code + perLength[length - 1]) << 1;
    next[length] = std::uint16_t(code);
  }
  for (std::size_t s = 0; s < N; ++s) {
    const int length = lengths[s];
    if (length == 0) continue;
    std::uint32_t code = next[length]++, reversed = 0;
    for (int b = 0; b < length; ++b, code >>= 1) reversed = (reversed << 1) | (code & 1);
    codes[s] = std::uint16_t(reversed);
  }
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<BYTE>& out) : out_(out), at_(out.size()) {}

  // Room for bytes more bytes; may throw std::bad_alloc.
  void Reserve(std::size_t bytes) {
    if (out_.size() - at_ < bytes + 8) out_.resize(std::max(at_ + bytes + 8, out_.size() * 2));
  }

  // The writer's state as a value, for the loop over a block's tokens: kept
  // in a member, it would be stored and loaded again around every output
  // byte, which may alias anything. Only from Open to Close, and within the
  // room reserved.
  struct Bits {
    BYTE* at;
    std::uint64_t buffer;
    int used;

    void Put(std::uint32_t bits, int count) {
      buffer |= std::uint64_t(bits) << used;
      used += count;
      if (used >= 32) {
        const std::uint32_t low = std::uint32_t(buffer);
        const BYTE bytes[4] = {BYTE(low), BYTE(low >> 8), BYTE(low >> 16), BYTE(low >> 24)};
        std::memcpy(at, bytes, 4);
        at += 4;
        buffer >>= 32;
        used -= 32;
      }
    }
  };
  Bits Open() { return Bits{out_.data() + at_, buffer_, used_}; }
  void Close(const Bits& bits) {
    at_ = std::size_t(bits.at - out_.data());
    buffer_ = bits.buffer;
    used_ = bits.used;
  }

  // For the few writes outside a block's tokens. count is at most 16.
  void Put(std::uint32_t bits, int count) {
    Bits state = Open();
    state.Put(bits, count);
    Close(state);
  }
  void PutByte(BYTE byte) { Put(byte, 8); }

  // Pads with zero bits to a whole byte.
  void Align() { used_ = (used_ + 7) & ~7; }

  // The stream ends here, aligned.
  void Finish() {
    for (; used_ > 0; used_ -= 8, buffer_ >>= 8) out_[at_++] = BYTE(buffer_);
    out_.resize(at_);
  }

 private:
  std::vector<BYTE>& out_;
  std::size_t at_;
  std::uint64_t buffer_ = 0;
  int used_ = 0;
};

class PixelDeflater {
 public:
  PixelDeflater(std::size_t rowBytes, BitWriter& writer) : rowBytes_(rowBytes), writer_(writer) {
    tokens_.reset(new std::uint32_t[kBlockTokens]);
    seen_.resize(std::size_t(1) << kHashBits);
  }

  void Rows(const BYTE* rows, std::size_t height) {
    const std::size_t pixels = (rowBytes_ - 1) / 4;
    // Rows longer than the window cannot copy from the row above.
    const bool upInReach = rowBytes_ <= kWindow;
    for (std::size_t y = 0; y < height; ++y) {
      const BYTE* p = rows + y * rowBytes_;
      MakeRoom(1);
      Literal(*p++);
      for (std::size_t x = 0; x < pixels;) {
        const std::size_t room = pixels - x;
        std::size_t run = 0, distance = 0;
        if (x > 0) {
          while (run < room && Pixel(p + 4 * run) == Pixel(p + 4 * run - 4)) ++run;
          distance = 4;
        }
        if (y > 0 && upInReach) {
          std::size_t up = 0;
          while (up < room && Pixel(p + 4 * up) == Pixel(p + 4 * up - rowBytes_)) ++up;
          if (up > run) {
            run = up;
            distance = rowBytes_;
          }
        }
        // Long runs of a neighbour seldom have a longer match elsewhere.
        if (room >= 2 && run < 4) {
          // Anything shorter than two pixels costs about what its literals do.
          const std::uint32_t at = std::uint32_t(p - rows);
          std::uint32_t& seen = seen_[Hash(p)];
          const std::uint32_t back = at - seen;
          if (seen != 0 && back <= kWindow) {
            const BYTE* from = p - back;
            std::size_t same = 0;
            while (same < room && Pixel(p + 4 * same) == Pixel(from + 4 * same)) ++same;
            if (same >= 2 && same > run) {
              run = same;
              distance = back;
            }
          }
          seen = at;
        }
        MakeRoom(4);
        if (run == 0) {
          for (int b = 0; b < 4; ++b) {
            tokens_[tokenCount_++] = p[b];
            ++channelCounts_[b][p[b]];
          }
          p += 4;
          ++x;
          continue;
        }
        Match(4 * run, std::uint32_t(distance));
        p += 4 * run;
        x += run;
      }
      for (std::size_t b = 4 * pixels + 1; b < rowBytes_; ++b) {
        MakeRoom(1);
        Literal(*p++);
      }
    }
    WriteBlock(true);
  }

 private:
  static std::uint32_t Pixel(const BYTE* p) {
    std::uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
  }

  static std::size_t Hash(const BYTE* p) {
    std::uint64_t pair;
    std::memcpy(&pair, p, 8);
    return std::size_t((pair * 0x9E3779B97F4A7C15ull) >> (64 - kHashBits));
  }

  void MakeRoom(std::size_t tokens) {
    if (tokenCount_ + tokens > kBlockTokens) WriteBlock(false);
  }

  void Literal(BYTE byte) {
    tokens_[tokenCount_++] = byte;
    ++litLenCounts_[byte];
  }

  // Runs longer than a match go out as 256-byte matches and a rest, which
  // is a whole number of pixels and so never shorter than a match may be.
  void Match(std::size_t bytes, std::uint32_t distance) {
    const int code = DistanceCode(distance);
    for (;;) {
      const std::size_t length = bytes > kMaxMatch ? 256 : bytes;
      MakeRoom(1);
      tokens_[tokenCount_++] =
          kMatchFlag | (distance - 1) << kDistanceShift | std::uint32_t(length);
      ++litLenCounts_[257 + kLengths.code[length]];
      ++distCounts_[code];
      bytes -= length;
      if (bytes == 0) return;
    }
  }

  void WriteBlock(bool last) {
    for (auto& channel : channelCounts_) {
      for (int byte = 0; byte < 256; ++byte) litLenCounts_[byte] += channel[byte];
      channel.fill(0);
    }
    litLenCounts_[kEndOfBlock] = 1;
    KeepTwoSymbols(litLenCounts_);
    KeepTwoSymbols(distCounts_);
    BuildLengths(litLenCounts_, kMaxCodeBits, litLenLengths_);
    BuildLengths(distCounts_, kMaxCodeBits, distLengths_);
    BuildCodes(litLenLengths_, litLenCodes_);
    BuildCodes(distLengths_, distCodes_);
    writer_.Reserve(kMaxHeaderBytes + TokenBits() / 8);
    WriteHeader(last);

    BitWriter::Bits bits = writer_.Open();
    const std::uint32_t* const tokens = tokens_.get();
    for (std::size_t t = 0, count = tokenCount_; t < count; ++t) {
      const std::uint32_t token = tokens[t];
      if (!(token & kMatchFlag)) {
        bits.Put(litLenCodes_[token], litLenLengths_[token]);
        continue;
      }
      const unsigned length = token & 0x1ff;
      const int code = kLengths.code[length];
      bits.Put(litLenCodes_[257 + code], litLenLengths_[257 + code]);
      if (kLengthExtra[code]) bits.Put(length - kLengthBase[code], kLengthExtra[code]);
      const std::uint32_t distance = ((token & ~kMatchFlag) >> kDistanceShift) + 1;
      const int dist = DistanceCode(distance);
      bits.Put(distCodes_[dist], distLengths_[dist]);
      if (kDistExtra[dist]) bits.Put(distance - kDistBase[dist], kDistExtra[dist]);
    }
    bits.Put(litLenCodes_[kEndOfBlock], litLenLengths_[kEndOfBlock]);
    writer_.Close(bits);

    tokenCount_ = 0;
    litLenCounts_.fill(0);
    distCounts_.fill(0);
  }

  // What the block's tokens take, end code included.
  std::size_t TokenBits() const {
    std::size_t bits = 0;
    for (int s = 0; s < kLitLenSymbols; ++s) {
      const int extra = s > 256 ? kLengthExtra[s - 257] : 0;
      bits += std::size_t(litLenCounts_[s]) * (litLenLengths_[s] + extra);
    }
    for (int s = 0; s < kDistSymbols; ++s) {
      bits += std::size_t(distCounts_[s]) * (distLengths_[s] + kDistExtra[s]);
    }
    return bits;
  }

  // The two codes' lengths, run-length coded with the code-length code.
  void WriteHeader(bool last) {
    int litLens = kLitLenSymbols, dists = kDistSymbols;
    while (litLens > 257 && litLenLengths_[litLens - 1] == 0) --litLens;
    while (dists > 1 && distLengths_[dists - 1] == 0) --dists;
    std::array<std::uint8_t, kLitLenSymbols + kDistSymbols> all;
    std::copy_n(litLenLengths_.begin(), litLens, all.begin());
    std::copy_n(distLengths_.begin(), dists, all.begin() + litLens);
    const int total = litLens + dists;

    // Each entry: a code-length symbol, its extra bits' value and count.
    struct Step {
      std::uint8_t symbol, extra, extraBits;
    };
    std::array<Step, kLitLenSymbols + kDistSymbols> steps;
    int count = 0;
    std::array<std::uint32_t, kCodeLenSymbols> counts{};
    auto add = [&](int symbol, int extra, int extraBits) {
      steps[count++] = {std::uint8_t(symbol), std::uint8_t(extra), std::uint8_t(extraBits)};
      ++counts[symbol];
    };
    for (int i = 0; i < total;) {
      const std::uint8_t value = all[i];
      int run = 1;
      while (i + run < total && all[i + run] == value) ++run;
      i += run;
      if (value == 0) {
        for (; run >= 11; run -= std::min(run, 138)) add(18, std::min(run, 138) - 11, 7);
        if (run >= 3) {
          add(17, run - 3, 3);
          run = 0;
        }
      } else {
        add(value, 0, 0);
        --run;
        for (; run >= 3; run -= std::min(run, 6)) add(16, std::min(run, 6) - 3, 2);
      }
      for (; run > 0; --run) add(value, 0, 0);
    }
    KeepTwoSymbols(counts);
    std::array<std::uint8_t, kCodeLenSymbols> lengths;
    std::array<std::uint16_t, kCodeLenSymbols> codes;
    BuildLengths(counts, kMaxCodeLenBits, lengths);
    BuildCodes(lengths, codes);
    int sent = kCodeLenSymbols;
    while (sent > 4 && lengths[kCodeLenOrder[sent - 1]] == 0) --sent;

    writer_.Put(last ? 1 : 0, 1);
    writer_.Put(2, 2);  // dynamic Huffman codes
    writer_.Put(litLens - 257, 5);
    writer_.Put(dists - 1, 5);
    writer_.Put(sent - 4, 4);
    for (int k = 0; k < sent; ++k) writer_.Put(lengths[kCodeLenOrder[k]], 3);
    for (int k = 0; k < count; ++k) {
      writer_.Put(codes[steps[k].symbol], lengths[steps[k].symbol]);
      if (steps[k].extraBits) writer_.Put(steps[k].extra, steps[k].extraBits);
    }
  }

  std::size_t rowBytes_;
  BitWriter& writer_;
  std::unique_ptr<std::uint32_t[]> tokens_;
  std::size_t tokenCount_ = 0;
  std::array<std::uint32_t, kLitLenSymbols> litLenCounts_{};
  // A pixel's literals are counted per channel: counting them in one table
  // would make each count wait on the one before when bytes repeat, as
  // alpha always does.
  std::array<std::array<std::uint32_t, 256>, 4> channelCounts_{};
  std::array<std::uint32_t, kDistSymbols> distCounts_{};
  std::array<std::uint8_t, kLitLenSymbols> litLenLengths_{};
  std::array<std::uint8_t, kDistSymbols> distLengths_{};
  std::array<std::uint16_t, kLitLenSymbols> litLenCodes_{};
  std::array<std::uint16_t, kDistSymbols> distCodes_{};
  // Where each hashed pixel pair was last seen, as an offset from the
  // first row; 0 is the first row's filter byte, never a pixel, so none.
  std::vector<std::uint32_t> seen_;
};

}  // namespace

bool DeflatePixelRows(const BYTE* rows, std::size_t rowBytes, std::size_t height,
                      std::vector<BYTE>& out) {
  const std::size_t start = out.size();
  try {
    BitWriter writer(out);
    writer.Reserve(2);
    // Deflate with a 32 KB window, marked as the fastest compression.
    writer.PutByte(0x78);
    writer.PutByte(0x01);
    PixelDeflater deflater(rowBytes, writer);
    deflater.Rows(rows, height);
    writer.Align();
    writer.Reserve(4);
    const std::uint32_t adler = libdeflate_adler32(1, rows, rowBytes * height);
    for (int shift = 24; shift >= 0; shift -= 8) writer.PutByte(BYTE(adler >> shift));
    writer.Finish();
  } catch (const std::bad_alloc&) {
    out.resize(start);
    return false;
  }
  return true;
}

}  // namespace Gdiplus
