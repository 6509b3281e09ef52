// The one pseudo-random engine every code and every picture draws from: the
// minimal standard linear congruential generator (multiplier 48271, modulus
// 2^31 - 1) driven through a uniform real distribution over [0, 1).
#pragma once

#include <cstdint>

#include <boost/random/linear_congruential.hpp>

namespace MirelGlyphward {

class RandomSource {
 public:
  using Engine = boost::random::linear_congruential_engine<std::uint32_t, 48271, 0, 2147483647>;

  // Seeds from the operating system's entropy: a clock seed repeats across
  // processes started in the same second and is easy to guess.
  RandomSource();
  explicit RandomSource(std::int32_t seed);

  // One engine step; returns its unit variate (x - 1) / 2147483646.
  double NextUnit() {
    ++steps_;
    // Boost's uniform_real_distribution<double>(0, 1) on this engine, without
    // its wrapping: (x - min) / (max - min + 1), then times 1 and plus 0,
    // which change nothing; the result is below 1, so it never draws again.
    const std::uint32_t x = engine_();
    return double(x - Engine::min()) / (double(Engine::max() - Engine::min()) + 1);
  }

  // An integer in [0, n) from one step, as RandomNumber draws it.
  int NextNumber(int n) {
    if (n == 0) n = 1;
    return int(NextUnit() * double(n));
  }

  // Accepts 1..2147483646, the engine's whole state space; false otherwise.
  bool Seed(std::int32_t seed);
  std::uint64_t Steps() const { return steps_; }

 private:
  Engine engine_;
  std::uint64_t steps_ = 0;
};

// The engine of the calling thread: the process-wide one unless the thread has
// bound its own. Every random draw goes through here.
RandomSource& CurrentRandomSource();
RandomSource& ProcessRandomSource();

// Binds `source` to the calling thread (nullptr unbinds); returns the previous
// binding. Lets a multi-threaded host give each thread its own sequence.
RandomSource* BindThreadRandomSource(RandomSource* source);

// An integer in [0, n) from one engine step; n = 0 counts as 1.
int RandomNumber(int n);

// Reduces 32 entropy bits into the engine's state space 1..2147483646.
std::int32_t ReduceSeed(std::uint32_t entropy);

}  // namespace MirelGlyphward
