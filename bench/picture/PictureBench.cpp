// Whole pictures, from a code to encoded bytes, on one thread.
#include <benchmark/benchmark.h>

#include "CreatePicture.h"
#include "MirelGlyphward.h"

namespace {

void MakePicture(benchmark::State& state, int style, const char* format) {
  GlyphwardSetSeed(12345);
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  for (auto _ : state) {
    MirelGlyphward::CreatePicture("AB2CD", {250, 50}, style, format, bytes, count);
    benchmark::DoNotOptimize(bytes.get());
  }
  state.counters["bytes"] = double(count);
}

void BM_DefaultPictureJpeg(benchmark::State& state) {
  MakePicture(state, 31, "JPEG");
}
void BM_DefaultPicturePng(benchmark::State& state) {
  MakePicture(state, 31, "PNG");
}
void BM_GraffitiPictureJpeg(benchmark::State& state) {
  MakePicture(state, 39, "JPEG");
}
void BM_Graffiti2PictureJpeg(benchmark::State& state) {
  MakePicture(state, 38, "JPEG");
}

BENCHMARK(BM_DefaultPictureJpeg)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DefaultPicturePng)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GraffitiPictureJpeg)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Graffiti2PictureJpeg)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
