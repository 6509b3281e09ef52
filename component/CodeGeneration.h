#pragma once

#include <cstdint>
#include <string>

namespace MirelGlyphward {

// The alphabet a code of `codeType` is drawn from; empty for unknown types.
std::string_view CodeAlphabet(std::int32_t codeType);

// A new code of `codeLength` characters, one engine step each. With an empty
// alphabet every character is the alphabet's terminator, a byte of value 0.
std::string GenerateCode(std::int32_t codeType, std::int32_t codeLength);

}  // namespace MirelGlyphward
