#include "SoundBuilder.h"

#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "SoundMessages.h"
#include "SoundResources.h"
#include "glyphward_resources.h"

namespace MirelGlyphward {
namespace {

using Bytes = std::vector<unsigned char>;

// A resource copied into a buffer of exactly its size, asked for in the two
// steps the loader offers: the size first, then the bytes.
Bytes LoadSoundResource(int id, HMODULE module) {
  DWORD size = 0;
  if (!SoundBuilder::LoadResourceBytes(id, nullptr, &size, kSoundResourceType, module) ||
      size == 0) {
    throw std::string(kResourcesMissing);
  }
  Bytes bytes;
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    throw std::string(kResourcesMissing);
  }
  if (!SoundBuilder::LoadResourceBytes(id, bytes.data(), &size, kSoundResourceType, module) ||
      size != bytes.size()) {
    throw std::string(kResourcesMissing);
  }
  return bytes;
}

bool HasTag(const Bytes& header, size_t offset, const char* tag) {
  return std::memcmp(header.data() + offset, tag, 4) == 0;
}

// The header must be the canonical RIFF/WAVE one, with its size fields where
// they are patched; the index must hold whole records.
void CheckResourceLayout(const Bytes& arrHeader, const Bytes& arrSoundLookup) {
  if (arrHeader.size() != kWaveHeaderSize || !HasTag(arrHeader, 0, "RIFF") ||
      !HasTag(arrHeader, 8, "WAVE") || !HasTag(arrHeader, 12, "fmt ") ||
      !HasTag(arrHeader, 36, "data") || arrSoundLookup.size() % kLookupRecordSize != 0) {
    throw std::string(kResourcesDamaged);
  }
}

// A clip must lie inside the bank and hold whole 16-bit samples.
void CheckClip(const SoundLookup& lookup, size_t lengthAllChars) {
  if (uint64_t{lookup.offset} + lookup.length > lengthAllChars || lookup.length % 2 != 0) {
    throw std::string(kResourcesDamaged);
  }
}

void WriteLittleEndian32(unsigned char* p, uint32_t value) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
  p[2] = static_cast<unsigned char>(value >> 16);
  p[3] = static_cast<unsigned char>(value >> 24);
}

std::unique_ptr<unsigned char[]> AllocateRawData(size_t size) {
  try {
    return std::make_unique_for_overwrite<unsigned char[]>(size);
  } catch (const std::bad_alloc&) {
    throw std::string(kTextRawDataAllocationFailed);
  }
}

std::shared_ptr<unsigned char[]> AllocateWave(size_t size) {
  try {
    return std::make_shared_for_overwrite<unsigned char[]>(size);
  } catch (const std::bad_alloc&) {
    throw std::string(kWaveAllocationFailed);
  }
}

}  // namespace

SoundBuilder::SoundBuilder() : module_(GlyphwardModuleHandle()) {}

void SoundBuilder::BuildWave(const std::string& code, std::shared_ptr<unsigned char[]>& bytes,
                             int32_t& count) const {
  std::string text = code;
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }

  Bytes arrSoundLookup = LoadSoundResource(kClipIndexId, module_);
  Bytes arrAllChars = LoadSoundResource(kClipBankId, module_);
  Bytes arrHeader = LoadSoundResource(kWaveHeaderId, module_);
  CheckResourceLayout(arrHeader, arrSoundLookup);
  const size_t lengthHeader = arrHeader.size();
  const size_t recordCount = arrSoundLookup.size() / kLookupRecordSize;

  // The WAV byte count is a signed 32-bit number, and the RIFF sizes are
  // unsigned 32-bit ones; the total is kept wide so it cannot wrap.
  const uint64_t maxTotal = std::numeric_limits<int32_t>::max() - lengthHeader;
  uint64_t total = 0;
  for (char c : text) {
    SoundLookup lookup = FindLookup(c, arrSoundLookup.data(), recordCount);
    if (lookup.offset == kLookupNotFound) throw std::string(kLetterNotFound);
    CheckClip(lookup, arrAllChars.size());
    total += lookup.length;
    if (total > maxTotal) throw std::string(kCodeTooLong);
  }

  std::unique_ptr<unsigned char[]> arrTextRawData = AllocateRawData(total);
  size_t position = 0;
  for (char c : text) {
    SoundLookup lookup = FindLookup(c, arrSoundLookup.data(), recordCount);
    std::memcpy(arrTextRawData.get() + position, arrAllChars.data() + lookup.offset, lookup.length);
    position += lookup.length;
  }

  const auto dataSize = static_cast<uint32_t>(total);
  WriteLittleEndian32(arrHeader.data() + 4, dataSize + 36);
  WriteLittleEndian32(arrHeader.data() + lengthHeader - 4, dataSize);

  std::shared_ptr<unsigned char[]> output = AllocateWave(lengthHeader + total);
  std::memcpy(output.get(), arrHeader.data(), lengthHeader);
  std::memcpy(output.get() + lengthHeader, arrTextRawData.get(), total);
  bytes = std::move(output);
  count = static_cast<int32_t>(lengthHeader + total);
}

}  // namespace MirelGlyphward
