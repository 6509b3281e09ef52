#include "Metrics.h"

#include <cmath>
#include <cstdio>

namespace glyphward_service {

const char* ReasonName(VerifyReason reason) {
  switch (reason) {
    case VerifyReason::Ok:
      return "ok";
    case VerifyReason::Wrong:
      return "wrong";
    case VerifyReason::Expired:
      return "expired";
    case VerifyReason::Used:
      return "used";
    default:
      return "invalid";
  }
}

void Metrics::RequestServed(double seconds) {
  std::size_t bucket = 0;
  while (bucket < kBuckets.size() && seconds > kBuckets[bucket]) ++bucket;
  latency_[bucket].fetch_add(1, std::memory_order_relaxed);
  latencyMicros_.fetch_add(std::uint64_t(std::llround(seconds * 1e6)), std::memory_order_relaxed);
}

std::string Metrics::Text() const {
  std::string out;
  char line[160];
  auto add = [&](const char* format, auto... values) {
    std::snprintf(line, sizeof line, format, values...);
    out += line;
  };
  out += "# HELP glyphward_challenges_issued_total Challenges handed out.\n";
  out += "# TYPE glyphward_challenges_issued_total counter\n";
  add("glyphward_challenges_issued_total %llu\n", (unsigned long long)challenges_.load());

  out += "# HELP glyphward_verifications_total Verifications, by outcome.\n";
  out += "# TYPE glyphward_verifications_total counter\n";
  for (std::size_t i = 0; i < verifications_.size(); ++i)
    add("glyphward_verifications_total{reason=\"%s\"} %llu\n", ReasonName(VerifyReason(i)),
        (unsigned long long)verifications_[i].load());

  out += "# HELP glyphward_request_duration_seconds Time from a whole request to its answer.\n";
  out += "# TYPE glyphward_request_duration_seconds histogram\n";
  unsigned long long cumulative = 0;
  for (std::size_t i = 0; i < kBuckets.size(); ++i) {
    cumulative += latency_[i].load();
    add("glyphward_request_duration_seconds_bucket{le=\"%g\"} %llu\n", kBuckets[i], cumulative);
  }
  cumulative += latency_[kBuckets.size()].load();
  add("glyphward_request_duration_seconds_bucket{le=\"+Inf\"} %llu\n", cumulative);
  add("glyphward_request_duration_seconds_sum %.6f\n", double(latencyMicros_.load()) / 1e6);
  add("glyphward_request_duration_seconds_count %llu\n", cumulative);

  out += "# HELP glyphward_open_connections Connections open now.\n";
  out += "# TYPE glyphward_open_connections gauge\n";
  add("glyphward_open_connections %lld\n", (long long)connections_.load());
  return out;
}

}  // namespace glyphward_service
