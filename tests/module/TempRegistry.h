// A registry file in a fresh temporary folder, named through
// GLYPHWARD_REGISTRY for the life of the object, so no test touches a real
// user's registry.
#pragma once

#include <string>

namespace module_tests {

class TempRegistry {
 public:
  TempRegistry();
  ~TempRegistry();
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;

  const std::string& Folder() const { return folder_; }
  const std::string& File() const { return file_; }
  bool Exists() const;
  std::string Read() const;
  void Write(const std::string& text) const;

 private:
  std::string folder_;
  std::string file_;
};

// Runs `command` through the shell; its exit status, or -1.
int RunCommand(const std::string& command, std::string* output = nullptr);

std::u16string Wide(const char* text);

}  // namespace module_tests
