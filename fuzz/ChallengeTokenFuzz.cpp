// OpenChallenge on any text, and on tokens sealed from the input's fields
// and then altered:
//   [0] even: the rest is the token; odd: [1..8] expiry, [9..12] seed,
//   [13] style, [14..15] width, [16..17] height (little-endian), [18] code
//   length, the code, then alterations as (position, byte) pairs, a
//   position of 0xFF cutting the token short instead.
// Sealing refuses exactly the fields out of range; a sealed token opens to
// the same challenge, and only under its own key; any other text does not open.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "ChallengeToken.h"
#include "FuzzRandom.h"
#include "FuzzSupport.h"

using glyphward_fuzz::Fail;
using glyphward_service::Challenge;

namespace {

constexpr std::size_t kFields = 19;

glyphward_service::SealingKey Key(unsigned char salt) {
  glyphward_service::SealingKey key;
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<unsigned char>(salt + 7 * i);
  return key;
}

std::uint64_t Little(const std::uint8_t* p, int bytes) {
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= std::uint64_t(p[i]) << (8 * i);
  return v;
}

bool Same(const Challenge& a, const Challenge& b) {
  return a.id == b.id && a.code == b.code && a.seed == b.seed && a.style == b.style &&
         a.width == b.width && a.height == b.height && a.expiresAt == b.expiresAt;
}

bool InRange(const Challenge& c) {
  return !c.code.empty() && c.code.size() <= glyphward_service::kMaxSealedCode && c.seed >= 1 &&
         c.seed <= 2147483646 && c.style >= 0 && c.style <= 49 && c.width >= 1 &&
         c.width <= 65535 && c.height >= 1 && c.height <= 65535;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto key = Key(0x11);
  if (!(data[0] & 1) || size < kFields) {
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (glyphward_service::OpenChallenge(key, text)) Fail("a text we never sealed opens");
    return 0;
  }

  glyphward_fuzz::ResetRandom(size);
  Challenge challenge;
  for (std::size_t i = 0; i < challenge.id.size(); ++i) challenge.id[i] = data[i % size];
  challenge.expiresAt = std::int64_t(Little(data + 1, 8));
  challenge.seed = std::int32_t(std::uint32_t(Little(data + 9, 4)));
  challenge.style = std::int8_t(data[13]);
  challenge.width = std::int32_t(Little(data + 14, 2)) - 2;
  challenge.height = std::int32_t(Little(data + 16, 2)) - 2;
  const std::size_t codeSize = std::min<std::size_t>(data[18], size - kFields);
  challenge.code.assign(reinterpret_cast<const char*>(data + kFields), codeSize);

  std::string token;
  try {
    token = glyphward_service::SealChallenge(key, challenge);
    if (!InRange(challenge)) Fail("fields out of range were sealed");
  } catch (const std::invalid_argument&) {
    if (InRange(challenge)) Fail("fields in range were refused");
    return 0;
  }
  if (token.size() > glyphward_service::kMaxTokenLength) Fail("a token too long to open");
  const auto opened = glyphward_service::OpenChallenge(key, token);
  if (!opened || !Same(*opened, challenge)) Fail("a sealed challenge does not open as itself");
  if (glyphward_service::OpenChallenge(Key(0x12), token)) Fail("a token opens under another key");

  std::string altered = token;
  for (std::size_t i = kFields + codeSize; i + 1 < size; i += 2) {
    if (data[i] == 0xFF)
      altered.resize(data[i + 1] % (altered.size() + 1));
    else if (!altered.empty())
      altered[data[i] % altered.size()] = char(data[i + 1]);
  }
  if (altered != token && glyphward_service::OpenChallenge(key, altered))
    Fail("an altered token opens");
  return 0;
}
