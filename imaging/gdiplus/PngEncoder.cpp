#include "PngEncoder.h"

#include <libdeflate.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "Bitmap.h"
#include "PixelDeflate.h"

namespace Gdiplus {

namespace {

// Why rows go unfiltered: pictures here are mostly runs of identical pixels,
// which filter type None keeps as repeats. Measured on the default picture
// (style 31, 250x50, 50 seeds) against libpng's adaptive filters at zlib
// level 6, libdeflate's level 1 took a ninth of the instructions for the same
// size (+0.5 %), and was 10 % smaller averaged over every style. zlib's level
// 1 costs more time and 14 % in size; its Z_RLE strategy is smaller here but
// 2.5 times larger averaged over every style; choosing a filter per row made
// files larger and slower.
//
// Where most pixels repeat the one to their left or above, DeflatePixelRows
// takes half libdeflate's time for about the same size. Noise and textures
// would leave its files a third larger, and take it longer: those go to
// libdeflate.
constexpr int kCompressionLevel = 1;

// 96 dots per inch in the metre-based unit of the pHYs chunk.
constexpr std::uint32_t kPixelsPerMetre = 3780;
// The PNG format's largest dimension and chunk length.
constexpr std::uint32_t kMaxPngInt = 0x7fffffff;
// Compressed data goes out in IDAT chunks of at most this many bytes.
constexpr std::size_t kMaxIdatBytes = std::size_t(1) << 30;
// The most scanline bytes a bitmap of this layer can give: 4 bytes a pixel
// and a filter byte a row, at most 5 per 4 pixel bytes (one-pixel rows).
constexpr std::size_t kMaxRawBytes = Bitmap::kMaxBytes / 4 * 5;

constexpr BYTE kFilterNone = 0;
// Below this share of pixels equal to their left or upper neighbour, in
// tenths, a picture goes to libdeflate.
constexpr std::size_t kRunsTenths = 6;
constexpr BYTE kColorTypeRgba = 6;
constexpr BYTE kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};

struct CompressorDeleter {
  void operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
  }
};

using CompressorPtr = std::unique_ptr<libdeflate_compressor, CompressorDeleter>;

// A compressor is some 200 KB that would otherwise be allocated for every
// picture, so a few are kept for reuse. Not thread_local: a thread-exit
// destructor would pin the module in memory past the COM library's unload.
class CompressorPool {
 public:
  CompressorPtr Take() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!idle_.empty()) {
        CompressorPtr compressor = std::move(idle_.back());
        idle_.pop_back();
        return compressor;
      }
    }
    return CompressorPtr(libdeflate_alloc_compressor(kCompressionLevel));
  }

  void Give(CompressorPtr compressor) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (idle_.size() < kMaxIdle) idle_.push_back(std::move(compressor));
  }

 private:
  static constexpr std::size_t kMaxIdle = 8;
  std::mutex mutex_;
  std::vector<CompressorPtr> idle_;
};

CompressorPool& Compressors() {
  static CompressorPool pool;
  return pool;
}

// Hands the compressor back on every path out of the encoder.
class BorrowedCompressor {
 public:
  BorrowedCompressor() : compressor_(Compressors().Take()) {}
  ~BorrowedCompressor() {
    if (compressor_) Compressors().Give(std::move(compressor_));
  }
  libdeflate_compressor* get() const { return compressor_.get(); }

 private:
  CompressorPtr compressor_;
};

BYTE* PutBigEndian32(BYTE* out, std::uint32_t value) {
  out[0] = BYTE(value >> 24);
  out[1] = BYTE(value >> 16);
  out[2] = BYTE(value >> 8);
  out[3] = BYTE(value);
  return out + 4;
}

// One chunk: length, type, data, then the CRC of type and data.
void WriteChunk(EncoderSink& sink, const char (&type)[5], const BYTE* data, std::size_t size) {
  BYTE head[8];
  PutBigEndian32(head, std::uint32_t(size));
  std::memcpy(head + 4, type, 4);
  std::uint32_t crc = libdeflate_crc32(0, head + 4, 4);
  // A null buffer would restart the CRC at 0, and IEND has no data.
  if (size) crc = libdeflate_crc32(crc, data, size);
  BYTE tail[4];
  PutBigEndian32(tail, crc);
  sink.Write(head, sizeof head);
  if (size) sink.Write(data, size);
  sink.Write(tail, sizeof tail);
}

