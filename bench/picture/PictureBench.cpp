// Whole pictures, from a code to encoded bytes, on one thread: every
// style at the default size as JPEG, the default style in each format, and
// every style at the largest area a host may ask for (filter on
// "LargestArea" to run those; some take seconds). "Threads/" makes the
// default picture on one and on two threads at once, to show how far
// picture making scales.
#include <benchmark/benchmark.h>

#include <string>

#include "CreatePicture.h"
#include "MirelGlyphward.h"
#include "RandomSource.h"
#include "StyleLookup.h"

namespace {

void MakePicture(benchmark::State& state, int style, const char* format,
                 MirelGlyphward::PictureSize size) {
  GlyphwardSetSeed(12345);
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  for (auto _ : state) {
    MirelGlyphward::CreatePicture("AB2CD", size, style, format, bytes, count);
    benchmark::DoNotOptimize(bytes.get());
  }
  state.counters["bytes"] = double(count);
}

// As a multi-threaded host would: each thread draws from its own engine and
// calls CreatePicture with no engine lock around it.
void MakePicturesOnThreads(benchmark::State& state, const char* format) {
  MirelGlyphward::RandomSource source(12345 + state.thread_index());
  MirelGlyphward::RandomSource* previous = MirelGlyphward::BindThreadRandomSource(&source);
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  for (auto _ : state) {
    MirelGlyphward::CreatePicture("AB2CD", {250, 50}, 31, format, bytes, count);
    benchmark::DoNotOptimize(bytes.get());
  }
  MirelGlyphward::BindThreadRandomSource(previous);
  state.SetItemsProcessed(state.iterations());
}

void RegisterPictures() {
  for (const char* format : {"JPEG", "PNG", "GIF", "TIFF", "BMP"})
    benchmark::RegisterBenchmark((std::string("DefaultPicture/") + format).c_str(),
                                 [format](benchmark::State& state) {
                                   MakePicture(state, 31, format, {250, 50});
                                 })
        ->Unit(benchmark::kMicrosecond);
  // What the HTTP service makes by default.
  benchmark::RegisterBenchmark("ServicePicture/PNG", [](benchmark::State& state) {
    MakePicture(state, 38, "PNG", {250, 50});
  })->Unit(benchmark::kMicrosecond);
  for (const char* format : {"JPEG", "PNG"})
    benchmark::RegisterBenchmark(
        (std::string("Threads/") + format).c_str(),
        [format](benchmark::State& state) { MakePicturesOnThreads(state, format); })
        ->Unit(benchmark::kMicrosecond)
        ->Threads(1)
        ->Threads(2)
        ->UseRealTime();
  for (int style = 0; style < MirelGlyphward::kStyleCount; ++style) {
    const MirelGlyphward::StyleEntry* entry = MirelGlyphward::FindStyle(style);
    const std::string name = std::to_string(style) + "/" + std::string(entry->className);
    benchmark::RegisterBenchmark(("Style/" + name).c_str(), [style](benchmark::State& state) {
      MakePicture(state, style, "JPEG", {250, 50});
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("LargestArea/" + name).c_str(),
                                 [style](benchmark::State& state) {
                                   MakePicture(state, style, "JPEG", {4096, 1024});
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterPictures();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
