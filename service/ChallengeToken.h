// A challenge sealed into an opaque token with AES-256-GCM: the server keeps
// nothing, and a token cannot be read or altered without the key.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ServiceKey.h"

namespace glyphward_service {

using ChallengeId = std::array<unsigned char, 16>;

struct Challenge {
  ChallengeId id{};
  std::string code;            // 1..kMaxSealedCode bytes
  std::int32_t seed = 1;       // the picture engine's seed, 1..2147483646
  std::int32_t style = 0;      // 0..49
  std::int32_t width = 0;      // 1..65535
  std::int32_t height = 0;     // 1..65535
  std::int64_t expiresAt = 0;  // seconds since the Unix epoch
};

inline constexpr std::size_t kMaxSealedCode = 64;
// Longer texts are refused before any decoding.
inline constexpr std::size_t kMaxTokenLength = 512;

// The token of `challenge`: URL-safe base64 without padding. Throws
// std::invalid_argument for fields out of range.
std::string SealChallenge(const SealingKey& key, const Challenge& challenge);

// The challenge inside `token`, or nothing when the token is malformed, too
// long, or fails authentication under `key`.
std::optional<Challenge> OpenChallenge(const SealingKey& key, std::string_view token);

}  // namespace glyphward_service
