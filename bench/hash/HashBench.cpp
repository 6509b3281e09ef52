#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CDigestSet.h"
#include "CSHA.h"

namespace {

// The hash of a code as the component computes it: a new set for every call.
void BM_DigestTextSha512FiveByteCode(benchmark::State& state) {
  const std::string strCode = "AB2CD";
  for (auto _ : state) {
    CDigestSet objDigests;
    benchmark::DoNotOptimize(objDigests.DigestText(strCode, CDigestSet::kSelectorSha512));
  }
}
BENCHMARK(BM_DigestTextSha512FiveByteCode);

// Raw throughput of each variant on a 64 KiB message.
void BM_ShaThroughput(benchmark::State& state) {
  const int iMethod = static_cast<int>(state.range(0));
  const std::vector<unsigned char> vecData(64 * 1024, 0x5A);
  unsigned char aucDigest[CSHA::kMaxDigestSize];
  CSHA objSha(iMethod);
  for (auto _ : state) {
    objSha.AddData(vecData.data(), static_cast<std::int32_t>(vecData.size()));
    objSha.FinalDigest(aucDigest);
    benchmark::DoNotOptimize(aucDigest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(vecData.size()));
}
BENCHMARK(BM_ShaThroughput)
    ->Arg(CSHA::kSha1)
    ->Arg(CSHA::kSha256)
    ->Arg(CSHA::kSha384)
    ->Arg(CSHA::kSha512);

}  // namespace

BENCHMARK_MAIN();
