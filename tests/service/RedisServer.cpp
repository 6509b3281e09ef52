#include "RedisServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <hiredis/hiredis.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace glyphward_service_test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kWait = std::chrono::seconds(5);  // for start-up and for shutdown
constexpr auto kPollInterval = std::chrono::milliseconds(20);

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

std::system_error SystemError(const std::string& what) {
  return std::system_error(errno, std::generic_category(), what);
}

// A port the kernel just handed out; another process could take it before
// redis-server binds it, hence the retries in the constructor.
int FreePort() {
  FileDescriptor socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (socket.get() < 0 || bind(socket.get(), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw SystemError("no free loopback port");
  return ntohs(address.sin_port);
}

bool AnswersPing(int port) {
  const std::unique_ptr<redisContext, decltype(&redisFree)> context(
      redisConnectWithTimeout("127.0.0.1", port, timeval{0, 200'000}), &redisFree);
  if (!context || context->err != 0) return false;
  const std::unique_ptr<redisReply, decltype(&freeReplyObject)> reply(
      static_cast<redisReply*>(redisCommand(context.get(), "PING")), &freeReplyObject);
  return reply && reply->type == REDIS_REPLY_STATUS && std::string(reply->str) == "PONG";
}

std::string FindExecutable() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(std::string(path != nullptr ? path : "") + ":/usr/bin");
  for (std::string folder; std::getline(folders, folder, ':');)
    if (!folder.empty() && access((folder + "/redis-server").c_str(), X_OK) == 0)
      return folder + "/redis-server";
  throw std::runtime_error(
      "redis-server is not installed (not on PATH nor in /usr/bin); "
      "scripts/install-deps.sh installs it");
}

// The child dies with the starting thread, so a crashed test leaves no server.
pid_t Spawn(const std::string& executable, const std::vector<std::string>& args,
            const std::filesystem::path& log) {
  std::vector<char*> argv{const_cast<char*>(executable.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  FileDescriptor input(open("/dev/null", O_RDONLY | O_CLOEXEC));
  FileDescriptor output(open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600));
  if (input.get() < 0 || output.get() < 0) throw SystemError("cannot open " + log.string());
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child < 0) throw SystemError("fork");
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
  if (mkdtemp(pattern.data()) == nullptr) throw SystemError("mkdtemp " + pattern);
  folder_ = pattern;
  for (int attempt = 0; attempt < 5; ++attempt) {
    port_ = FreePort();
    if (Launch()) return;
  }
  const std::string log = LogTail();
  std::filesystem::remove_all(folder_);
  throw std::runtime_error("redis-server did not come up; its log ends:\n" + log);
}

RedisServer::~RedisServer() {
  Stop();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void RedisServer::Start() {
  if (pid_ <= 0 && !Launch())
    throw std::runtime_error("redis-server did not come back on port " + std::to_string(port_) +
                             "; its log ends:\n" + LogTail());
}

void RedisServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (const auto deadline = Clock::now() + kWait; Clock::now() < deadline;) {
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
  for (const auto deadline = Clock::now() + kWait; Clock::now() < deadline && !exited;) {
    if ((exited = Reaped(pid_))) break;
    // A PONG from another server holding the port does not mean this one is up.
    if (AnswersPing(port_) && !(exited = Reaped(pid_))) return true;
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
  std::ifstream log(folder_ / "redis.log");
  const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

}  // namespace glyphward_service_test
