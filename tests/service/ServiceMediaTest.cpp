// The challenge's picture and voice: pictures repeat exactly from the sealed
// seed on any thread; the voice is the code's clips, but never their bytes.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_set>
#include <vector>

#include "RandomSource.h"
#include "ChallengePicture.h"
#include "ServiceAudio.h"
#include "SoundBuilder.h"
#include "SoundMessages.h"
#include "SoundResources.h"
#include "glyphward_resources.h"

namespace {

using glyphward_service::Challenge;
using glyphward_service::ChallengePicture;
using glyphward_service::VariedSpeech;
using MirelGlyphward::BindThreadRandomSource;
using MirelGlyphward::RandomSource;
using Bytes = std::vector<unsigned char>;

Challenge MakeChallenge(std::int32_t seed, std::int32_t style = 31, std::int32_t width = 250,
                        std::int32_t height = 50) {
  Challenge challenge;
  challenge.code = "AB2CD";
  challenge.seed = seed;
  challenge.style = style;
  challenge.width = width;
  challenge.height = height;
  return challenge;
}

// libpng's simplified reader, released on every path.
class PngInfo {
 public:
  explicit PngInfo(const Bytes& png) {
    image_.version = PNG_IMAGE_VERSION;
    ok_ = png_image_begin_read_from_memory(&image_, png.data(), png.size()) != 0;
  }
  ~PngInfo() { png_image_free(&image_); }
  PngInfo(const PngInfo&) = delete;
  PngInfo& operator=(const PngInfo&) = delete;
  bool ok() const { return ok_; }
  const png_image& image() const { return image_; }

 private:
  png_image image_{};
  bool ok_ = false;
};

TEST(ChallengePicture, TheSameChallengeGivesTheSameBytesAtItsSize) {
  for (const Challenge& challenge : {MakeChallenge(12345), MakeChallenge(7, 0, 180, 64)}) {
    const Bytes first = ChallengePicture(challenge, "PNG");
    EXPECT_EQ(ChallengePicture(challenge, "PNG"), first);
    PngInfo png(first);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.image().width, png_uint_32(challenge.width));
    EXPECT_EQ(png.image().height, png_uint_32(challenge.height));
  }
  EXPECT_NE(ChallengePicture(MakeChallenge(12346), "PNG"),
            ChallengePicture(MakeChallenge(12345), "PNG"));
  const Bytes jpeg = ChallengePicture(MakeChallenge(12345), "JPEG");
  EXPECT_EQ(Bytes(jpeg.begin(), jpeg.begin() + 2), (Bytes{0xFF, 0xD8}));
}

TEST(ChallengePicture, ThreadsDrawAloneAndTheCallersEngineIsUntouched) {
  const Challenge challenge = MakeChallenge(424242);
  const Bytes reference = ChallengePicture(challenge, "PNG");
  const std::uint64_t processSteps = MirelGlyphward::ProcessRandomSource().Steps();

  RandomSource callers(99);
  ASSERT_EQ(BindThreadRandomSource(&callers), nullptr);
  std::vector<Bytes> drawn(8 * 3);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t i = 0; i < 3; ++i) drawn[t * 3 + i] = ChallengePicture(challenge, "PNG");
    });
  }
  const Bytes own = ChallengePicture(challenge, "PNG");
  for (std::thread& thread : threads) thread.join();

  for (const Bytes& bytes : drawn) EXPECT_EQ(bytes, reference);
  EXPECT_EQ(own, reference);
  EXPECT_EQ(BindThreadRandomSource(nullptr), &callers);
  EXPECT_EQ(callers.Steps(), 0u);
  EXPECT_EQ(MirelGlyphward::ProcessRandomSource().Steps(), processSteps);
}

