// Encoding a picture of the default size (250 x 50) into a memory stream,
// once per format, with the quality block picture creation passes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "Bitmap.h"
#include "EncoderParameters.h"
#include "SaveImage.h"
#include "objidl.h"

namespace {

using namespace Gdiplus;

constexpr CLSID EncoderClsid(std::uint32_t first) {
  return {first, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}

// A picture like the styles draw: a colour ramp for the ground, solid blocks
// with soft edges for letters, and scattered noise dots; thousands of colours.
std::unique_ptr<Bitmap> MakePicture() {
  auto bitmap = std::make_unique<Bitmap>(250, 50, PixelFormat32bppARGB);
  std::uint32_t state = 12345;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 250; ++x) {
      Color color(255, BYTE(200 + x / 10), BYTE(180 + y), BYTE(230 - x / 5));
      const int cell = x % 40;
      if (y > 10 && y < 40 && cell > 8 && cell < 30) {
        const BYTE edge = BYTE(cell == 9 || cell == 29 ? 128 : 0);
        color = Color(255, edge, BYTE(edge / 2), BYTE(60 + x / 4));
      }
      state = state * 1103515245u + 12345u;
      if ((state >> 16) % 23 == 0) color = Color(255, BYTE(state >> 8), BYTE(state >> 16), 0);
      bitmap->SetPixel(x, y, color);
    }
  }
  return bitmap;
}

void Encode(benchmark::State& state, std::uint32_t clsidFirst) {
  const std::unique_ptr<Bitmap> bitmap = MakePicture();
  const CLSID clsid = EncoderClsid(clsidFirst);
  ULONG quality = 100;
  EncoderParameters params{};
  params.Count = 1;
  params.Parameter[0] = {EncoderQuality, 1, EncoderParameterValueTypeLong, &quality};
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
      state.SkipWithError("no stream");
      break;
    }
    const Status status = SaveImageToStream(bitmap.get(), stream, &clsid, &params);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    bytes = stat.cbSize.QuadPart;
    stream->Release();
    if (status != Ok) {
      state.SkipWithError("encoding failed");
      break;
    }
  }
  state.counters["bytes"] = double(bytes);
}

BENCHMARK_CAPTURE(Encode, Bmp, 0x557cf400);
BENCHMARK_CAPTURE(Encode, Jpeg, 0x557cf401);
BENCHMARK_CAPTURE(Encode, Gif, 0x557cf402);
BENCHMARK_CAPTURE(Encode, Tiff, 0x557cf405);
BENCHMARK_CAPTURE(Encode, Png, 0x557cf406);

}  // namespace

BENCHMARK_MAIN();
