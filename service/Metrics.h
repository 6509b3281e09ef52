// Counters the service exposes in the Prometheus text format.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

namespace glyphward_service {

enum class VerifyReason { Ok, Wrong, Expired, Used, Invalid, Count };

const char* ReasonName(VerifyReason reason);

class Metrics {
 public:
  void ChallengeIssued() { challenges_.fetch_add(1, std::memory_order_relaxed); }
  void Verified(VerifyReason reason) {
    verifications_[std::size_t(reason)].fetch_add(1, std::memory_order_relaxed);
  }
  void RequestServed(double seconds);
  void ConnectionOpened() { connections_.fetch_add(1, std::memory_order_relaxed); }
  void ConnectionClosed() { connections_.fetch_sub(1, std::memory_order_relaxed); }
  std::int64_t OpenConnections() const { return connections_.load(std::memory_order_relaxed); }

  std::string Text() const;

  // Upper bounds of the latency histogram's buckets, in seconds.
  static constexpr std::array<double, 12> kBuckets = {0.0001, 0.00025, 0.0005, 0.001, 0.0025, 0.005,
                                                      0.01,   0.025,   0.05,   0.1,   0.5,    2.5};

 private:
  std::atomic<std::uint64_t> challenges_{0};
  std::array<std::atomic<std::uint64_t>, std::size_t(VerifyReason::Count)> verifications_{};
  std::array<std::atomic<std::uint64_t>, kBuckets.size() + 1> latency_{};
  std::atomic<std::uint64_t> latencyMicros_{0};
  std::atomic<std::int64_t> connections_{0};
};

}  // namespace glyphward_service
