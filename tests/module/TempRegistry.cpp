#include "TempRegistry.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace module_tests {

TempRegistry::TempRegistry() {
  std::string pattern = (std::filesystem::temp_directory_path() / "glyphward-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  folder_ = pattern;
  file_ = folder_ + "/registry";
  setenv("GLYPHWARD_REGISTRY", file_.c_str(), 1);
}

TempRegistry::~TempRegistry() {
  unsetenv("GLYPHWARD_REGISTRY");
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool TempRegistry::Exists() const {
  return std::filesystem::exists(file_);
}

std::string TempRegistry::Read() const {
  std::ifstream in(file_, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void TempRegistry::Write(const std::string& text) const {
  std::ofstream out(file_, std::ios::binary | std::ios::trunc);
  out << text;
}

int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int status = pclose(pipe);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::u16string Wide(const char* text) {
  std::u16string out;
  for (; *text; ++text) out += char16_t(static_cast<unsigned char>(*text));
  return out;
}

}  // namespace module_tests
