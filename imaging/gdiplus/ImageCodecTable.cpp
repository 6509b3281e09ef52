#include "ImageCodecTable.h"

#include <array>

#include "BmpEncoder.h"
#include "GifEncoder.h"
#include "JpegEncoder.h"
#include "PngEncoder.h"
#include "TiffEncoder.h"

namespace Gdiplus {

namespace {

// GDI+'s encoder class identifiers differ only in the first field.
constexpr CLSID EncoderClsid(std::uint32_t first) {
  return {first, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}

// GDI+'s image format identifiers likewise.
constexpr GUID ImageFormat(std::uint32_t first) {
  return {first, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}

// File signatures from each format's standard.
constexpr BYTE kBmpPattern[] = {'B', 'M'};
constexpr BYTE kBmpMask[] = {0xFF, 0xFF};
constexpr BYTE kJpegPattern[] = {0xFF, 0xD8};  // SOI
constexpr BYTE kJpegMask[] = {0xFF, 0xFF};
constexpr BYTE kGifPattern[] = {'G', 'I', 'F', '8', '9', 'a', 'G', 'I', 'F', '8', '7', 'a'};
constexpr BYTE kGifMask[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr BYTE kTiffPattern[] = {'I', 'I', 42, 0, 'M', 'M', 0, 42};
constexpr BYTE kTiffMask[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr BYTE kPngPattern[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr BYTE kPngMask[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// GDI+'s order, which callers that take the first match by MIME type see.
constexpr std::array<BuiltinEncoder, 5> kEncoders = {{
    {EncoderClsid(0x557cf400), ImageFormat(0xb96b3cab), u"Built-in BMP Codec", u"BMP",
     u"*.BMP;*.DIB;*.RLE", u"image/bmp", 1, 2, kBmpPattern, kBmpMask, EncodeBmp},
    {EncoderClsid(0x557cf401), ImageFormat(0xb96b3cae), u"Built-in JPEG Codec", u"JPEG",
     u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg", 1, 2, kJpegPattern, kJpegMask, EncodeJpeg},
    {EncoderClsid(0x557cf402), ImageFormat(0xb96b3cb0), u"Built-in GIF Codec", u"GIF", u"*.GIF",
     u"image/gif", 2, 6, kGifPattern, kGifMask, EncodeGif},
    {EncoderClsid(0x557cf405), ImageFormat(0xb96b3cb1), u"Built-in TIFF Codec", u"TIFF",
     u"*.TIF;*.TIFF", u"image/tiff", 2, 4, kTiffPattern, kTiffMask, EncodeTiff},
    {EncoderClsid(0x557cf406), ImageFormat(0xb96b3caf), u"Built-in PNG Codec", u"PNG", u"*.PNG",
     u"image/png", 1, 8, kPngPattern, kPngMask, EncodePng},
}};

static_assert(sizeof(kGifPattern) == 2 * 6 && sizeof(kTiffPattern) == 2 * 4);

}  // namespace

std::span<const BuiltinEncoder> BuiltinEncoders() {
  return kEncoders;
}

const BuiltinEncoder* FindBuiltinEncoder(const CLSID& clsid) {
  for (const BuiltinEncoder& encoder : kEncoders) {
    if (encoder.clsid == clsid) return &encoder;
  }
  return nullptr;
}

}  // namespace Gdiplus
