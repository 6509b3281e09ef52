// glyphward: makes codes, pictures and sounds with the component, hashes and
// checks answers, for people and scripts.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>

#include "CaptchaClient.h"
#include "CaptchaEngine.h"
#include "CodeGeneration.h"
#include "Gallery.h"
#include "Options.h"
#include "RegisterCommands.h"
#include "ServeCommand.h"
#include "StyleLookup.h"
#include "TextConversion.h"

using namespace glyphward_cli;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitInvalid = 1;
constexpr int kExitUsage = 2;
constexpr int kExitComponent = 3;

constexpr const char* kUsage = R"(usage: glyphward COMMAND [options]

commands:
  code     [--length N] [--type T] [--count K]   print K new codes (default 1)
  image    [--style N] [--width W] [--height H] [--format F] [--code TEXT]
           [--length N] [--type T] -o FILE       write a picture ('-' for stdout)
  sound    [--code TEXT] [--length N] [--type T] -o FILE
                                                 write the spoken code as WAV
  styles                                         list the fifty text styles
  gallery  [--width W] [--height H] [--code TEXT] -o DIR
                                                 every style as PNG and JPEG,
                                                 with DIR/index.html showing them
  hash     TEXT                                  print the hash of TEXT
  validate ANSWER HASH                           print valid or invalid (exit 0 or 1)
  register   MODULE                              register the component module MODULE
  unregister MODULE                              remove MODULE's registration
  serve    [--listen ADDR:PORT] [--key-file F] [--style N | --styles LIST]
           [--format png|jpeg] [--width W] [--height H] [--length N] [--type T]
           [--ttl SECONDS] [--threads N] [--replay redis://HOST:PORT[/DB]]
           [--test-mode]                         serve CAPTCHAs over HTTP (default
                                                 127.0.0.1:8080, style 38, PNG)

options for every command:
  --seed S   start the random engine at S (1..2147483646)
  --stats    print 'engine-steps: N' on standard error
  --help     show this text

Image and sound commands print the code and its hash on standard output (on
standard error when the file goes to standard output). Exit status: 0 success,
1 invalid answer, 2 usage error, 3 component error.
)";

const std::vector<std::string> kValued = {
    "--length",   "--type",   "--count", "--seed",    "--style",  "--width",
    "--height",   "--format", "--code",  "-o",        "--output", "--listen",
    "--key-file", "--styles", "--ttl",   "--threads", "--replay"};
const std::vector<std::string> kFlags = {"--test-mode"};

std::optional<std::string> Value(const Options& options, const std::string& name) {
  auto it = options.values.find(name);
  if (it == options.values.end()) return std::nullopt;
  return it->second;
}

void RequireNoPositional(const Options& options, std::size_t count) {
  if (options.positional.size() != count)
    throw UsageError{"'" + options.command + "' takes " + std::to_string(count) + " argument(s)"};
}

void ApplyCodeSettings(const Options& options, CaptchaClient& client) {
  if (auto v = Value(options, "--length"))
    client.SetLong(&ICaptcha::put_CodeLength, ParseInteger(*v, "--length", INT32_MIN, INT32_MAX));
  if (auto v = Value(options, "--type"))
    client.SetLong(&ICaptcha::put_CodeType, ParseInteger(*v, "--type", INT32_MIN, INT32_MAX));
}

