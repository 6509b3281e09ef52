// A throwaway redis-server for tests: loopback only, no persistence, in a
// temporary folder that goes away with it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace glyphward_service_test {

class RedisServer {
 public:
  // Starts redis-server (from PATH, else /usr/bin) on a free port of
  // 127.0.0.1 and waits until it answers PING. Throws std::runtime_error,
  // saying why, when it is not installed or does not come up.
  // The server is stopped if the thread that started it ends first.
  RedisServer();
  ~RedisServer();
  RedisServer(const RedisServer&) = delete;
  RedisServer& operator=(const RedisServer&) = delete;

  // Shuts the server down (SIGTERM) and waits for it; its data is lost.
  void Stop();
  // Starts it again on the same port; nothing when it runs already.
  void Start();

  int Port() const { return port_; }
  // redis://127.0.0.1:PORT
  std::string Url() const;

 private:
  bool Launch();
  std::string LogTail() const;

  std::string executable_;
  std::filesystem::path folder_;
  int port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace glyphward_service_test
