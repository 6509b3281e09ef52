// ServiceApi::Handle on a sequence of requests, with a fixed key, a replay
// store in memory, a clock the input moves and small pictures:
//   [0] bit 0 JPEG instead of PNG, [1] style (200 and above: all fifty),
//   [2] width, [3] height, [4] code length, [5] code type, [6] lifetime,
//   then requests separated by NUL bytes, each "METHOD TARGET\nBODY".
//   "{token}" and "{answer}" in a target or body stand for the last
//   challenge's, "{first}" for the first challenge's token; a request
//   "WAIT n" moves the clock on by n seconds.
// Every answer is checked against what the harness knows of the challenges it
// was handed: media only while a token lives, each token verified once, the
// verdict that of the answer, and no request ends in an internal error.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "FuzzRandom.h"
#include "FuzzSupport.h"
#include "ServiceApi.h"

using glyphward_fuzz::Fail;
using glyphward_service::ApiRequest;
using glyphward_service::ApiResponse;
using nlohmann::json;

namespace {

constexpr std::size_t kHeader = 7;
constexpr std::size_t kMaxRequests = 12;
// Pictures and sounds are the slow requests.
constexpr int kMaxMedia = 3;
constexpr std::int64_t kStart = 1'700'000'000;
const std::string kPrefix = "/api/challenge/";

struct Issued {
  std::string code;
  std::int64_t expiresAt = 0;
  bool consumed = false;
};

struct Session {
  std::int64_t now = kStart;
  std::map<std::string, Issued> issued;
  std::string first, token, answer;
};

void Replace(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

bool Blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The service's verdict on an answer, computed independently.
bool AnswerIs(std::string answer, const std::string& code) {
  if (answer.size() > 256) return false;
  while (!answer.empty() && Blank(answer.front())) answer.erase(answer.begin());
  while (!answer.empty() && Blank(answer.back())) answer.pop_back();
  if (answer.size() != code.size()) return false;
  for (std::size_t i = 0; i < answer.size(); ++i) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
    if (upper(answer[i]) != upper(code[i])) return false;
  }
  return true;
}

void CheckChallenge(const ApiResponse& response, const glyphward_service::ServiceSettings& settings,
                    Session& session) {
  if (response.status != 201) Fail("a new challenge was not created");
  const json body = json::parse(response.body);
  const std::string token = body.at("token");
  if (body.at("image") != kPrefix + token + "/image" ||
      body.at("audio") != kPrefix + token + "/audio" ||
      body.at("expires_at") != session.now + settings.ttlSeconds ||
      body.at("width") != settings.width || body.at("height") != settings.height)
    Fail("a challenge's description does not match the settings");
  const std::string answer = body.at("answer");
  if (answer.size() != std::size_t(settings.length)) Fail("an answer of the wrong length");
  if (session.issued.count(token)) Fail("a token was handed out twice");
  session.issued[token] = Issued{answer, session.now + settings.ttlSeconds};
  if (session.first.empty()) session.first = token;
  session.token = token;
  session.answer = answer;
}

void CheckMedia(const ApiResponse& response, const std::string& token, bool image,
                const glyphward_service::ServiceSettings& settings, const Session& session) {
  const auto it = session.issued.find(token);
  if (it == session.issued.end()) {
    if (response.status != 404) Fail("media for a token that was never issued");
    return;
  }
  if (it->second.expiresAt <= session.now) {
    if (response.status != 410) Fail("media for an expired token is not gone");
    return;
  }
  if (response.status != 200) Fail("media for a live token failed");
  const std::string& bytes = response.body;
  const bool ok = !image                      ? bytes.starts_with("RIFF")
                  : settings.format == "JPEG" ? bytes.starts_with("\xFF\xD8\xFF")
                                              : bytes.starts_with("\x89PNG\r\n\x1A\n");
  if (!ok) Fail("media bytes are not of their type");
}

void CheckVerify(const ApiResponse& response, const std::string& requestBody, Session& session) {
  const json request = json::parse(requestBody, nullptr, false);
  const bool wellFormed = !request.is_discarded() && request.is_object() &&
                          request.contains("token") && request["token"].is_string() &&
                          request.contains("answer") && request["answer"].is_string();
  if (!wellFormed) {
    if (response.status != 400) Fail("a malformed verification was not refused");
    return;
  }
  if (response.status != 200) Fail("a well-formed verification failed");
  const json verdict = json::parse(response.body);
  const bool valid = verdict.at("valid");
  const std::string reason = verdict.at("reason");
  std::string expected = "invalid";
  const auto it = session.issued.find(request["token"].get<std::string>());
  if (it != session.issued.end()) {
    Issued& challenge = it->second;
    if (challenge.expiresAt <= session.now) {
      expected = "expired";
    } else if (challenge.consumed) {
      expected = "used";
    } else {
      challenge.consumed = true;
      expected = AnswerIs(request["answer"], challenge.code) ? "ok" : "wrong";
    }
  }
  if (reason != expected || valid != (expected == "ok")) Fail("a verdict differs from the answer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  glyphward_fuzz::ResetRandom(size);
  glyphward_service::ServiceSettings settings;
  settings.format = data[0] & 1 ? "JPEG" : "PNG";
  settings.styles.clear();
  for (int style = 0; style < 50; ++style)
    if (data[1] >= 200 || style == data[1] % 50) settings.styles.push_back(style);
  settings.width = 1 + data[2] % 120;
  settings.height = 1 + data[3] % 60;
  settings.length = 1 + data[4] % 16;
  settings.codeType = data[5] % 3;
  settings.ttlSeconds = 1 + data[6];
  settings.testMode = true;

  glyphward_service::SealingKey key;
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<unsigned char>(0xA5 ^ i);
  glyphward_service::Metrics metrics;
  Session session;
  glyphward_service::ServiceApi api(settings, key, glyphward_service::MakeMemoryReplayStore(1000),
                                    metrics, [&session] { return session.now; });

  const std::string input(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
  std::size_t start = 0;
  int media = 0;
  for (std::size_t served = 0; served < kMaxRequests && start <= input.size(); ++served) {
    std::size_t end = input.find('\0', start);
    if (end == std::string::npos) end = input.size();
    std::string request = input.substr(start, end - start);
    start = end + 1;
    Replace(request, "{token}", session.token);
    Replace(request, "{answer}", session.answer);
    Replace(request, "{first}", session.first);
    const std::size_t space = request.find(' ');
    const std::size_t newline = request.find('\n');
    const std::string method = request.substr(0, std::min(space, newline));
    const std::string target =
        space < newline ? request.substr(space + 1, newline - std::min(newline, space + 1))
                        : std::string();
    const std::string body = newline == std::string::npos ? "" : request.substr(newline + 1);
    if (method == "WAIT") {
      session.now += std::min<std::int64_t>(std::atoll(target.c_str()) & 0xFFFF, 0xFFFF);
      continue;
    }
    const std::string path = target.substr(0, target.find('?'));
    const bool isMedia = path.starts_with(kPrefix) && method == "GET" &&
                         (path.ends_with("/image") || path.ends_with("/audio"));
    if (isMedia && ++media > kMaxMedia) continue;

    const ApiResponse response = api.Handle(ApiRequest{method, target, body});
    if (response.status == 500) Fail(("an internal error: " + response.body).c_str());
    if (response.contentType == "application/json") {
      const json parsed = json::parse(response.body, nullptr, false);
      if (parsed.is_discarded() || !parsed.is_object()) Fail("a JSON answer that is not JSON");
      if (response.status >= 400 && !(parsed.contains("error") && parsed["error"].is_string()))
        Fail("an error answer without its error code");
    }
    if (method == "POST" && path == "/api/challenge") {
      CheckChallenge(response, settings, session);
    } else if (method == "POST" && path == "/api/verify") {
      CheckVerify(response, body, session);
    } else if (isMedia) {
      const std::string rest = path.substr(kPrefix.size());
      const std::size_t slash = rest.find('/');
      if (rest.find('/', slash + 1) == std::string::npos)
        CheckMedia(response, rest.substr(0, slash), path.ends_with("/image"), settings, session);
    }
  }
  return 0;
}
