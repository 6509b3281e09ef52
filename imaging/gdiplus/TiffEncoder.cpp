#include "TiffEncoder.h"

#include <cstdarg>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include <tiffio.h>

#include "EncoderMemoryFile.h"

namespace Gdiplus {

namespace {

constexpr float kDotsPerInch = 96.0f;

EncoderMemoryFile* FileOf(thandle_t handle) {
  return static_cast<EncoderMemoryFile*>(handle);
}

tmsize_t ReadFile(thandle_t handle, void* data, tmsize_t size) {
  if (size < 0) return -1;
  return tmsize_t(FileOf(handle)->Read(data, std::size_t(size)));
}

tmsize_t WriteFile(thandle_t handle, void* data, tmsize_t size) {
  if (size < 0 || !FileOf(handle)->Write(data, std::size_t(size))) return -1;
  return size;
}

toff_t SeekFile(thandle_t handle, toff_t offset, int whence) {
  EncoderMemoryFile* file = FileOf(handle);
  // libtiff passes backward moves as two's-complement offsets.
  if (!file->Seek(std::int64_t(offset), whence)) return std::numeric_limits<toff_t>::max();
  return file->Position();
}

int CloseFile(thandle_t) {
  return 0;
}

toff_t FileSize(thandle_t handle) {
  return FileOf(handle)->Size();
}

int MapNothing(thandle_t, void**, toff_t*) {
  return 0;
}

void UnmapNothing(thandle_t, void*, toff_t) {}

// libtiff would print errors and warnings to stderr; a component has none.
// Failures still reach the encoder through libtiff's return values.
int DiscardMessage(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

struct OpenOptionsDeleter {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
using OpenOptions = std::unique_ptr<TIFFOpenOptions, OpenOptionsDeleter>;

// Closing flushes nothing further once the directory has been written.
struct TiffDeleter {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffDeleter>;

bool SetTags(TIFF* tiff, const EncoderPixels& pixels) {
  const std::uint16_t extraSamples[] = {EXTRASAMPLE_UNASSALPHA};
  return TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(pixels.width)) &&
         TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(pixels.height)) &&
         TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
         TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4) &&
         TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extraSamples) &&
         TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
         TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
         TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
         TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
         TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0)) &&
         TIFFSetField(tiff, TIFFTAG_XRESOLUTION, kDotsPerInch) &&
         TIFFSetField(tiff, TIFFTAG_YRESOLUTION, kDotsPerInch) &&
         TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
}

// TIFF orders the samples R, G, B, A; the bitmap stores B, G, R, A.
void ToRgba(const BYTE* bgra, BYTE* rgba, UINT width) {
  for (UINT x = 0; x < width; ++x, bgra += 4, rgba += 4) {
    rgba[0] = bgra[2];
    rgba[1] = bgra[1];
    rgba[2] = bgra[0];
    rgba[3] = bgra[3];
  }
}

Status WriteImage(TIFF* tiff, const EncoderPixels& pixels) {
  if (!SetTags(tiff, pixels)) return GenericError;
  std::vector<BYTE> row;
  try {
    row.resize(std::size_t(pixels.width) * 4);
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  }
  for (UINT y = 0; y < pixels.height; ++y) {
    // The buffer is rebuilt every row: libtiff may difference it in place.
    ToRgba(pixels.Row(y), row.data(), pixels.width);
    if (TIFFWriteScanline(tiff, row.data(), y, 0) < 0) return GenericError;
  }
  return TIFFWriteDirectory(tiff) ? Ok : GenericError;
}

}  // namespace

Status EncodeTiff(const EncoderPixels& pixels, const EncoderParameters*, EncoderSink& sink) {
  if (!pixels.IsValid()) return InvalidParameter;
  // Classic TIFF addresses its file with 32-bit offsets; the memory file's
  // cap keeps the encoded size far below that.
  if (std::uint64_t(pixels.width) * 4 * pixels.height > EncoderMemoryFile::kMaxSize) {
    return ValueOverflow;
  }

  OpenOptions options(TIFFOpenOptionsAlloc());
  if (!options) return OutOfMemory;
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), DiscardMessage, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), DiscardMessage, nullptr);

  // The file outlives the handle, whose closing still calls into it.
  EncoderMemoryFile file;
  Status status = Ok;
  {
    // "m": never ask to map the file; it lives in memory already.
    TiffHandle tiff(TIFFClientOpenExt("picture.tif", "wm", &file, ReadFile, WriteFile, SeekFile,
                                      CloseFile, FileSize, MapNothing, UnmapNothing,
                                      options.get()));
    if (!tiff) return GenericError;
    status = WriteImage(tiff.get(), pixels);
  }
  if (status != Ok) return status;
  if (!sink.Write(file.Data(), std::size_t(file.Size()))) return Win32Error;
  return Ok;
}

}  // namespace Gdiplus
