#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include <tiffio.h>

#include "Decoded.h"

namespace encoder_tests {

namespace {

struct MemoryReader {
  std::span<const std::uint8_t> file;
  std::uint64_t at = 0;
  std::string message;
};

MemoryReader* ReaderOf(thandle_t handle) {
  return static_cast<MemoryReader*>(handle);
}

tmsize_t Read(thandle_t handle, void* data, tmsize_t size) {
  MemoryReader* reader = ReaderOf(handle);
  if (size < 0 || reader->at >= reader->file.size()) return 0;
  const std::size_t count =
      std::size_t(std::min<std::uint64_t>(std::uint64_t(size), reader->file.size() - reader->at));
  std::memcpy(data, reader->file.data() + reader->at, count);
  reader->at += count;
  return tmsize_t(count);
}

tmsize_t RefuseWrite(thandle_t, void*, tmsize_t) {
  return -1;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  MemoryReader* reader = ReaderOf(handle);
  const std::uint64_t base = whence == SEEK_CUR   ? reader->at
                             : whence == SEEK_END ? reader->file.size()
                                                  : 0;
  reader->at = base + offset;
  return reader->at;
}

int Close(thandle_t) {
  return 0;
}

toff_t Size(thandle_t handle) {
  return ReaderOf(handle)->file.size();
}

int NoMap(thandle_t, void**, toff_t*) {
  return 0;
}

void NoUnmap(thandle_t, void*, toff_t) {}

int KeepMessage(TIFF*, void* user, const char*, const char* format, va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  auto* reader = static_cast<MemoryReader*>(user);
  if (reader->message.empty()) reader->message = text;
  return 1;
}

int IgnoreMessage(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

struct OptionsFree {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct TiffClose {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

}  // namespace

bool DecodeTiff(std::span<const std::uint8_t> file, DecodedPicture& picture, TiffFacts& facts,
                std::string& error) {
  MemoryReader reader;
  reader.file = file;
  std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepMessage, &reader);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), IgnoreMessage, nullptr);
  std::unique_ptr<TIFF, TiffClose> tiff(TIFFClientOpenExt("memory", "rm", &reader, Read,
                                                          RefuseWrite, Seek, Close, Size, NoMap,
                                                          NoUnmap, options.get()));
  if (!tiff) {
    error = "open failed: " + reader.message;
    return false;
  }
  std::uint32_t width = 0, height = 0;
  std::uint16_t extraCount = 0;
  std::uint16_t* extra = nullptr;
  TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &facts.bitsPerSample);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &facts.samplesPerPixel);
  TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &facts.photometric);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &facts.compression);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_PLANARCONFIG, &facts.planarConfig);
  if (TIFFGetField(tiff.get(), TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extra) {
    facts.extraSamples.assign(extra, extra + extraCount);
  }
  // The sample layout the encoder promises; anything else is not read.
  if (facts.bitsPerSample != 8 || facts.samplesPerPixel != 4 ||
      facts.planarConfig != PLANARCONFIG_CONTIG ||
      TIFFScanlineSize64(tiff.get()) != std::uint64_t(width) * 4) {
    error = "not 8-bit contiguous RGBA";
    return false;
  }
  picture.width = width;
  picture.height = height;
  picture.rgba.assign(std::size_t(width) * height * 4, 0);
  for (std::uint32_t y = 0; y < height; ++y) {
    if (TIFFReadScanline(tiff.get(), &picture.rgba[std::size_t(y) * width * 4], y, 0) < 0) {
      error = "row " + std::to_string(y) + ": " + reader.message;
      return false;
    }
  }
  return true;
}

}  // namespace encoder_tests
