// The server's sealing key: 32 random bytes in a file only its owner may read.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace glyphward_service {

using SealingKey = std::array<unsigned char, 32>;

// A key file that cannot be used; the message names the file and the fault.
struct KeyFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads the key at `path`. When no file is there, creates one (mode 0600,
// never replacing a file that appears meanwhile) holding a new random key.
// Refuses a file that is unreadable, not exactly 32 bytes, not a regular
// file, or readable or writable by group or others.
SealingKey LoadOrCreateKey(const std::string& path);

}  // namespace glyphward_service