void WriteOutput(const std::string& path, const std::vector<unsigned char>& bytes) {
  if (path == "-") {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    return;
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  file.close();
  if (!file) throw UsageError{"cannot write " + path};
}

std::string OutputPath(const Options& options) {
  auto path = Value(options, "-o");
  auto longPath = Value(options, "--output");
  if (path && longPath) throw UsageError{"give -o once"};
  if (!path) path = longPath;
  if (!path || path->empty()) throw UsageError{"'" + options.command + "' needs -o FILE"};
  return *path;
}

int RunCode(const Options& options, CaptchaClient& client) {
  RequireNoPositional(options, 0);
  ApplyCodeSettings(options, client);
  const std::int32_t count =
      ParseInteger(Value(options, "--count").value_or("1"), "--count", 0, 1000000);
  auto& engine = MirelGlyphward::CaptchaEngine::Instance();
  for (std::int32_t i = 0; i < count; ++i) {
    std::string code;
    {
      std::lock_guard<std::mutex> lock(engine.Mutex());
      if (engine.CodeLength() > std::int32_t(MirelGlyphward::kMaxCodeLength))
        throw ComponentError{"The code length is too large !"};
      code = MirelGlyphward::GenerateCode(engine.CodeType(), engine.CodeLength());
    }
    BSTR text = MirelGlyphward::BSTRFromNarrow(code);
    std::cout << Utf8FromWide(text) << '\n';
    SysFreeString(text);
  }
  return kExitOk;
}

int RunMedia(const Options& options, CaptchaClient& client, bool picture) {
  RequireNoPositional(options, 0);
  const std::string path = OutputPath(options);
  ApplyCodeSettings(options, client);
  if (picture) {
    if (auto v = Value(options, "--style"))
      client.SetLong(&ICaptcha::put_TextStyle, ParseInteger(*v, "--style", INT32_MIN, INT32_MAX));
    if (auto v = Value(options, "--width"))
      client.SetLong(&ICaptcha::put_ImageWidth, ParseInteger(*v, "--width", INT32_MIN, INT32_MAX));
    if (auto v = Value(options, "--height"))
      client.SetLong(&ICaptcha::put_ImageHeight,
                     ParseInteger(*v, "--height", INT32_MIN, INT32_MAX));
    if (auto v = Value(options, "--format")) client.SetFormat(*v);
  }
  const std::string code = Value(options, "--code").value_or("");
  if (Value(options, "--code") && code.empty()) throw UsageError{"--code needs a non-empty text"};
  const std::vector<unsigned char> bytes = picture ? client.Picture(code) : client.Sound(code);
  WriteOutput(path, bytes);
  std::ostream& report = path == "-" ? std::cerr : std::cout;
  report << client.Value() << '\n' << client.HashValue() << '\n';
  return kExitOk;
}

int RunStyles(const Options& options) {
  RequireNoPositional(options, 0);
  for (int style = 0; style < MirelGlyphward::kStyleCount; ++style) {
    const MirelGlyphward::StyleEntry* entry = MirelGlyphward::FindStyle(style);
    std::string_view name = entry->className;
    name.remove_suffix(std::string_view("TextGenerator").size());
    std::cout << style << '\t' << name << '\n';
  }
  return kExitOk;
}

int RunGallery(const Options& options, CaptchaClient& client) {
  RequireNoPositional(options, 0);
  GallerySettings settings;
  settings.folder = OutputPath(options);
  if (auto v = Value(options, "--width"))
    settings.width = ParseInteger(*v, "--width", INT32_MIN, INT32_MAX);
  if (auto v = Value(options, "--height"))
    settings.height = ParseInteger(*v, "--height", INT32_MIN, INT32_MAX);
  if (auto v = Value(options, "--seed")) settings.seed = ParseInteger(*v, "--seed", 1, 2147483646);
  settings.code = Value(options, "--code").value_or("");
  if (Value(options, "--code") && settings.code.empty())
    throw UsageError{"--code needs a non-empty text"};
  WriteGallery(client, settings);
  std::cout << settings.folder << "/index.html\n";
  return kExitOk;
}

int RunHash(const Options& options, CaptchaClient& client) {
  RequireNoPositional(options, 1);
  // The component hashes only its current code; a code the tool is given is
  // hashed the way Validate hashes an answer.
  std::cout << client.HashOfText(options.positional[0]) << '\n';
  return kExitOk;
}

int RunValidate(const Options& options, CaptchaClient& client) {
  RequireNoPositional(options, 2);
  const bool valid = client.Validate(options.positional[0], options.positional[1]);
  std::cout << (valid ? "valid" : "invalid") << '\n';
  return valid ? kExitOk : kExitInvalid;
}

int Run(const Options& options) {
  if (options.help || options.command.empty() || options.command == "help") {
    std::cout << kUsage;
    return options.command.empty() && !options.help ? kExitUsage : kExitOk;
  }
  if (options.command == "register" || options.command == "unregister") {
    RequireNoPositional(options, 1);
    return RunRegistration(options.positional[0], options.command == "register");
  }
  if (options.command == "serve") return RunServe(options);
  // Only pictures and sounds need the component proper; codes, hashes and
  // checks are the tool's own work with the engine linked into it.
  const bool media =
      options.command == "image" || options.command == "sound" || options.command == "gallery";
  CaptchaClient client(media);
  if (auto seed = Value(options, "--seed")) {
    const std::int32_t s = ParseInteger(*seed, "--seed", 1, 2147483646);
    if (!client.SetSeed(s)) throw UsageError{"--seed was refused"};
  }
  const std::uint64_t stepsBefore = client.EngineSteps();

  int status = kExitOk;
  if (options.command == "code") {
    status = RunCode(options, client);
  } else if (options.command == "image") {
    status = RunMedia(options, client, true);
  } else if (options.command == "sound") {
    status = RunMedia(options, client, false);
  } else if (options.command == "styles") {
    status = RunStyles(options);
  } else if (options.command == "gallery") {
    status = RunGallery(options, client);
  } else if (options.command == "hash") {
    status = RunHash(options, client);
  } else if (options.command == "validate") {
    status = RunValidate(options, client);
  } else {
    throw UsageError{"unknown command '" + options.command + "'"};
  }

  if (options.stats) std::cerr << "engine-steps: " << (client.EngineSteps() - stepsBefore) << '\n';
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(ParseOptions(argc, argv, kValued, kFlags));
  } catch (const UsageError& error) {
    std::cerr << "glyphward: " << error.message << "\n(see glyphward --help)\n";
    return kExitUsage;
  } catch (const ComponentError& error) {
    std::cerr << error.message << '\n';
    return kExitComponent;
  } catch (const std::exception& error) {
    std::cerr << "glyphward: " << error.what() << '\n';
    return kExitComponent;
  }
}
