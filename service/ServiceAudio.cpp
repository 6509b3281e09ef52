#include "ServiceAudio.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <random>

#include "ChallengeToken.h"
#include "SoundBuilder.h"
#include "SoundMessages.h"
#include "SoundResources.h"
#include "SystemRandom.h"
#include "glyphward_resources.h"

namespace glyphward_service {
namespace {

using Bytes = std::vector<unsigned char>;
using MirelGlyphward::SoundBuilder;
using MirelGlyphward::SoundLookup;

constexpr std::uint32_t kSampleRate = 8000;
constexpr std::size_t kMinGapSamples = kSampleRate / 20;  // 50 ms
constexpr std::size_t kMaxGapSamples = kSampleRate / 4;   // 250 ms
constexpr double kMaxGainDb = 3.0;
// About 0.4 % of full scale: far below the voice, yet enough that no run of
// samples comes out as it lies in the bank, silences included.
constexpr int kNoiseAmplitude = 128;

// The resource in the two steps the loader offers, failing as the
// component's own assembler does.
Bytes LoadSoundResource(int id, HMODULE module) {
  DWORD size = 0;
  if (!SoundBuilder::LoadResourceBytes(id, nullptr, &size, MirelGlyphward::kSoundResourceType,
                                       module) ||
      size == 0) {
    throw std::string(MirelGlyphward::kResourcesMissing);
  }
  Bytes bytes(size);
  if (!SoundBuilder::LoadResourceBytes(id, bytes.data(), &size, MirelGlyphward::kSoundResourceType,
                                       module) ||
      size != bytes.size()) {
    throw std::string(MirelGlyphward::kResourcesMissing);
  }
  return bytes;
}

struct Clip {
  const unsigned char* data;
  std::size_t samples;
};

// The clip of every character, checked as the component checks them: known
// characters only, each clip inside the bank and made of whole samples.
std::vector<Clip> ClipsOf(const std::string& text, const Bytes& index, const Bytes& bank) {
  if (index.size() % MirelGlyphward::kLookupRecordSize != 0)
    throw std::string(MirelGlyphward::kResourcesDamaged);
  const std::size_t records = index.size() / MirelGlyphward::kLookupRecordSize;
  std::vector<Clip> clips;
  clips.reserve(text.size());
  for (char c : text) {
    const SoundLookup lookup = SoundBuilder::FindLookup(c, index.data(), records);
    if (lookup.offset == MirelGlyphward::kLookupNotFound)
      throw std::string(MirelGlyphward::kLetterNotFound);
    if (std::uint64_t{lookup.offset} + lookup.length > bank.size() || lookup.length % 2 != 0)
      throw std::string(MirelGlyphward::kResourcesDamaged);
    clips.push_back(Clip{bank.data() + lookup.offset, lookup.length / 2});
  }
  return clips;
}

// A fresh generator per call, seeded from the system so no visitor can
// predict or replay the variations.
std::mt19937_64 SeededGenerator() {
  std::array<std::uint32_t, 4> words{};
  FillRandom(words.data(), sizeof words);
  std::seed_seq seed(words.begin(), words.end());
  return std::mt19937_64(seed);
}

void PutLittleEndian(unsigned char* p, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

void WriteWaveHeader(unsigned char* p, std::uint32_t dataSize) {
  std::memcpy(p, "RIFF", 4);
  PutLittleEndian(p + 4, 36 + dataSize, 4);
  std::memcpy(p + 8, "WAVEfmt ", 8);
  PutLittleEndian(p + 16, 16, 4);               // fmt chunk size
  PutLittleEndian(p + 20, 1, 2);                // PCM
  PutLittleEndian(p + 22, 1, 2);                // mono
  PutLittleEndian(p + 24, kSampleRate, 4);      // sample rate
  PutLittleEndian(p + 28, kSampleRate * 2, 4);  // byte rate
  PutLittleEndian(p + 32, 2, 2);                // block align
  PutLittleEndian(p + 34, 16, 2);               // bits per sample
  std::memcpy(p + 36, "data", 4);
  PutLittleEndian(p + 40, dataSize, 4);
}

// Writes samples with noise added, each clamped to 16 bits.
class SampleWriter {
 public:
  SampleWriter(unsigned char* out, std::mt19937_64& generator)
      : out_(out), generator_(generator), noise_(-kNoiseAmplitude, kNoiseAmplitude) {}

  void Silence(std::size_t samples) {
    for (std::size_t i = 0; i < samples; ++i) Put(0);
  }

  void Voice(const Clip& clip, double gain) {
    for (std::size_t i = 0; i < clip.samples; ++i) {
      const unsigned char* p = clip.data + 2 * i;
      const auto sample = static_cast<std::int16_t>(p[0] | p[1] << 8);
      Put(static_cast<std::int32_t>(std::lround(sample * gain)));
    }
  }

 private:
  void Put(std::int32_t value) {
    const std::int32_t noisy = std::clamp(value + noise_(generator_), -32768, 32767);
    PutLittleEndian(out_, static_cast<std::uint16_t>(noisy), 2);
    out_ += 2;
  }

  unsigned char* out_;
  std::mt19937_64& generator_;
  std::uniform_int_distribution<std::int32_t> noise_;
};

}  // namespace

std::vector<unsigned char> VariedSpeech(const std::string& code) {
  if (code.empty()) throw std::string("The code is empty !");
  if (code.size() > kMaxSealedCode) throw std::string("The code is too long !");
  std::string text = code;
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }

  const HMODULE module = GlyphwardModuleHandle();
  const Bytes index = LoadSoundResource(MirelGlyphward::kClipIndexId, module);
  const Bytes bank = LoadSoundResource(MirelGlyphward::kClipBankId, module);
  const std::vector<Clip> clips = ClipsOf(text, index, bank);

  std::mt19937_64 generator = SeededGenerator();
  std::uniform_int_distribution<std::size_t> gapLength(kMinGapSamples, kMaxGapSamples);
  std::uniform_real_distribution<double> gainDb(-kMaxGainDb, kMaxGainDb);

  // One gap before each clip and one after the last.
  std::vector<std::size_t> gaps(clips.size() + 1);
  std::vector<double> gains(clips.size());
  std::size_t samples = 0;
  for (std::size_t i = 0; i < clips.size(); ++i) {
    gaps[i] = gapLength(generator);
    gains[i] = std::pow(10.0, gainDb(generator) / 20.0);
    samples += gaps[i] + clips[i].samples;
  }
  gaps.back() = gapLength(generator);
  samples += gaps.back();

  // The header's size fields are 32 bits; with the bank built in this holds
  // by far, but a larger bank must fail rather than wrap.
  if (samples > (std::numeric_limits<std::int32_t>::max() - MirelGlyphward::kWaveHeaderSize) / 2)
    throw std::string(MirelGlyphward::kCodeTooLong);
  const auto dataSize = static_cast<std::uint32_t>(2 * samples);
  Bytes wave;
  try {
    wave.resize(MirelGlyphward::kWaveHeaderSize + dataSize);
  } catch (const std::bad_alloc&) {
    throw std::string(MirelGlyphward::kWaveAllocationFailed);
  }
  WriteWaveHeader(wave.data(), dataSize);

  SampleWriter writer(wave.data() + MirelGlyphward::kWaveHeaderSize, generator);
  for (std::size_t i = 0; i < clips.size(); ++i) {
    writer.Silence(gaps[i]);
    writer.Voice(clips[i], gains[i]);
  }
  writer.Silence(gaps.back());
  return wave;
}

}  // namespace glyphward_service
