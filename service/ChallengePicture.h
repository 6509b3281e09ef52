// The picture of a sealed challenge, redrawn on demand.
#pragma once

#include <string>
#include <vector>

#include "ChallengeToken.h"

namespace glyphward_service {

// Draws the challenge's code in its style and size from its seed, with a
// random engine of the calling thread's own (no process-wide lock), and
// encodes it as `format` ("PNG" or "JPEG"). The same challenge always gives
// the same bytes. Throws std::string with the component's message on failure.
std::vector<unsigned char> ChallengePicture(const Challenge& challenge, const std::string& format);

}  // namespace glyphward_service
