// The service over a loopback socket: challenges, pictures, sounds, verifies,
// limits and bad requests, with the clock injected.
#include <png.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "HttpClient.h"
#include "HttpServer.h"
#include "RedisServer.h"
#include "SystemRandom.h"

namespace glyphward_service {
namespace {

using glyphward_service_test::Call;
using glyphward_service_test::Reply;
using glyphward_service_test::SendRaw;
using nlohmann::json;

SealingKey TestKey() {
  SealingKey key;
  FillRandom(key.data(), key.size());
  return key;
}

// A service on a free loopback port whose clock the test sets.
struct Service {
  explicit Service(ServiceSettings settings, std::unique_ptr<ReplayStore> replay = nullptr,
                   const SealingKey& key = TestKey())
      : api(Adjust(settings), key, replay ? std::move(replay) : MakeMemoryReplayStore(1000),
            metrics, [this] { return now.load(); }),
        server(api, metrics) {
    server.Start();
  }
  static ServiceSettings Adjust(ServiceSettings settings) {
    settings.port = 0;
    settings.threads = 2;
    return settings;
  }
  std::uint16_t Port() const { return server.Port(); }
  json Challenge() {
    const Reply reply = Call(Port(), "POST", "/api/challenge");
    EXPECT_EQ(reply.status, 201) << reply.body;
    return json::parse(reply.body);
  }
  Reply Verify(const std::string& token, const std::string& answer) {
    return Call(Port(), "POST", "/api/verify", json{{"token", token}, {"answer", answer}}.dump());
  }

  std::atomic<std::int64_t> now{1'800'000'000};
  Metrics metrics;
  ServiceApi api;
  HttpServer server;
};

ServiceSettings TestSettings() {
  ServiceSettings settings;
  settings.testMode = true;
  settings.styles = {31};
  return settings;
}

std::string Reason(const Reply& reply) {
  EXPECT_EQ(reply.status, 200) << reply.body;
  return json::parse(reply.body).value("reason", "");
}

TEST(ServiceEndToEnd, ChallengePictureSoundAndVerify) {
  Service service(TestSettings());
  const json challenge = service.Challenge();
  for (const char* field : {"token", "image", "audio", "expires_at", "width", "height", "answer"})
    EXPECT_TRUE(challenge.contains(field)) << field;
  EXPECT_EQ(challenge["expires_at"], service.now + 300);
  const std::string token = challenge["token"];
  const std::string answer = challenge["answer"];
  EXPECT_EQ(token.find(answer), std::string::npos);

  const Reply image = Call(service.Port(), "GET", challenge["image"]);
  ASSERT_EQ(image.status, 200);
  EXPECT_EQ(image.contentType, "image/png");
  EXPECT_EQ(image.headers.at("x-glyphward-test-mode"), "1");
  png_image decoded{};
  decoded.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&decoded, image.body.data(), image.body.size()));
  EXPECT_EQ(decoded.width, 250u);
  EXPECT_EQ(decoded.height, 50u);
  png_image_free(&decoded);
  EXPECT_EQ(Call(service.Port(), "GET", challenge["image"]).body, image.body);

  const Reply audio = Call(service.Port(), "GET", challenge["audio"]);
  ASSERT_EQ(audio.status, 200);
  EXPECT_EQ(audio.contentType, "audio/wav");
  EXPECT_EQ(audio.body.substr(0, 4), "RIFF");
  std::string lower = answer;
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(Reason(service.Verify(token, "  " + lower + "\n")), "ok");
  EXPECT_EQ(Reason(service.Verify(token, answer)), "used");
  EXPECT_EQ(Reason(service.Verify(service.Challenge()["token"], answer + "X")), "wrong");

  // Closed connections leave the count once the server has seen them close.
  while (service.metrics.OpenConnections() > 0) std::this_thread::yield();
  const std::string metrics = Call(service.Port(), "GET", "/metrics").body;
  for (const char* line :
       {"glyphward_challenges_issued_total 2", "glyphward_verifications_total{reason=\"ok\"} 1",
        "glyphward_verifications_total{reason=\"used\"} 1",
        "glyphward_verifications_total{reason=\"wrong\"} 1", "glyphward_open_connections 1",
        "le=\"+Inf\"} "})
    EXPECT_NE(metrics.find(line), std::string::npos) << line << "\n" << metrics;

