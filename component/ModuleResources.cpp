#include "ModuleResources.h"

#include <cstdint>
#include <cstring>

extern "C" const unsigned char glyphward_resource_directory[];

namespace MirelGlyphward {
namespace {

std::uint32_t Word(const unsigned char* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

std::optional<std::string> ModuleResourceText(const char* type, int id) {
  const unsigned char* directory = glyphward_resource_directory;
  if (std::memcmp(directory, "GWRS", 4) != 0) return std::nullopt;
  const std::uint32_t count = Word(directory + 4);
  for (std::uint32_t i = 0; i < count; ++i) {
    const unsigned char* entry = directory + 8 + i * 24;
    char name[13] = {};
    std::memcpy(name, entry, 12);
    if (std::strcmp(name, type) != 0 || Word(entry + 12) != std::uint32_t(id)) continue;
    return std::string(reinterpret_cast<const char*>(directory + Word(entry + 16)),
                       Word(entry + 20));
  }
  return std::nullopt;
}

}  // namespace MirelGlyphward
