#include "ReplayStore.h"

#include <arpa/inet.h>
#include <hiredis/hiredis.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "RedisServer.h"

namespace {

using glyphward_service::ChallengeId;
using glyphward_service::MakeMemoryReplayStore;
using glyphward_service::MakeRedisReplayStore;
using glyphward_service::ReplayOutcome;
using glyphward_service::ReplayStore;
using glyphward_service_test::RedisServer;

constexpr std::int64_t kNow = 1'700'000'000;
constexpr std::int64_t kLater = kNow + 300;

ChallengeId IdOf(std::uint32_t n) {
  ChallengeId id{};
  for (std::size_t i = 0; i < id.size(); ++i)
    id[i] = static_cast<unsigned char>((n >> (i % 4 * 8)) + i);
  return id;
}

// Threads race on the same ids, released together and each in its own order;
// each id must come out First exactly once and Used every other time.
void ExpectOneFirstPerId(ReplayStore& store, int threadCount, int idCount) {
  std::vector<std::atomic<int>> firsts(idCount);
  std::atomic<int> others{0};
  std::atomic<int> waiting{threadCount};
  std::vector<std::thread> threads;
  for (int t = 0; t < threadCount; ++t) {
    threads.emplace_back([&, t] {
      --waiting;
      while (waiting.load() > 0) std::this_thread::yield();
      for (int i = 0; i < idCount; ++i) {
        const int n = (i * 7 + t * 131) % idCount;
        const ReplayOutcome outcome = store.Consume(IdOf(n), kLater, kNow);
        if (outcome == ReplayOutcome::First) ++firsts[n];
        if (outcome != ReplayOutcome::First && outcome != ReplayOutcome::Used) ++others;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int n = 0; n < idCount; ++n) ASSERT_EQ(firsts[n].load(), 1) << "id " << n;
  EXPECT_EQ(others.load(), 0);
}

TEST(MemoryReplayStore, ExpiredIdsMakeRoomAtCapacity) {
  auto store = MakeMemoryReplayStore(3);
  ASSERT_EQ(store->Consume(IdOf(1), kNow + 10, kNow), ReplayOutcome::First);
  ASSERT_EQ(store->Consume(IdOf(2), kNow + 10, kNow), ReplayOutcome::First);
  ASSERT_EQ(store->Consume(IdOf(3), kLater, kNow), ReplayOutcome::First);
  EXPECT_EQ(store->Consume(IdOf(4), kLater, kNow + 10), ReplayOutcome::First);
  EXPECT_EQ(store->Consume(IdOf(5), kLater, kNow + 10), ReplayOutcome::First);
  EXPECT_EQ(store->Consume(IdOf(3), kLater, kNow + 10), ReplayOutcome::Used);
}

TEST(MemoryReplayStore, FullOfUnexpiredIdsRefusesWithoutForgetting) {
  auto store = MakeMemoryReplayStore(3);
  for (std::uint32_t n = 1; n <= 3; ++n)
    ASSERT_EQ(store->Consume(IdOf(n), kLater, kNow), ReplayOutcome::First);
  EXPECT_EQ(store->Consume(IdOf(4), kLater, kNow), ReplayOutcome::Unavailable);
  for (std::uint32_t n = 1; n <= 3; ++n)
    EXPECT_EQ(store->Consume(IdOf(n), kLater, kNow + 1), ReplayOutcome::Used);
  EXPECT_EQ(store->Consume(IdOf(4), kLater, kNow + 1), ReplayOutcome::Unavailable);
  EXPECT_EQ(store->Consume(IdOf(4), kLater + 600, kLater), ReplayOutcome::First);
}

// How many of `inserts` new ids come out First, each expiring `lifetime`
// seconds after it is consumed, one id per second.
TEST(MemoryReplayStore, HoldsAtMostCapacityUnexpiredIds) {
  struct Case {
    std::size_t capacity;
    std::int64_t lifetime;
    int inserts;
    int expectedFirsts;
  };
  // With a lifetime of capacity + 1 seconds the store is full once every 101
  // seconds, for one second: at 100, 201, ..., 4948.
  for (const Case& c :
       {Case{0, 1000, 10, 0}, Case{100, 10000, 5000, 100}, Case{100, 50, 5000, 5000},
        Case{100, 100, 5000, 5000}, Case{100, 101, 5000, 5000 - 49}}) {
    auto store = MakeMemoryReplayStore(c.capacity);
    int firsts = 0;
    for (int i = 0; i < c.inserts; ++i) {
      const std::int64_t now = kNow + i;
      firsts += store->Consume(IdOf(i), now + c.lifetime, now) == ReplayOutcome::First;
    }
    EXPECT_EQ(firsts, c.expectedFirsts) << "capacity " << c.capacity << " lifetime " << c.lifetime;
  }
}

TEST(MemoryReplayStore, ConcurrentConsumersGetOneFirstPerId) {
  auto store = MakeMemoryReplayStore(20000);
  ExpectOneFirstPerId(*store, 8, 20000);
}

TEST(RedisReplayStore, AcceptsOnlyWellFormedUrls) {
  for (const char* url :
       {"redis://127.0.0.1:6379", "redis://localhost:1", "redis://cache-1.internal:65535/15",
        "redis://redis_db:6379/0", "redis://[::1]:6379", "redis://[::1]:6379/3"}) {
    EXPECT_NO_THROW(MakeRedisReplayStore(url)) << url;
  }
  // Scheme and host, then port, then database and anything after it.
  const std::vector<std::vector<const char*>> bad = {
      {"", "redis://", "redis:/h:6379", "http://h:6379", "rediss://h:6379", "redis://h h:6379",
       "redis://user:pw@h:6379", "redis://::1:6379", "redis://[::1:6379", "redis://[]:6379",
       "redis://[zz]:6379", "redis://[::1]6379", "redis://[127.0.0.1]:6379"},
      {"redis://h", "redis://h:", "redis://:6379", "redis://h:0", "redis://h:65536",
       "redis://h:99999999999", "redis://h:-1", "redis://h:+1", "redis://h:06379"},
      {"redis://h:6379/", "redis://h:6379/16", "redis://h:6379/1x", "redis://h:6379/0/",
       "redis://h:6379/-1", "redis://h:6379?db=1", "redis://h:6379 "}};
  for (const auto& group : bad)
    for (const char* url : group)
      EXPECT_THROW(MakeRedisReplayStore(url), std::invalid_argument) << url;
}

// A loopback socket that refuses connections (bound only) or accepts them
// into its backlog and never answers (listening).
class LoopbackSocket {
 public:
  explicit LoopbackSocket(bool listening) : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        (listening && listen(fd_, 16) != 0)) {
      if (fd_ >= 0) close(fd_);
      throw std::runtime_error("cannot set up a loopback socket");
    }
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackSocket() { close(fd_); }
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;
  std::string Url() const { return "redis://127.0.0.1:" + std::to_string(port_); }

 private:
  int fd_;
  int port_ = 0;
};

double SecondsToConsume(ReplayStore& store, ReplayOutcome expected, std::uint32_t n) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(store.Consume(IdOf(n), kLater, kNow), expected) << "id " << n;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(RedisReplayStore, UnreachableServerIsUnavailableWithinTimeouts) {
  for (bool listening : {false, true}) {
    LoopbackSocket socket(listening);
    auto store = MakeRedisReplayStore(socket.Url());
    EXPECT_LT(SecondsToConsume(*store, ReplayOutcome::Unavailable, 1), 3.0) << listening;
  }
}

class RedisReplayStoreTest : public testing::Test {
 protected:
  // The raw client that checks what the store wrote.
  struct ContextFree {
    void operator()(redisContext* c) const { redisFree(c); }
  };
  struct ReplyFree {
    void operator()(redisReply* r) const { freeReplyObject(r); }
  };
  using Reply = std::unique_ptr<redisReply, ReplyFree>;

  Reply Raw(const char* command, const std::string& arg) {
    if (!raw_) raw_.reset(redisConnect("127.0.0.1", server_.Port()));
    if (!raw_ || raw_->err != 0) throw std::runtime_error("raw client cannot connect");
    Reply reply(static_cast<redisReply*>(redisCommand(raw_.get(), "%s %s", command, arg.c_str())));
    if (!reply) throw std::runtime_error("raw client lost the link");
    return reply;
  }

  RedisServer server_;
  std::unique_ptr<redisContext, ContextFree> raw_;
};

TEST_F(RedisReplayStoreTest, IdsAreSharedByInstancesOnOneServer) {
  auto a = MakeRedisReplayStore(server_.Url());
  auto b = MakeRedisReplayStore(server_.Url());
  EXPECT_EQ(a->Consume(IdOf(1), kLater, kNow), ReplayOutcome::First);
  EXPECT_EQ(a->Consume(IdOf(1), kLater, kNow), ReplayOutcome::Used);
  EXPECT_EQ(b->Consume(IdOf(1), kLater, kNow), ReplayOutcome::Used);
  EXPECT_EQ(b->Consume(IdOf(2), kLater, kNow), ReplayOutcome::First);
  EXPECT_EQ(a->Consume(IdOf(2), kLater, kNow), ReplayOutcome::Used);
}

TEST_F(RedisReplayStoreTest, KeyLivesUntilExpiryInTheChosenDatabase) {
  auto store = MakeRedisReplayStore(server_.Url() + "/3");
  ChallengeId id{};
  for (std::size_t i = 0; i < id.size(); ++i) id[i] = static_cast<unsigned char>(i * 17);
  const std::string key = "glyphward:used:00112233445566778899aabbccddeeff";
  struct Case {
    std::int64_t expiresAt;
    long long maxTtl;
  };
  for (const Case& c : {Case{kNow + 120, 120}, Case{kNow, 1}, Case{kNow - 50, 1}}) {
    ASSERT_EQ(store->Consume(id, c.expiresAt, kNow), ReplayOutcome::First);
    Raw("SELECT", "3");
    const Reply ttl = Raw("TTL", key);
    ASSERT_EQ(ttl->type, REDIS_REPLY_INTEGER);
    EXPECT_GT(ttl->integer, 0);
    EXPECT_LE(ttl->integer, c.maxTtl);
    EXPECT_EQ(Raw("DEL", key)->integer, 1);
    Raw("SELECT", "0");
    EXPECT_EQ(Raw("EXISTS", key)->integer, 0) << "written to database 0 too";
  }
}

TEST_F(RedisReplayStoreTest, ConcurrentConsumersGetOneFirstPerId) {
  auto store = MakeRedisReplayStore(server_.Url());
  ExpectOneFirstPerId(*store, 8, 1000);
}

TEST_F(RedisReplayStoreTest, UnavailableWhileStoppedAndRecoversAfterRestart) {
  auto store = MakeRedisReplayStore(server_.Url());
  ASSERT_EQ(store->Consume(IdOf(1), kLater, kNow), ReplayOutcome::First);
  server_.Stop();
  EXPECT_LT(SecondsToConsume(*store, ReplayOutcome::Unavailable, 1), 3.0);
  EXPECT_LT(SecondsToConsume(*store, ReplayOutcome::Unavailable, 2), 3.0);
  server_.Start();
  EXPECT_EQ(store->Consume(IdOf(3), kLater, kNow), ReplayOutcome::First);
  EXPECT_EQ(store->Consume(IdOf(3), kLater, kNow), ReplayOutcome::Used);
  // A restart between two calls leaves a dead idle link: the store must not
  // answer Unavailable for it.
  server_.Stop();
  server_.Start();
  EXPECT_EQ(store->Consume(IdOf(4), kLater, kNow), ReplayOutcome::First);
}

}  // namespace
