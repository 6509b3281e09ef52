#include "EngineBackends.h"

#include "CreatePicture.h"
#include "SoundBuilder.h"

namespace MirelGlyphward {

ByteResult BuildPicture(const std::string& code, ImageSize size, std::int32_t style,
                        const std::string& format) {
  ByteResult result;
  CreatePicture(code, PictureSize{size.width, size.height}, style, format, result.bytes,
                result.count);
  return result;
}

ByteResult BuildSound(const std::string& code) {
  ByteResult result;
  SoundBuilder().BuildWave(code, result.bytes, result.count);
  return result;
}

}  // namespace MirelGlyphward
