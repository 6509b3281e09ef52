#include "Options.h"

#include <algorithm>
#include <charconv>

namespace glyphward_cli {

Options ParseOptions(int argc, char** argv, const std::vector<std::string>& valued,
                     const std::vector<std::string>& flags) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--stats") {
      options.stats = true;
    } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
      options.flags.insert(arg);
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      std::string name = arg;
      std::string value;
      bool hasValue = false;
      if (const auto eq = arg.find('='); eq != std::string::npos && arg.rfind("--", 0) == 0) {
        name = arg.substr(0, eq);
        value = arg.substr(eq + 1);
        hasValue = true;
      }
      if (std::find(valued.begin(), valued.end(), name) == valued.end())
        throw UsageError{"unknown option " + name};
      if (!hasValue) {
        if (i + 1 >= argc) throw UsageError{"option " + name + " needs a value"};
        value = argv[++i];
      }
      if (options.values.count(name)) throw UsageError{"option " + name + " given twice"};
      options.values[name] = value;
    } else if (options.command.empty()) {
      options.command = arg;
    } else {
      options.positional.push_back(arg);
    }
  }
  return options;
}

std::int32_t ParseInteger(const std::string& text, const std::string& what, std::int64_t min,
                          std::int64_t max) {
  std::int64_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (text.empty() || error != std::errc() || end != last || value < min || value > max)
    throw UsageError{what + " must be a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not '" + text + "'"};
  return std::int32_t(value);
}

}  // namespace glyphward_cli
