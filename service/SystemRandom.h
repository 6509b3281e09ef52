// Bytes and codes from the operating system's random source (getrandom),
// for everything a visitor must not be able to predict.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace glyphward_service {

// Fills `data` with `size` random bytes; throws std::runtime_error when the
// system cannot supply them.
void FillRandom(void* data, std::size_t size);

// A uniform integer in [0, bound); bound must be at least 1.
std::uint32_t RandomBelow(std::uint32_t bound);

// `length` characters drawn uniformly and independently from `alphabet`
// (which must not be empty).
std::string RandomCode(std::string_view alphabet, std::size_t length);

}  // namespace glyphward_service
