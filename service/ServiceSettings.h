// What `glyphward serve` was asked for, checked by the command line before
// the service starts.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphward_service {

struct ServiceSettings {
  std::string address = "127.0.0.1";
  std::uint16_t port = 8080;  // 0 picks a free port
  std::vector<std::int32_t> styles{38};
  std::string format = "PNG";  // "PNG" or "JPEG"
  std::int32_t width = 250;
  std::int32_t height = 50;
  std::int32_t length = 5;
  std::int32_t codeType = 0;
  std::int64_t ttlSeconds = 300;
  unsigned threads = 1;
  bool testMode = false;

  // Limits on what one client may cost the service.
  std::size_t maxBodyBytes = 4 * 1024;
  std::size_t maxHeaderBytes = 8 * 1024;
  std::chrono::milliseconds readTimeout{10'000};
  std::size_t maxConnections = 1024;
  std::size_t replayCapacity = 1'000'000;
};

}  // namespace glyphward_service
