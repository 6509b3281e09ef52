// HTTP/1.1 over TCP for the service: Boost.Beast on a pool of threads, with
// limits on header and body sizes, slow senders and open connections.
#pragma once

#include <cstdint>
#include <memory>

#include "ServiceApi.h"

namespace glyphward_service {

class HttpServer {
 public:
  // Binds and listens at once; throws std::runtime_error with the reason
  // when the address cannot be used.
  HttpServer(ServiceApi& api, Metrics& metrics);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // The port actually bound (useful when 0 was asked for).
  std::uint16_t Port() const;

  // Serves on the settings' number of threads until Stop(); Start returns at
  // once, Run blocks until SIGINT or SIGTERM.
  void Start();
  void Run();
  void Stop();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace glyphward_service
