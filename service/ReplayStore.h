// Where used challenge ids are kept until their expiry, so that each token
// verifies at most once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ChallengeToken.h"

namespace glyphward_service {

enum class ReplayOutcome {
  First,        // not seen before; now recorded as used
  Used,         // recorded earlier
  Unavailable,  // cannot tell: the caller must refuse the token
};

class ReplayStore {
 public:
  virtual ~ReplayStore() = default;
  // Records `id` as used until `expiresAt` (Unix seconds); `now` is the
  // caller's clock. Safe to call from many threads at once.
  virtual ReplayOutcome Consume(const ChallengeId& id, std::int64_t expiresAt,
                                std::int64_t now) = 0;
};

// Ids in this process's memory. At `capacity` ids, expired ones are dropped;
// when all are still unexpired, Consume answers Unavailable rather than forget one.
std::unique_ptr<ReplayStore> MakeMemoryReplayStore(std::size_t capacity);

// Ids in Redis (SET key NX EX ttl), shared by every instance that uses the
// same server. `url` is redis://HOST:PORT[/DB]; throws std::invalid_argument
// for a malformed one. Connects on first use; when Redis cannot be reached,
// Consume answers Unavailable.
std::unique_ptr<ReplayStore> MakeRedisReplayStore(const std::string& url);

}  // namespace glyphward_service
