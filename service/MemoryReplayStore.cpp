#include "ReplayStore.h"

#include <cstring>
#include <mutex>
#include <set>
#include <unordered_map>
#include <utility>

namespace glyphward_service {
namespace {

// Ids come from the system's random source, so folding their halves is an
// even enough spread.
struct IdHash {
  std::size_t operator()(const ChallengeId& id) const noexcept {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::memcpy(&low, id.data(), sizeof low);
    std::memcpy(&high, id.data() + sizeof low, sizeof high);
    return static_cast<std::size_t>(low ^ (high * 0x9E3779B97F4A7C15ULL));
  }
};

// One mutex for the whole store: sharding would split the capacity, and a
// shard could then refuse ids while the store as a whole still has room.
class MemoryReplayStore final : public ReplayStore {
 public:
  explicit MemoryReplayStore(std::size_t capacity) : capacity_(capacity) {}

  ReplayOutcome Consume(const ChallengeId& id, std::int64_t expiresAt, std::int64_t now) override {
    std::lock_guard lock(mutex_);
    if (auto found = expiries_.find(id); found != expiries_.end()) {
      if (found->second > now) return ReplayOutcome::Used;
      byExpiry_.erase({found->second, id});
      expiries_.erase(found);
    }
    if (expiries_.size() >= capacity_) PurgeExpired(now);
    if (expiries_.size() >= capacity_) return ReplayOutcome::Unavailable;
    expiries_.emplace(id, expiresAt);
    byExpiry_.emplace(expiresAt, id);
    return ReplayOutcome::First;
  }

 private:
  void PurgeExpired(std::int64_t now) {
    while (!byExpiry_.empty() && byExpiry_.begin()->first <= now) {
      expiries_.erase(byExpiry_.begin()->second);
      byExpiry_.erase(byExpiry_.begin());
    }
  }

  const std::size_t capacity_;
  std::mutex mutex_;
  std::unordered_map<ChallengeId, std::int64_t, IdHash> expiries_;
  // The same entries, soonest expiry first, so purging never scans the rest.
  std::set<std::pair<std::int64_t, ChallengeId>> byExpiry_;
};

}  // namespace

std::unique_ptr<ReplayStore> MakeMemoryReplayStore(std::size_t capacity) {
  return std::make_unique<MemoryReplayStore>(capacity);
}

}  // namespace glyphward_service
