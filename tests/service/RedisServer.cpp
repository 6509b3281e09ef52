#include "RedisServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace glyphward_service_test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kStartupWait = std::chrono::seconds(5);
constexpr auto kShutdownWait = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr int kPortAttempts = 5;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A port the kernel just handed out; another process could take it before
// redis-server binds it, hence the retries in the constructor.
int FreePort() {
  FileDescriptor socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  if (socket.get() < 0 || bind(socket.get(), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::system_error(errno, std::generic_category(), "no free loopback port");
  }
  return ntohs(address.sin_port);
}

bool AnswersPing(int port) {
  FileDescriptor socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (socket.get() < 0) return false;
  const timeval timeout{0, 200'000};
  setsockopt(socket.get(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  setsockopt(socket.get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  const sockaddr_in address = Loopback(port);
  if (connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return false;
  }
  constexpr std::string_view kPing = "PING\r\n";
  constexpr std::string_view kPong = "+PONG\r\n";
  if (send(socket.get(), kPing.data(), kPing.size(), MSG_NOSIGNAL) !=
      static_cast<ssize_t>(kPing.size())) {
    return false;
  }
  std::string answer;
  char buffer[16];
  while (answer.size() < kPong.size()) {
    const ssize_t got = recv(socket.get(), buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    answer.append(buffer, static_cast<std::size_t>(got));
  }
  return answer == kPong;
}

std::string FindExecutable() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/redis-server";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  if (access("/usr/bin/redis-server", X_OK) == 0) return "/usr/bin/redis-server";
  throw std::runtime_error(
      "redis-server is not installed (not on PATH nor at /usr/bin/redis-server); "
      "scripts/install-deps.sh installs it");
}

// The child dies with the starting thread, so a crashed test leaves no server.
pid_t Spawn(const std::string& executable, const std::vector<std::string>& args,
            const std::filesystem::path& log) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(executable.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  FileDescriptor input(open("/dev/null", O_RDONLY | O_CLOEXEC));
  FileDescriptor output(open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600));
  if (input.get() < 0 || output.get() < 0) {
    throw std::system_error(errno, std::generic_category(), "cannot open " + log.string());
  }
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child < 0) throw std::system_error(errno, std::generic_category(), "fork");
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    dup2(input.get(), STDIN_FILENO);
    dup2(output.get(), STDOUT_FILENO);
    dup2(output.get(), STDERR_FILENO);
    close_range(3, ~0U, 0);
    execv(executable.c_str(), argv.data());
    constexpr char kFailed[] = "exec of redis-server failed\n";
    [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, kFailed, sizeof kFailed - 1);
    _exit(127);
  }
  return child;
}

// True when `pid` has ended (and is reaped).
bool Reaped(pid_t pid) {
  return waitpid(pid, nullptr, WNOHANG) != 0;
}

}  // namespace

RedisServer::RedisServer() : executable_(FindExecutable()) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/glyphward-redis-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
  }
  folder_ = pattern;
  try {
    for (int attempt = 0; attempt < kPortAttempts; ++attempt) {
      port_ = FreePort();
      if (Launch()) return;
    }
    throw std::runtime_error("redis-server did not come up; its log ends:\n" + LogTail());
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    throw;
  }
}

RedisServer::~RedisServer() {
  Stop();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void RedisServer::Start() {
  if (pid_ > 0) return;
  if (!Launch()) {
    throw std::runtime_error("redis-server did not come back on port " + std::to_string(port_) +
                             "; its log ends:\n" + LogTail());
  }
}

void RedisServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (const auto deadline = Clock::now() + kShutdownWait; Clock::now() < deadline;) {
    if (Reaped(pid_)) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

std::string RedisServer::Url() const {
  return "redis://127.0.0.1:" + std::to_string(port_);
}

bool RedisServer::Launch() {
  pid_ = Spawn(executable_,
               {"--port", std::to_string(port_), "--bind", "127.0.0.1", "--save", "",
                "--appendonly", "no", "--dir", folder_.string(), "--daemonize", "no"},
               folder_ / "redis.log");
  bool exited = false;
  for (const auto deadline = Clock::now() + kStartupWait; Clock::now() < deadline;) {
    if ((exited = Reaped(pid_))) break;
    if (AnswersPing(port_)) {
      // A PONG from another server holding the port does not mean this one is up.
      if (!(exited = Reaped(pid_))) return true;
      break;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  if (!exited) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
  return false;
}

std::string RedisServer::LogTail() const {
  constexpr std::size_t kTail = 2000;
  std::ifstream log(folder_ / "redis.log");
  std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  return text.size() > kTail ? text.substr(text.size() - kTail) : text;
}

}  // namespace glyphward_service_test
