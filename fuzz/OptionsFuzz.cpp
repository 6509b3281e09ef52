// The command-line parser: the input split on NUL bytes is argv (after the
// program name), parsed with the tool's own option lists. Every option value
// then goes through ParseInteger with the bounds the tool uses for it, which
// is checked against a reference reading of whole decimal numbers, and a
// `serve` line through the service's settings. UsageError is the only way out.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Options.h"
#include "ServeCommand.h"

using glyphward_cli::Options;
using glyphward_cli::UsageError;
using glyphward_fuzz::Fail;

namespace {

// As cli/main.cpp lists them.
const std::vector<std::string> kValued = {
    "--length",   "--type",   "--count", "--seed",    "--style",  "--width",
    "--height",   "--format", "--code",  "-o",        "--output", "--listen",
    "--key-file", "--styles", "--ttl",   "--threads", "--replay"};
const std::vector<std::string> kFlags = {"--test-mode"};

struct Bounds {
  std::int64_t min;
  std::int64_t max;
};

// The bounds the tool reads each option with (the picture commands take any
// 32-bit value and let the component judge it).
Bounds BoundsOf(const std::string& name) {
  if (name == "--seed") return {1, 2147483646};
  if (name == "--count") return {0, 1000000};
  if (name == "--ttl") return {1, 86400};
  if (name == "--threads") return {1, 256};
  if (name == "--style") return {0, 49};
  return {INT32_MIN, INT32_MAX};
}

// An optional '-' and at least one decimal digit, within the bounds.
bool ReferenceInteger(const std::string& text, Bounds bounds, std::int64_t& value) {
  const bool negative = !text.empty() && text[0] == '-';
  if (text.size() == (negative ? 1u : 0u)) return false;
  __int128 magnitude = 0;
  for (std::size_t i = negative ? 1 : 0; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    // Saturates well beyond any bound, leading zeros aside.
    magnitude = std::min<__int128>(magnitude * 10 + (text[i] - '0'), __int128(1) << 80);
  }
  const __int128 signedValue = negative ? -magnitude : magnitude;
  if (signedValue < bounds.min || signedValue > bounds.max) return false;
  value = std::int64_t(signedValue);
  return true;
}

void CheckInteger(const std::string& text, const std::string& name) {
  const Bounds bounds = BoundsOf(name);
  std::int64_t expected = 0;
  const bool valid = ReferenceInteger(text, bounds, expected);
  try {
    const std::int32_t value = glyphward_cli::ParseInteger(text, name, bounds.min, bounds.max);
    if (!valid || value != expected) Fail("ParseInteger accepts what is no whole number in range");
  } catch (const UsageError& error) {
    if (valid) Fail("ParseInteger refuses a whole number in range");
    if (error.message.find(name) == std::string::npos) Fail("the usage error does not name it");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words{"glyphward"};
  std::string word;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      words.push_back(word);
      word.clear();
    } else {
      word += char(data[i]);
    }
  }
  if (!word.empty() || size == 0) words.push_back(word);
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  Options options;
  try {
    options = glyphward_cli::ParseOptions(int(words.size()), argv.data(), kValued, kFlags);
  } catch (const UsageError& error) {
    if (error.message.empty()) Fail("a usage error without a message");
    return 0;
  }
  for (const auto& [name, value] : options.values) {
    if (std::find(kValued.begin(), kValued.end(), name) == kValued.end())
      Fail("a value for an option that takes none");
    CheckInteger(value, name);
  }
  for (const std::string& flag : options.flags)
    if (std::find(kFlags.begin(), kFlags.end(), flag) == kFlags.end()) Fail("an unknown flag");
  if (options.command.size() > 1 && options.command[0] == '-') Fail("an option taken as command");
  for (const std::string& positional : options.positional) CheckInteger(positional, "--style");

  if (options.command == "serve") {
    try {
      const auto settings = glyphward_cli::ServeSettings(options);
      if (settings.styles.empty() || settings.threads == 0 || settings.width < 1 ||
          settings.height < 1 || settings.length < 1)
        Fail("serve settings out of range");
    } catch (const UsageError&) {
    }
  }
  return 0;
}
