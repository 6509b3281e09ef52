// Command-line parsing for the glyphward tool.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace glyphward_cli {

struct Options {
  std::string command;
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // --name VALUE
  std::set<std::string> flags;                // --name
  bool stats = false;
  bool help = false;
};

// Thrown for anything the user typed wrong; the tool exits 2 with the text.
struct UsageError {
  std::string message;
};

// Parses argv; `valued` lists the options that take a value, `flags` those
// that stand alone.
Options ParseOptions(int argc, char** argv, const std::vector<std::string>& valued,
                     const std::vector<std::string>& flags = {});

// A whole decimal number within [min, max], or a UsageError naming `what`.
std::int32_t ParseInteger(const std::string& text, const std::string& what, std::int64_t min,
                          std::int64_t max);

}  // namespace glyphward_cli
