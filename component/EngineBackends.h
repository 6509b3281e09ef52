// The builders the engine hands a settled code to.
#pragma once

#include <string>

#include "ByteResults.h"
#include "CaptchaEngine.h"

namespace MirelGlyphward {

ByteResult BuildPicture(const std::string& code, ImageSize size, std::int32_t style,
                        const std::string& format);
ByteResult BuildSound(const std::string& code);

}  // namespace MirelGlyphward
