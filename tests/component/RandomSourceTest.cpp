#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "RandomSource.h"
#include "TestSupport.h"

using namespace MirelGlyphward;
using testing_support::ReferenceLcg;

namespace {

TEST(RandomSource, UnitVariateIsExactlyTheStateMinusOneOverModulusMinusTwo) {
  for (std::int32_t seed : {1, 2, 12345, 48271, 2147483646}) {
    RandomSource source(seed);
    ReferenceLcg reference{std::uint32_t(seed)};
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(source.NextUnit(), reference.NextUnit()) << seed;
  }
}

TEST(RandomSource, FirstVariateOfAKnownSeed) {
  RandomSource source(42);
  const double expected = double((48271ull * 42) % 2147483647ull - 1) / 2147483646.0;
  EXPECT_EQ(source.NextUnit(), expected);
}

TEST(RandomSource, VariatesStayBelowOne) {
  RandomSource source(2147483646);
  for (int i = 0; i < 100000; ++i) {
    const double u = source.NextUnit();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
}

TEST(RandomSource, SeedRangeIsTheStateSpace) {
  RandomSource source(7);
  EXPECT_FALSE(source.Seed(0));
  EXPECT_FALSE(source.Seed(-5));
  EXPECT_FALSE(source.Seed(2147483647));
  EXPECT_TRUE(source.Seed(1));
  EXPECT_TRUE(source.Seed(2147483646));
}

TEST(RandomSource, ReducedEntropyStaysInRange) {
  for (std::uint32_t bits : {0u, 1u, 2147483645u, 2147483646u, 2147483647u, 0xFFFFFFFFu}) {
    const std::int32_t seed = ReduceSeed(bits);
    EXPECT_GE(seed, 1);
    EXPECT_LE(seed, 2147483646);
  }
}

TEST(RandomSource, EntropySeedsDiffer) {
  std::set<double> firsts;
  for (int i = 0; i < 8; ++i) firsts.insert(RandomSource().NextUnit());
  EXPECT_GT(firsts.size(), 6u);
}

TEST(RandomNumber, ZeroAndOneGiveZeroAndStep) {
  RandomSource source(99);
  RandomSource* previous = BindThreadRandomSource(&source);
  EXPECT_EQ(RandomNumber(0), 0);
  EXPECT_EQ(RandomNumber(1), 0);
  EXPECT_EQ(source.Steps(), 2u);
  BindThreadRandomSource(previous);
}

TEST(RandomNumber, ThreadBindingLeavesTheProcessEngineAlone) {
  const std::uint64_t before = ProcessRandomSource().Steps();
  std::thread worker([] {
    RandomSource own(5);
    BindThreadRandomSource(&own);
    for (int i = 0; i < 100; ++i) RandomNumber(10);
    BindThreadRandomSource(nullptr);
  });
  worker.join();
  EXPECT_EQ(ProcessRandomSource().Steps(), before);
}

}  // namespace
