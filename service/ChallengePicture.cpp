#include "ChallengePicture.h"

#include <memory>

#include "CreatePicture.h"
#include "RandomSource.h"

namespace glyphward_service {
namespace {

using MirelGlyphward::RandomSource;

// Gives the calling thread its own engine while one picture is drawn, so
// concurrent requests neither share a lock nor interleave their draws, and
// hands back whatever the thread had bound before, however the drawing ends.
class ThreadEngineBinding {
 public:
  explicit ThreadEngineBinding(RandomSource& source)
      : previous_(MirelGlyphward::BindThreadRandomSource(&source)) {}
  ~ThreadEngineBinding() { MirelGlyphward::BindThreadRandomSource(previous_); }
  ThreadEngineBinding(const ThreadEngineBinding&) = delete;
  ThreadEngineBinding& operator=(const ThreadEngineBinding&) = delete;

 private:
  RandomSource* previous_;
};

}  // namespace

std::vector<unsigned char> ChallengePicture(const Challenge& challenge, const std::string& format) {
  // Other encoders exist below, but the service offers only these two; an
  // uncompressed one would make a large picture needlessly heavy.
  if (format != "PNG" && format != "JPEG")
    throw std::string("This picture format is not supported !");

  // The engine would quietly replace an out-of-range seed with 1 and draw
  // some other picture than the one the challenge names.
  RandomSource source(1);
  if (!source.Seed(challenge.seed)) throw std::string("The picture seed is out of range !");

  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  {
    ThreadEngineBinding binding(source);
    MirelGlyphward::CreatePicture(challenge.code,
                                  MirelGlyphward::PictureSize{challenge.width, challenge.height},
                                  challenge.style, format, bytes, count);
  }
  if (!bytes || count <= 0) throw std::string("Failed to save to stream!");
  return std::vector<unsigned char>(bytes.get(), bytes.get() + count);
}

}  // namespace glyphward_service
