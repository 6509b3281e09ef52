#include "ServiceApi.h"

#include <chrono>
#include <exception>

#include <nlohmann/json.hpp>

#include "AnswerCheck.h"
#include "ChallengePicture.h"
#include "ChallengeToken.h"
#include "CodeGeneration.h"
#include "DemoAssets.h"
#include "ServiceAudio.h"
#include "SystemRandom.h"

namespace glyphward_service {
namespace {

using nlohmann::json;

constexpr std::string_view kChallengePrefix = "/api/challenge/";

ApiResponse JsonResponse(int status, const json& value) {
  ApiResponse response;
  response.status = status;
  response.contentType = "application/json";
  response.body = value.dump(-1, ' ', false, json::error_handler_t::replace);
  response.headers.emplace_back("Cache-Control", "no-store");
  return response;
}

ApiResponse MethodNotAllowed(std::string_view allowed) {
  ApiResponse response =
      ErrorResponse(405, "method_not_allowed", "this path answers " + std::string(allowed));
  response.headers.emplace_back("Allow", std::string(allowed));
  return response;
}

ApiResponse VerifyAnswer(bool valid, VerifyReason reason) {
  return JsonResponse(200, json{{"valid", valid}, {"reason", ReasonName(reason)}});
}

}  // namespace

std::int64_t SystemClock() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

ApiResponse ErrorResponse(int status, std::string_view code, std::string_view message) {
  return JsonResponse(status, json{{"error", code}, {"message", message}});
}

ServiceApi::ServiceApi(ServiceSettings settings, const SealingKey& key,
                       std::unique_ptr<ReplayStore> replay, Metrics& metrics, Clock clock)
    : settings_(std::move(settings)),
      key_(key),
      replay_(std::move(replay)),
      metrics_(metrics),
      clock_(std::move(clock)) {}

ApiResponse ServiceApi::Handle(const ApiRequest& request) {
  try {
    return Route(request);
  } catch (const std::string& message) {
    return ErrorResponse(500, "internal", message);
  } catch (const std::exception& error) {
    return ErrorResponse(500, "internal", error.what());
  } catch (...) {
    return ErrorResponse(500, "internal", "unexpected failure");
  }
}

ApiResponse ServiceApi::Route(const ApiRequest& request) {
  std::string_view path = request.target.substr(0, request.target.find('?'));
  const bool get = request.method == "GET";
  const bool post = request.method == "POST";

  if (path == "/api/challenge") return post ? NewChallenge() : MethodNotAllowed("POST");
  if (path == "/api/verify") return post ? Verify(request.body) : MethodNotAllowed("POST");
  if (path == "/healthz") {
    return get ? JsonResponse(200, json{{"status", "ok"}}) : MethodNotAllowed("GET");
  }
  if (path == "/metrics") {
    if (!get) return MethodNotAllowed("GET");
    ApiResponse response;
    response.contentType = "text/plain; version=0.0.4";
    response.body = metrics_.Text();
    return response;
  }
  if (path.starts_with(kChallengePrefix)) {
    std::string_view rest = path.substr(kChallengePrefix.size());
    const std::size_t slash = rest.find('/');
    if (slash != std::string_view::npos) {
      const std::string_view kind = rest.substr(slash + 1);
      if (kind == "image" || kind == "audio")
        return get ? Media(rest.substr(0, slash), kind) : MethodNotAllowed("GET");
    }
  }
  if (const DemoAsset* asset = FindDemoAsset(path)) {
    if (!get) return MethodNotAllowed("GET");
    ApiResponse response;
    response.contentType = std::string(asset->contentType);
    response.body = std::string(asset->bytes);
    return response;
  }
  return ErrorResponse(404, "not_found", "no such path");
}

ApiResponse ServiceApi::NewChallenge() {
  const std::string_view alphabet = MirelGlyphward::CodeAlphabet(settings_.codeType);
  Challenge challenge;
  FillRandom(challenge.id.data(), challenge.id.size());
  challenge.code = RandomCode(alphabet, std::size_t(settings_.length));
  challenge.seed = std::int32_t(RandomBelow(2147483646u) + 1);
  challenge.style = settings_.styles[RandomBelow(std::uint32_t(settings_.styles.size()))];
  challenge.width = settings_.width;
  challenge.height = settings_.height;
  challenge.expiresAt = clock_() + settings_.ttlSeconds;

  const std::string token = SealChallenge(key_, challenge);
  const std::string base = std::string(kChallengePrefix) + token;
  json body{{"token", token},           {"image", base + "/image"},
            {"audio", base + "/audio"}, {"expires_at", challenge.expiresAt},
            {"width", challenge.width}, {"height", challenge.height}};
  if (settings_.testMode) body["answer"] = challenge.code;
  metrics_.ChallengeIssued();
  return JsonResponse(201, body);
}

ApiResponse ServiceApi::Media(std::string_view token, std::string_view kind) {
  const std::optional<Challenge> challenge = OpenChallenge(key_, token);
  if (!challenge) return ErrorResponse(404, "invalid_token", "the token is not one of ours");
  if (challenge->expiresAt <= clock_())
    return ErrorResponse(410, "expired", "the challenge has expired; ask for a new one");

  std::vector<unsigned char> bytes;
  ApiResponse response;
  if (kind == "image") {
    bytes = ChallengePicture(*challenge, settings_.format);
    response.contentType = settings_.format == "PNG" ? "image/png" : "image/jpeg";
  } else {
    bytes = VariedSpeech(challenge->code);
    response.contentType = "audio/wav";
  }
  response.body.assign(bytes.begin(), bytes.end());
  response.headers.emplace_back("Cache-Control", "no-store");
  return response;
}

ApiResponse ServiceApi::Verify(std::string_view body) {
  const json request = json::parse(body, nullptr, false);
  if (request.is_discarded() || !request.is_object())
    return ErrorResponse(400, "bad_json", "the body must be a JSON object");
  const auto token = request.find("token");
  const auto answer = request.find("answer");
  if (token == request.end() || !token->is_string() || answer == request.end() ||
      !answer->is_string())
    return ErrorResponse(400, "missing_field", "give \"token\" and \"answer\" as strings");

  const std::optional<Challenge> challenge =
      OpenChallenge(key_, token->get_ref<const std::string&>());
  VerifyReason reason = VerifyReason::Invalid;
  if (challenge) {
    const std::int64_t now = clock_();
    if (challenge->expiresAt <= now) {
      reason = VerifyReason::Expired;
    } else {
      switch (replay_->Consume(challenge->id, challenge->expiresAt, now)) {
        case ReplayOutcome::Unavailable:
          return ErrorResponse(503, "replay_store_unavailable",
                               "used challenges cannot be checked now; try again later");
        case ReplayOutcome::Used:
          reason = VerifyReason::Used;
          break;
        case ReplayOutcome::First:
          reason = AnswerMatches(answer->get_ref<const std::string&>(), challenge->code)
                       ? VerifyReason::Ok
                       : VerifyReason::Wrong;
          break;
      }
    }
  }
  metrics_.Verified(reason);
  return VerifyAnswer(reason == VerifyReason::Ok, reason);
}

}  // namespace glyphward_service
