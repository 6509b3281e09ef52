#include "ReplayStore.h"

#include <arpa/inet.h>
#include <hiredis/hiredis.h>
#include <pthread.h>
#include <signal.h>
#include <sys/time.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <limits>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace glyphward_service {
namespace {

// Short, so that a lost Redis turns into quick refusals rather than piled-up
// requests. A pooled link that fails is retried once on a new one, so a call
// takes at most one command timeout plus one connect and one command timeout.
constexpr timeval kConnectTimeout{1, 0};
constexpr timeval kCommandTimeout{1, 0};
// Idle links kept for reuse; links beyond these, opened under a burst, are closed.
constexpr std::size_t kMaxIdleConnections = 8;
constexpr std::string_view kKeyPrefix = "glyphward:used:";

struct RedisAddress {
  std::string host;
  int port = 0;
  int db = 0;
};

// The message names the rule broken, not the URL, which may carry a password.
[[noreturn]] void RejectUrl(const char* reason) {
  throw std::invalid_argument(std::string("Redis URL must be redis://HOST:PORT[/DB]: ") + reason);
}

// Decimal digits only: no sign, spaces or leading zeros.
std::optional<int> ParseDecimal(std::string_view text, int maxValue) {
  if (text.empty() || text.size() > 5 || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > maxValue) return std::nullopt;
  return value;
}

bool IsHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

RedisAddress ParseRedisUrl(std::string_view url) {
  constexpr std::string_view kScheme = "redis://";
  if (!url.starts_with(kScheme)) RejectUrl("the scheme must be redis://");
  std::string_view rest = url.substr(kScheme.size());
  RedisAddress address;
  if (rest.starts_with('[')) {
    const auto close = rest.find(']');
    if (close == std::string_view::npos) RejectUrl("'[' opens an IPv6 host that is never closed");
    address.host = rest.substr(1, close - 1);
    in6_addr parsed{};
    if (inet_pton(AF_INET6, address.host.c_str(), &parsed) != 1) {
      RejectUrl("the host in brackets must be an IPv6 address");
    }
    rest.remove_prefix(close + 1);
    if (!rest.starts_with(':')) RejectUrl("a port must follow the host");
    rest.remove_prefix(1);
  } else {
    const auto colon = rest.find(':');
    if (colon == std::string_view::npos) RejectUrl("a port must follow the host");
    address.host = rest.substr(0, colon);
    if (address.host.empty()) RejectUrl("the host is empty");
    if (address.host.size() > 253 ||
        !std::all_of(address.host.begin(), address.host.end(), IsHostChar)) {
      RejectUrl("the host may hold only letters, digits, '.', '-' and '_'");
    }
    rest.remove_prefix(colon + 1);
  }
  const auto slash = rest.find('/');
  const auto port = ParseDecimal(rest.substr(0, slash), 65535);
  if (!port || *port == 0) RejectUrl("the port must be a number from 1 to 65535");
  address.port = *port;
  if (slash != std::string_view::npos) {
    const auto db = ParseDecimal(rest.substr(slash + 1), 15);
    if (!db) RejectUrl("the database must be a number from 0 to 15");
    address.db = *db;
  }
  return address;
}

struct ContextFree {
  void operator()(redisContext* context) const noexcept { redisFree(context); }
};
using Connection = std::unique_ptr<redisContext, ContextFree>;

struct ReplyFree {
  void operator()(redisReply* reply) const noexcept { freeReplyObject(reply); }
};
using Reply = std::unique_ptr<redisReply, ReplyFree>;

// Empty when the link failed (its context then carries the error).
Reply RunCommand(redisContext& context, std::initializer_list<std::string_view> args) {
  std::array<const char*, 8> argv{};
  std::array<std::size_t, 8> lengths{};
  std::size_t count = 0;
  for (std::string_view arg : args) {
    argv.at(count) = arg.data();
    lengths.at(count) = arg.size();
    ++count;
  }
  return Reply(static_cast<redisReply*>(
      redisCommandArgv(&context, static_cast<int>(count), argv.data(), lengths.data())));
}

bool IsOk(const Reply& reply) {
  return reply && reply->type == REDIS_REPLY_STATUS &&
         std::string_view(reply->str, reply->len) == "OK";
}

// hiredis sends with write(2), which raises SIGPIPE on a link the server has
// reset. A library must neither let that kill its host nor change the
// process-wide handler, so the signal is blocked in this thread for the call
// and one it caused is taken off the pending set before unblocking.
class SigpipeBlock {
 public:
  SigpipeBlock() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    blocked_ = pthread_sigmask(SIG_BLOCK, &pipe_, &previous_) == 0;
    sigset_t pending;
    sigemptyset(&pending);
    wasPending_ = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
  }
  ~SigpipeBlock() {
    if (!blocked_) return;
    if (!wasPending_) {
      const timespec noWait{};
      sigtimedwait(&pipe_, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  SigpipeBlock(const SigpipeBlock&) = delete;
  SigpipeBlock& operator=(const SigpipeBlock&) = delete;

 private:
  sigset_t pipe_{};
  sigset_t previous_{};
  bool blocked_ = false;
  bool wasPending_ = false;
};

std::string KeyOf(const ChallengeId& id) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string key(kKeyPrefix);
  for (unsigned char byte : id) {
    key += kHex[byte >> 4];
    key += kHex[byte & 0x0F];
  }
  return key;
}

// An expiry beyond what Redis accepts is passed on as is: Redis refuses it and
// the token is refused with it, rather than being forgotten early.
std::int64_t TtlSeconds(std::int64_t expiresAt, std::int64_t now) {
  std::int64_t ttl = 0;
  if (__builtin_sub_overflow(expiresAt, now, &ttl)) {
    ttl = expiresAt > now ? std::numeric_limits<std::int64_t>::max() : 1;
  }
  return std::max<std::int64_t>(1, ttl);
}

class RedisReplayStore final : public ReplayStore {
 public:
  explicit RedisReplayStore(RedisAddress address)
      : address_(std::move(address)), db_(std::to_string(address_.db)) {}

  ReplayOutcome Consume(const ChallengeId& id, std::int64_t expiresAt, std::int64_t now) override {
    const std::string key = KeyOf(id);
    const std::string ttl = std::to_string(TtlSeconds(expiresAt, now));
    SigpipeBlock noSigpipe;
    if (Connection pooled = TakeIdle()) {
      if (const auto outcome = SetOnce(*pooled, key, ttl)) {
        GiveBack(std::move(pooled));
        return *outcome;
      }
      // Redis restarted or closed idle links: the other idle ones are as
      // stale. SET NX cannot answer First twice, so retrying is safe.
      DropIdle();
    }
    Connection fresh = Connect();
    if (!fresh) return ReplayOutcome::Unavailable;
    const auto outcome = SetOnce(*fresh, key, ttl);
    if (!outcome) return ReplayOutcome::Unavailable;
    GiveBack(std::move(fresh));
    return *outcome;
  }

 private:
  // First or Used; nothing when the link or the command failed, after which
  // the link must not be reused.
  static std::optional<ReplayOutcome> SetOnce(redisContext& context, const std::string& key,
                                              const std::string& ttl) {
    const Reply reply = RunCommand(context, {"SET", key, "1", "NX", "EX", ttl});
    if (IsOk(reply)) return ReplayOutcome::First;
    if (reply && reply->type == REDIS_REPLY_NIL) return ReplayOutcome::Used;
    return std::nullopt;
  }

  Connection Connect() const {
    Connection context(
        redisConnectWithTimeout(address_.host.c_str(), address_.port, kConnectTimeout));
    if (!context || context->err != 0) return {};
    if (redisSetTimeout(context.get(), kCommandTimeout) != REDIS_OK) return {};
    if (address_.db != 0 && !IsOk(RunCommand(*context, {"SELECT", db_}))) return {};
    return context;
  }

  Connection TakeIdle() {
    std::lock_guard lock(mutex_);
    if (idle_.empty()) return {};
    Connection context = std::move(idle_.back());
    idle_.pop_back();
    return context;
  }

  void GiveBack(Connection context) {
    std::lock_guard lock(mutex_);
    if (idle_.size() < kMaxIdleConnections) idle_.push_back(std::move(context));
  }

  void DropIdle() {
    std::vector<Connection> stale;
    std::lock_guard lock(mutex_);
    stale.swap(idle_);
  }

  const RedisAddress address_;
  const std::string db_;
  std::mutex mutex_;
  std::vector<Connection> idle_;
};

}  // namespace

std::unique_ptr<ReplayStore> MakeRedisReplayStore(const std::string& url) {
  return std::make_unique<RedisReplayStore>(ParseRedisUrl(url));
}

}  // namespace glyphward_service
