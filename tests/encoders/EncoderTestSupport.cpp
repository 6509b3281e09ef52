#include "EncoderTestSupport.h"

#include <cmath>
#include <limits>

#include "SaveImage.h"

namespace encoder_tests {

using namespace Gdiplus;

std::unique_ptr<Bitmap> MakeBitmap(int width, int height, const ColorAt& colorAt) {
  auto bitmap = std::make_unique<Bitmap>(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap->SetPixel(x, y, colorAt(x, y));
  }
  return bitmap;
}

Color SmoothColor(int x, int y) {
  return Color(255, BYTE(x * 255 / 249), BYTE(y * 255 / 49), BYTE((x + 4 * y) * 255 / 449));
}

Color FewColors(int x, int y) {
  static const ARGB kColors[7] = {0xFF000000, 0xFFFFFFFF, 0xFFE03010, 0xFF10A040,
                                  0x00123456, 0x80FF8000, 0xFF2040C0};
  return Color(kColors[((x / 9) + (y / 5)) % 7]);
}

Color AlphaRamp(int x, int y) {
  return Color(BYTE(x + y * 16), BYTE(x * 7), BYTE(y * 11), BYTE(255 - x));
}

Color Noise(int x, int y) {
  // Park and Miller's minimal standard generator, one step per pixel.
  std::uint64_t state = std::uint64_t(y) * 100003u + std::uint64_t(x) + 1;
  for (int i = 0; i < 3; ++i) state = state * 48271u % 2147483647u;
  return Color(ARGB(state * 2654435761u >> 8) ^ ARGB(state << 13));
}

QualityBlock::QualityBlock(ULONG value) : quality(value) {
  params.Count = 1;
  params.Parameter[0].Guid = EncoderQuality;
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Type = EncoderParameterValueTypeLong;
  params.Parameter[0].Value = &quality;
}

StreamRef& StreamRef::operator=(StreamRef&& other) noexcept {
  if (this != &other) {
    if (stream_) stream_->Release();
    stream_ = other.stream_;
    other.stream_ = nullptr;
  }
  return *this;
}

StreamRef::~StreamRef() {
  if (stream_) stream_->Release();
}

IStream** StreamRef::out() {
  if (stream_) stream_->Release();
  stream_ = nullptr;
  return &stream_;
}

Bytes ReadAll(IStream* stream) {
  LARGE_INTEGER zero{};
  ULARGE_INTEGER end{};
  if (FAILED(stream->Seek(zero, STREAM_SEEK_END, &end))) return {};
  if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr))) return {};
  Bytes bytes(std::size_t(end.QuadPart));
  ULONG read = 0;
  if (!bytes.empty() &&
      (FAILED(stream->Read(bytes.data(), ULONG(bytes.size()), &read)) || read != bytes.size())) {
    return {};
  }
  return bytes;
}

Saved SaveToBytes(Image& image, const CLSID& encoder, const EncoderParameters* params) {
  Saved saved;
  StreamRef stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()))) return saved;
  saved.status = SaveImageToStream(&image, stream.get(), &encoder, params);
  saved.bytes = ReadAll(stream.get());
  return saved;
}

double ColorPsnr(const DecodedPicture& a, const DecodedPicture& b) {
  if (a.rgba.size() != b.rgba.size() || a.rgba.empty()) return 0;
  double squares = 0;
  std::size_t samples = 0;
  for (std::size_t i = 0; i < a.rgba.size(); ++i) {
    if (i % 4 == 3) continue;
    const double difference = double(a.rgba[i]) - double(b.rgba[i]);
    squares += difference * difference;
    ++samples;
  }
  if (squares == 0) return std::numeric_limits<double>::infinity();
  return 10 * std::log10(255.0 * 255.0 / (squares / double(samples)));
}

DecodedPicture PixelsOf(Bitmap& bitmap) {
  DecodedPicture picture;
  picture.width = bitmap.GetWidth();
  picture.height = bitmap.GetHeight();
  picture.rgba.reserve(std::size_t(picture.width) * picture.height * 4);
  for (UINT y = 0; y < picture.height; ++y) {
    for (UINT x = 0; x < picture.width; ++x) {
      Color color;
      bitmap.GetPixel(INT(x), INT(y), &color);
      picture.rgba.insert(picture.rgba.end(),
                          {color.GetR(), color.GetG(), color.GetB(), color.GetA()});
    }
  }
  return picture;
}

}  // namespace encoder_tests