  // The sound is varied afresh on every request, unlike the component's fixed clips.
  EXPECT_NE(Call(service.Port(), "GET", challenge["audio"]).body, audio.body);
}

TEST(ServiceEndToEnd, TamperedAndExpiredTokens) {
  Service service(TestSettings());
  const json challenge = service.Challenge();
  std::string tampered = challenge["token"];
  tampered[tampered.size() / 2] = tampered[tampered.size() / 2] == 'A' ? 'B' : 'A';
  EXPECT_EQ(Reason(service.Verify(tampered, challenge["answer"])), "invalid");
  EXPECT_EQ(Call(service.Port(), "GET", "/api/challenge/" + tampered + "/image").status, 404);

  service.now += 300;
  EXPECT_EQ(Call(service.Port(), "GET", challenge["image"]).status, 410);
  EXPECT_EQ(Reason(service.Verify(challenge["token"], challenge["answer"])), "expired");
  service.now -= 1;
  EXPECT_EQ(Reason(service.Verify(challenge["token"], challenge["answer"])), "ok");
}

TEST(ServiceEndToEnd, BadRequestsGetJsonErrorsAndTheServiceCarriesOn) {
  ServiceSettings settings = TestSettings();
  settings.testMode = false;
  Service service(settings);
  const std::uint16_t port = service.Port();
  struct Case {
    const char* method;
    const char* target;
    std::string body;
    int status;
    const char* error;
  };
  const Case cases[] = {
      {"POST", "/api/verify", std::string(5000, ' '), 413, "body_too_large"},
      {"POST", "/api/verify", "{not json", 400, "bad_json"},
      {"POST", "/api/verify", "[1,2]", 400, "bad_json"},
      {"POST", "/api/verify", R"({"token":"x"})", 400, "missing_field"},
      {"POST", "/api/verify", R"({"token":1,"answer":"x"})", 400, "missing_field"},
      {"GET", "/api/verify", "", 405, "method_not_allowed"},
      {"DELETE", "/api/challenge", "", 405, "method_not_allowed"},
      {"GET", "/nowhere", "", 404, "not_found"},
      {"GET", "/api/challenge/abc/video", "", 404, "not_found"},
      {"GET", "/api/challenge/not-a-token/image", "", 404, "invalid_token"},
  };
  for (const Case& c : cases) {
    const Reply reply = Call(port, c.method, c.target, c.body);
    EXPECT_EQ(reply.status, c.status) << c.method << ' ' << c.target;
    EXPECT_EQ(reply.contentType, "application/json");
    EXPECT_EQ(json::parse(reply.body).value("error", ""), c.error) << reply.body;
    EXPECT_EQ(reply.headers.count("x-glyphward-test-mode"), 0u);
  }
  EXPECT_EQ(json::parse(service.Challenge().dump()).count("answer"), 0u);

  EXPECT_NE(SendRaw(port, "\x16\x03\x01\x02\x00garbage\r\n\r\n").find("400 Bad Request"),
            std::string::npos);
  const std::string hugeHeader =
      "GET /healthz HTTP/1.1\r\nHost: x\r\nX-Big: " + std::string(9000, 'a') + "\r\n\r\n";
  EXPECT_NE(SendRaw(port, hugeHeader).find(" 431 "), std::string::npos);
  EXPECT_EQ(Call(port, "GET", "/healthz").status, 200);
}

TEST(ServiceEndToEnd, SlowSendersAndSurplusConnectionsAreDropped) {
  ServiceSettings settings = TestSettings();
  settings.readTimeout = std::chrono::milliseconds(200);
  settings.maxConnections = 2;
  Service service(settings);
  // A request that never ends is cut off after the read timeout.
  EXPECT_EQ(SendRaw(service.Port(), "GET /healthz HTTP/1.1\r\nHost: x\r\n"), "");

  boost::asio::io_context ioc;
  std::vector<boost::asio::ip::tcp::socket> held;
  for (int i = 0; i < 2; ++i) {
    held.emplace_back(ioc);
    held.back().connect({boost::asio::ip::make_address("127.0.0.1"), service.Port()});
  }
  while (service.metrics.OpenConnections() < 2) std::this_thread::yield();
  EXPECT_NE(SendRaw(service.Port(), "GET /healthz HTTP/1.1\r\nHost: x\r\n\r\n").find(" 503 "),
            std::string::npos);
  held.clear();
  while (service.metrics.OpenConnections() > 0) std::this_thread::yield();
  EXPECT_EQ(Call(service.Port(), "GET", "/healthz").status, 200);
}

TEST(ServiceEndToEnd, InstancesSharingRedisAcceptEachTokenOnce) {
  glyphward_service_test::RedisServer redis;
  const SealingKey key = TestKey();
  Service first(TestSettings(), MakeRedisReplayStore(redis.Url()), key);
  Service second(TestSettings(), MakeRedisReplayStore(redis.Url()), key);
  const json challenge = first.Challenge();
  EXPECT_EQ(Reason(second.Verify(challenge["token"], challenge["answer"])), "ok");
  EXPECT_EQ(Reason(first.Verify(challenge["token"], challenge["answer"])), "used");
  EXPECT_EQ(Reason(second.Verify(challenge["token"], challenge["answer"])), "used");

  redis.Stop();
  const json later = second.Challenge();
  const Reply refused = first.Verify(later["token"], later["answer"]);
  EXPECT_EQ(refused.status, 503);
  EXPECT_EQ(json::parse(refused.body).value("error", ""), "replay_store_unavailable");
}

}  // namespace
}  // namespace glyphward_service
