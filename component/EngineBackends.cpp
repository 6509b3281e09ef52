#include "EngineBackends.h"

#include "CreatePicture.h"

namespace MirelGlyphward {

ByteResult BuildPicture(const std::string& code, ImageSize size, std::int32_t style,
                        const std::string& format) {
  ByteResult result;
  CreatePicture(code, PictureSize{size.width, size.height}, style, format, result.bytes,
                result.count);
  return result;
}

// Sounds are not assembled yet: the creations settle the code and hand back an
// empty byte array.
ByteResult BuildSound(const std::string&) { return ByteResult{}; }

}  // namespace MirelGlyphward
