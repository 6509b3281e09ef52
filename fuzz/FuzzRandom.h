// The service's random source, made repeatable for fuzzing: FuzzRandom.cpp
// defines the functions of service/SystemRandom.h, so the linker takes them
// instead of the getrandom ones and an input always meets the same tokens,
// codes and styles, and a crash reproduces from its input alone.
#pragma once

#include <cstdint>

namespace glyphward_fuzz {

// Restarts the sequence; each input starts from the same point.
void ResetRandom(std::uint64_t seed);

}  // namespace glyphward_fuzz
