// The service's answers, one request at a time, apart from the socket: what
// each path and method gives, in JSON, pictures, sound or the demo page.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Metrics.h"
#include "ReplayStore.h"
#include "ServiceKey.h"
#include "ServiceSettings.h"

namespace glyphward_service {

struct ApiRequest {
  std::string_view method;
  std::string_view target;
  std::string_view body;
};

struct ApiResponse {
  int status = 200;
  std::string contentType;
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
};

// Seconds since the Unix epoch; tests inject their own.
using Clock = std::function<std::int64_t()>;
std::int64_t SystemClock();

// A JSON error body: {"error": code, "message": message}.
ApiResponse ErrorResponse(int status, std::string_view code, std::string_view message);

class ServiceApi {
 public:
  ServiceApi(ServiceSettings settings, const SealingKey& key, std::unique_ptr<ReplayStore> replay,
             Metrics& metrics, Clock clock = SystemClock);

  // Never throws: every failure becomes a JSON error.
  ApiResponse Handle(const ApiRequest& request);

  const ServiceSettings& Settings() const { return settings_; }

 private:
  ApiResponse Route(const ApiRequest& request);
  ApiResponse NewChallenge();
  ApiResponse Media(std::string_view token, std::string_view kind);
  ApiResponse Verify(std::string_view body);

  ServiceSettings settings_;
  SealingKey key_;
  std::unique_ptr<ReplayStore> replay_;
  Metrics& metrics_;
  Clock clock_;
};

}  // namespace glyphward_service