// PNG's scanlines: a filter byte, then R, G, B, A for each pixel. A pixel is
// a little-endian word, B, G, R, A (as everywhere in this layer); rotating its
// B and R bytes by 16 bits swaps them.
void Scanlines(const EncoderPixels& pixels, BYTE* out) {
  for (UINT y = 0; y < pixels.height; ++y) {
    const BYTE* in = pixels.Row(y);
    *out++ = kFilterNone;
    for (UINT x = 0; x < pixels.width; ++x, in += 4, out += 4) {
      std::uint32_t bgra;
      std::memcpy(&bgra, in, 4);
      const std::uint32_t rgba = (bgra & 0xff00ff00u) | std::rotl(bgra & 0x00ff00ffu, 16);
      std::memcpy(out, &rgba, 4);
    }
  }
}

// Whether pixels equal to their left or upper neighbour reach the share
// DeflatePixelRows needs, judged on every fourth row.
bool MostlyRepeats(const EncoderPixels& pixels) {
  std::size_t repeats = 0, seen = 0;
  for (UINT y = pixels.height > 1 ? 1 : 0; y < pixels.height; y += 4) {
    const BYTE* row = pixels.Row(y);
    const BYTE* above = y > 0 ? pixels.Row(y - 1) : row;
    std::uint32_t left = 0;
    for (UINT x = 0; x < pixels.width; ++x) {
      std::uint32_t pixel, up;
      std::memcpy(&pixel, row + 4 * x, 4);
      std::memcpy(&up, above + 4 * x, 4);
      repeats += (x > 0 && pixel == left) || (y > 0 && pixel == up);
      left = pixel;
    }
    seen += pixels.width;
  }
  return repeats * 10 >= seen * kRunsTenths;
}

bool DeflateWithLibdeflate(const BYTE* raw, std::size_t rawBytes, std::vector<BYTE>& out) {
  const BorrowedCompressor borrowed;
  libdeflate_compressor* compressor = borrowed.get();
  if (!compressor) return false;
  try {
    out.resize(libdeflate_zlib_compress_bound(compressor, rawBytes));
  } catch (const std::bad_alloc&) {
    return false;
  }
  out.resize(libdeflate_zlib_compress(compressor, raw, rawBytes, out.data(), out.size()));
  return !out.empty();
}

}  // namespace

Status EncodePng(const EncoderPixels& pixels, const EncoderParameters*, EncoderSink& sink) {
  if (!pixels.IsValid()) return InvalidParameter;
  if (pixels.width > kMaxPngInt || pixels.height > kMaxPngInt) return ValueOverflow;
  // IsValid keeps width * 4 within the 32-bit stride.
  const std::size_t rowBytes = std::size_t(pixels.width) * 4 + 1;
  // Larger pictures are refused before anything is allocated, as bitmaps are.
  if (pixels.height > kMaxRawBytes / rowBytes) return OutOfMemory;
  const std::size_t rawBytes = rowBytes * pixels.height;

  std::unique_ptr<BYTE[]> raw(new (std::nothrow) BYTE[rawBytes]);
  if (!raw) return OutOfMemory;
  Scanlines(pixels, raw.get());
  std::vector<BYTE> compressed;
  const bool deflated = MostlyRepeats(pixels)
                            ? DeflatePixelRows(raw.get(), rowBytes, pixels.height, compressed)
                            : DeflateWithLibdeflate(raw.get(), rawBytes, compressed);
  raw.reset();
  if (!deflated) return OutOfMemory;
  const std::size_t size = compressed.size();

  BYTE header[13];
  BYTE* p = PutBigEndian32(header, pixels.width);
  p = PutBigEndian32(p, pixels.height);
  // 8 bits per sample, RGBA, deflate, adaptive filtering method, no interlace.
  const BYTE rest[5] = {8, kColorTypeRgba, 0, 0, 0};
  std::memcpy(p, rest, sizeof rest);
  BYTE physical[9];
  PutBigEndian32(PutBigEndian32(physical, kPixelsPerMetre), kPixelsPerMetre);
  physical[8] = 1;  // unit: metre

  sink.Write(kSignature, sizeof kSignature);
  WriteChunk(sink, "IHDR", header, sizeof header);
  WriteChunk(sink, "pHYs", physical, sizeof physical);
  for (std::size_t at = 0; at < size; at += kMaxIdatBytes)
    WriteChunk(sink, "IDAT", compressed.data() + at, std::min(size - at, kMaxIdatBytes));
  WriteChunk(sink, "IEND", nullptr, 0);
  return sink.Failed() ? Win32Error : Ok;
}

}  // namespace Gdiplus