TEST(ChallengePicture, FailuresAreMessagesAndKeepTheCallersEngine) {
  struct Case {
    Challenge challenge;
    std::string format;
  };
  const Case cases[] = {
      {MakeChallenge(5), "BMP"},
      {MakeChallenge(5), "png"},
      {MakeChallenge(0), "PNG"},
      {MakeChallenge(2147483647), "PNG"},
      {MakeChallenge(5, 50), "PNG"},
      {MakeChallenge(5, 31, 0, 50), "PNG"},
      {MakeChallenge(5, 31, 65535, 65535), "PNG"},
  };
  RandomSource callers(99);
  BindThreadRandomSource(&callers);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format + " seed " + std::to_string(c.challenge.seed) + " style " +
                 std::to_string(c.challenge.style) + " width " + std::to_string(c.challenge.width));
    EXPECT_THROW(ChallengePicture(c.challenge, c.format), std::string);
  }
  EXPECT_EQ(BindThreadRandomSource(nullptr), &callers);
  EXPECT_EQ(callers.Steps(), 0u);
}

// The component's own clips, read through its loader.
class Voice {
 public:
  Voice() : index_(Load(MirelGlyphward::kClipIndexId)), bank_(Load(MirelGlyphward::kClipBankId)) {}

  std::string_view Clip(char c) const {
    const MirelGlyphward::SoundLookup lookup = MirelGlyphward::SoundBuilder::FindLookup(
        c, index_.data(), index_.size() / MirelGlyphward::kLookupRecordSize);
    EXPECT_NE(lookup.offset, MirelGlyphward::kLookupNotFound) << c;
    return {reinterpret_cast<const char*>(bank_.data()) + lookup.offset, lookup.length};
  }

 private:
  static Bytes Load(int id) {
    DWORD size = 0;
    const HMODULE module = GlyphwardModuleHandle();
    EXPECT_TRUE(MirelGlyphward::SoundBuilder::LoadResourceBytes(
        id, nullptr, &size, MirelGlyphward::kSoundResourceType, module));
    Bytes bytes(size);
    EXPECT_TRUE(MirelGlyphward::SoundBuilder::LoadResourceBytes(
        id, bytes.data(), &size, MirelGlyphward::kSoundResourceType, module));
    return bytes;
  }

  Bytes index_;
  Bytes bank_;
};

std::uint32_t Le(const Bytes& b, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | b[at + std::size_t(i)];
  return value;
}

