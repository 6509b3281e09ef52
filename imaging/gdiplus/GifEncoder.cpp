#include "GifEncoder.h"

#include <memory>
#include <new>
#include <optional>
#include <vector>

#include <gif_lib.h>

#include "EncoderPalette.h"

namespace Gdiplus {

namespace {

// The logical screen stores its size in 16 bits.
constexpr UINT kMaxDimension = 0xFFFF;

// A failed write is remembered by the sink and reported at the end.
int WriteToSink(GifFileType* gif, const GifByteType* data, int size) {
  if (size <= 0) return 0;
  return static_cast<EncoderSink*>(gif->UserData)->Write(data, std::size_t(size)) ? size : 0;
}

// EGifCloseFile writes the trailer and frees the handle even when it fails.
struct GifDeleter {
  void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
using GifHandle = std::unique_ptr<GifFileType, GifDeleter>;

// GIF colour tables hold a power of two entries, at least two.
int TableBits(UINT colors) {
  int bits = 1;
  while ((UINT(1) << bits) < colors) ++bits;
  return bits;
}

Status WriteGif(GifFileType* gif, const EncoderPixels& pixels, const EncoderPalette& palette,
                std::vector<BYTE>& row) {
  GifColorType colors[EncoderPalette::kMaxColors] = {};
  for (UINT i = 0; i < palette.Size(); ++i) {
    colors[i] = {palette.Colors()[i].red, palette.Colors()[i].green, palette.Colors()[i].blue};
  }
  const int bits = TableBits(palette.Size());
  ColorMapObject table = {};
  table.ColorCount = 1 << bits;
  table.BitsPerPixel = bits;
  table.Colors = colors;

  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, int(pixels.width), int(pixels.height), 8, 0, &table) != GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, int(pixels.width), int(pixels.height), false, nullptr) !=
          GIF_OK) {
    return GenericError;
  }
  for (UINT y = 0; y < pixels.height; ++y) {
    palette.MapRow(pixels.Row(y), pixels.width, row.data());
    if (EGifPutLine(gif, row.data(), int(pixels.width)) != GIF_OK) return GenericError;
  }
  return Ok;
}

}  // namespace

Status EncodeGif(const EncoderPixels& pixels, const EncoderParameters*, EncoderSink& sink) {
  if (!pixels.IsValid()) return InvalidParameter;
  if (pixels.width > kMaxDimension || pixels.height > kMaxDimension) return ValueOverflow;

  std::optional<EncoderPalette> palette;
  std::vector<BYTE> row;
  try {
    palette.emplace(pixels);
    row.resize(pixels.width);
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  }

  int error = 0;
  GifHandle gif(EGifOpen(&sink, WriteToSink, &error));
  if (!gif) return error == E_GIF_ERR_NOT_ENOUGH_MEM ? OutOfMemory : GenericError;
  Status status = WriteGif(gif.get(), pixels, *palette, row);
  // Closing writes the trailer, so its result counts.
  if (EGifCloseFile(gif.release(), &error) != GIF_OK && status == Ok) status = GenericError;
  if (sink.Failed()) return Win32Error;
  return status;
}

}  // namespace Gdiplus
