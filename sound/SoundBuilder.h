// Speaks a code: the clips of its characters, one after another, behind a
// RIFF/WAVE header, all taken from the module's own resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "SoundLookup.h"
#include "windef.h"

namespace MirelGlyphward {

class SoundBuilder {
 public:
  // Reads the resources of the module that contains this code.
  SoundBuilder();
  explicit SoundBuilder(HMODULE module) : module_(module) {}

  // The WAV file of code, letters in either case and digits. Fills bytes and
  // count, or throws one of the texts of SoundMessages.h as std::string and
  // leaves both untouched.
  void BuildWave(const std::string& code, std::shared_ptr<unsigned char[]>& bytes,
                 int32_t& count) const;

  // The first of the count records at arrSoundLookup whose character is c,
  // or errorSoundLookup.
  static SoundLookup FindLookup(char c, const unsigned char* arrSoundLookup, size_t count);

  // Without a destination, reports the resource's size in *size. With one,
  // *size is the destination's capacity: the resource is copied when it
  // fits, a 0 byte follows it when there is room, and *size becomes the
  // resource's size. False for id 0 or above 0xFFFF, a missing resource, a
  // destination without a capacity or too small, or a resource that cannot
  // be loaded.
  static bool LoadResourceBytes(int id, unsigned char* destination, DWORD* size, LPCSTR type,
                                HMODULE module);

 private:
  HMODULE module_;
};

}  // namespace MirelGlyphward