std::vector<double> Samples(std::string_view bytes) {
  std::vector<double> samples(bytes.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = std::int16_t(std::uint8_t(bytes[2 * i]) | std::uint8_t(bytes[2 * i + 1]) << 8);
  return samples;
}

std::string_view Data(const Bytes& wave) {
  return {reinterpret_cast<const char*>(wave.data()) + 44, wave.size() - 44};
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

const std::string kEveryCharacter = "abcdefghijklmnopqrstuvwxyz1234567890";

TEST(VariedSpeech, HeaderAndLengthFitTheCode) {
  const Voice voice;
  for (const std::string& code :
       std::vector<std::string>{"AB2CD", "w", kEveryCharacter, std::string(64, '8')}) {
    SCOPED_TRACE(code);
    const Bytes wave = VariedSpeech(code);
    ASSERT_GE(wave.size(), 44u);
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(Le(wave, 4, 4), wave.size() - 8);
    EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
    const std::uint32_t fmt[] = {Le(wave, 16, 4), Le(wave, 20, 2), Le(wave, 22, 2), Le(wave, 24, 4),
                                 Le(wave, 28, 4), Le(wave, 32, 2), Le(wave, 34, 2)};
    EXPECT_EQ(std::vector<std::uint32_t>(std::begin(fmt), std::end(fmt)),
              (std::vector<std::uint32_t>{16, 1, 1, 8000, 16000, 2, 16}));
    EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
    EXPECT_EQ(Le(wave, 40, 4), wave.size() - 44);

    std::size_t clipSamples = 0;
    for (char c : code) clipSamples += voice.Clip(Lower(c)).size() / 2;
    const std::size_t samples = (wave.size() - 44) / 2, gaps = code.size() + 1;
    EXPECT_EQ(wave.size() % 2, 0u);
    EXPECT_GE(samples, clipSamples + gaps * 400);
    EXPECT_LE(samples, clipSamples + gaps * 2000);
  }
}

TEST(VariedSpeech, NoTwoAnswersAlike) {
  EXPECT_NE(VariedSpeech("AB2CD"), VariedSpeech("AB2CD"));
}

TEST(VariedSpeech, NoRunOfTheBankSurvives) {
  const Voice voice;
  constexpr std::size_t kWindow = 16;  // 8 samples
  std::unordered_set<std::string_view> windows;
  for (char c : kEveryCharacter) {
    const std::string_view clip = voice.Clip(c);
    for (std::size_t at = 0; at + kWindow <= clip.size(); at += 2)
      windows.insert(clip.substr(at, kWindow));
  }
  const Bytes wave = VariedSpeech(kEveryCharacter);
  const std::string_view data = Data(wave);
  std::size_t found = 0;
  for (std::size_t at = 0; at + kWindow <= data.size(); at += 2)
    found += windows.count(data.substr(at, kWindow));
  EXPECT_EQ(found, 0u);
}

// Each clip, found by correlation within the gap after the previous one,
// sits there at a gain within +-3 dB; between clips only quiet noise.
TEST(VariedSpeech, TheClipsFollowInOrderAtTheirGain) {
  const Voice voice;
  for (const std::string code : {"AB2CD", "w8l0"}) {
    SCOPED_TRACE(code);
    const Bytes wave = VariedSpeech(code);
    const std::vector<double> out = Samples(Data(wave));
    auto expectQuietNoise = [&](std::size_t from, std::size_t to) {
      ASSERT_GE(to - from, 400u);
      ASSERT_LE(to - from, 2000u);
      double energy = 0, peak = 0;
      for (std::size_t i = from; i < to; ++i) {
        energy += out[i] * out[i];
        peak = std::max(peak, std::abs(out[i]));
      }
      EXPECT_GT(std::sqrt(energy / double(to - from)), 20.0);
      EXPECT_LT(peak, 330.0);  // 1 % of full scale
    };
    std::size_t cursor = 0;
    for (char c : code) {
      const std::vector<double> clip = Samples(voice.Clip(Lower(c)));
      double clipEnergy = 0;
      for (double s : clip) clipEnergy += s * s;
      double best = -1, bestDot = 0;
      std::size_t bestAt = 0;
      for (std::size_t at = cursor + 400; at <= cursor + 2000 && at + clip.size() <= out.size();
           ++at) {
        double dot = 0, energy = 0;
        for (std::size_t i = 0; i < clip.size(); ++i) {
          dot += out[at + i] * clip[i];
          energy += out[at + i] * out[at + i];
        }
        const double correlation = dot / std::sqrt(clipEnergy * energy);
        if (correlation > best) best = correlation, bestDot = dot, bestAt = at;
      }
      EXPECT_GT(best, 0.99) << c;
      const double gainDb = 20 * std::log10(bestDot / clipEnergy);
      EXPECT_LE(std::abs(gainDb), 3.05) << c;
      expectQuietNoise(cursor, bestAt);
      cursor = bestAt + clip.size();
    }
    expectQuietNoise(cursor, out.size());
  }
}

TEST(VariedSpeech, RefusesWhatItCannotSay) {
  const struct {
    std::string code;
    std::string message;
  } cases[] = {
      {"AB-CD", MirelGlyphward::kLetterNotFound},
      {"ab cd", MirelGlyphward::kLetterNotFound},
      {std::string("ab\0cd", 5), MirelGlyphward::kLetterNotFound},
      {"\xC3\xA9", MirelGlyphward::kLetterNotFound},
      {"", "The code is empty !"},
      {std::string(65, 'a'), "The code is too long !"},
      {std::string(1 << 20, '?'), "The code is too long !"},
  };
  for (const auto& c : cases) {
    try {
      VariedSpeech(c.code);
      ADD_FAILURE() << "no error for " << c.code;
    } catch (const std::string& message) {
      EXPECT_EQ(message, c.message) << c.code;
    }
  }
}

}  // namespace
