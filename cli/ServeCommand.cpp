#include "ServeCommand.h"

#include <sys/stat.h>

#include <cstdlib>
#include <iostream>
#include <thread>

#include <boost/asio/ip/address.hpp>

#include "HttpServer.h"
#include "ServiceApi.h"
#include "ServiceKey.h"

namespace glyphward_cli {
namespace {

using glyphward_service::ServiceSettings;

std::optional<std::string> Value(const Options& options, const std::string& name) {
  auto it = options.values.find(name);
  if (it == options.values.end()) return std::nullopt;
  return it->second;
}

std::vector<std::int32_t> ParseStyles(const std::string& list) {
  std::vector<std::int32_t> styles;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    styles.push_back(ParseInteger(list.substr(start, end - start), "each style", 0, 49));
    start = end + 1;
  }
  return styles;
}

// ADDR:PORT, with an IPv6 address in brackets.
void ParseListen(const std::string& text, ServiceSettings& settings) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0)
    throw UsageError{"--listen takes ADDRESS:PORT, not '" + text + "'"};
  std::string address = text.substr(0, colon);
  if (address.size() > 2 && address.front() == '[' && address.back() == ']')
    address = address.substr(1, address.size() - 2);
  boost::system::error_code error;
  boost::asio::ip::make_address(address, error);
  if (error) throw UsageError{"--listen: '" + address + "' is not an IP address"};
  settings.address = address;
  settings.port = std::uint16_t(ParseInteger(text.substr(colon + 1), "the port", 0, 65535));
}

bool IsLoopback(const std::string& address) {
  boost::system::error_code error;
  const auto parsed = boost::asio::ip::make_address(address, error);
  return !error && parsed.is_loopback();
}

// Creates the folders above a default key file, private to the user.
void MakeParents(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    mkdir(path.substr(0, slash).c_str(), 0700);
}

}  // namespace

std::string DefaultKeyFile() {
  if (const char* state = std::getenv("STATE_DIRECTORY"); state && *state == '/')
    return std::string(state) + "/key";
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/')
    return std::string(xdg) + "/glyphward/key";
  if (const char* home = std::getenv("HOME"); home && *home == '/')
    return std::string(home) + "/.local/state/glyphward/key";
  throw UsageError{"give --key-file: no HOME to keep the key under"};
}

ServiceSettings ServeSettings(const Options& options) {
  if (!options.positional.empty()) throw UsageError{"'serve' takes no arguments"};
  ServiceSettings settings;
  settings.threads = std::max(1u, std::thread::hardware_concurrency());
  if (auto v = Value(options, "--listen")) ParseListen(*v, settings);
  const auto style = Value(options, "--style");
  const auto styles = Value(options, "--styles");
  if (style && styles) throw UsageError{"give --style or --styles, not both"};
  if (style) settings.styles = {ParseInteger(*style, "--style", 0, 49)};
  if (styles) settings.styles = ParseStyles(*styles);
  if (auto v = Value(options, "--format")) {
    if (*v == "png" || *v == "PNG") {
      settings.format = "PNG";
    } else if (*v == "jpeg" || *v == "JPEG" || *v == "jpg") {
      settings.format = "JPEG";
    } else {
      throw UsageError{"--format must be png or jpeg, not '" + *v + "'"};
    }
  }
  if (auto v = Value(options, "--width")) settings.width = ParseInteger(*v, "--width", 1, 2048);
  if (auto v = Value(options, "--height")) settings.height = ParseInteger(*v, "--height", 1, 1024);
  if (auto v = Value(options, "--length")) settings.length = ParseInteger(*v, "--length", 1, 64);
  if (auto v = Value(options, "--type")) settings.codeType = ParseInteger(*v, "--type", 0, 2);
  if (auto v = Value(options, "--ttl")) settings.ttlSeconds = ParseInteger(*v, "--ttl", 1, 86400);
  if (auto v = Value(options, "--threads"))
    settings.threads = unsigned(ParseInteger(*v, "--threads", 1, 256));
  settings.testMode = options.flags.count("--test-mode") > 0;
  if (settings.testMode && !IsLoopback(settings.address))
    throw UsageError{"--test-mode hands out answers, so it listens on loopback only"};
  return settings;
}

int RunServe(const Options& options) {
  const ServiceSettings settings = ServeSettings(options);
  const auto keyOption = Value(options, "--key-file");
  const std::string keyFile = keyOption ? *keyOption : DefaultKeyFile();
  if (!keyOption) MakeParents(keyFile);

  std::unique_ptr<glyphward_service::ReplayStore> replay;
  std::string replayName = "memory";
  try {
    if (auto url = Value(options, "--replay")) {
      replay = glyphward_service::MakeRedisReplayStore(*url);
      replayName = *url;
    } else {
      replay = glyphward_service::MakeMemoryReplayStore(settings.replayCapacity);
    }
  } catch (const std::invalid_argument& error) {
    throw UsageError{std::string("--replay: ") + error.what()};
  }

  glyphward_service::SealingKey key;
  try {
    key = glyphward_service::LoadOrCreateKey(keyFile);
  } catch (const glyphward_service::KeyFileError& error) {
    std::cerr << "glyphward: " << error.what() << '\n';
    return 3;
  }

  glyphward_service::Metrics metrics;
  glyphward_service::ServiceApi api(settings, key, std::move(replay), metrics);
  try {
    glyphward_service::HttpServer server(api, metrics);
    std::cout << "glyphward: serving on http://"
              << (settings.address.find(':') != std::string::npos ? "[" + settings.address + "]"
                                                                  : settings.address)
              << ':' << server.Port() << "/ with " << settings.threads << " thread(s), replay "
              << replayName << (settings.testMode ? ", TEST MODE (answers are handed out)" : "")
              << std::endl;
    server.Run();
  } catch (const std::runtime_error& error) {
    std::cerr << "glyphward: " << error.what() << '\n';
    return 3;
  }
  return 0;
}

}  // namespace glyphward_cli
