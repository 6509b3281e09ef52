// The spoken code the service hands out: the module's clips, varied on every
// request so that no two answers share bytes with the clip bank or each other.
#pragma once

#include <string>
#include <vector>

namespace glyphward_service {

// A RIFF/WAVE file (8 kHz, 16-bit mono) of `code`: each character's clip at a
// random gain within +-3 dB, clips separated by random silences of 50-250 ms,
// low-level noise throughout. Letters in either case and digits; throws
// std::string with the component's message for anything else.
std::vector<unsigned char> VariedSpeech(const std::string& code);

}  // namespace glyphward_service
