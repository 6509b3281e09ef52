#include "ModuleResources.h"

#include "glyphward_resources.h"

namespace MirelGlyphward {

std::optional<std::string> ModuleResourceText(const char* type, int id) {
  const HMODULE module = GlyphwardModuleHandle();
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!found) return std::nullopt;
  const DWORD size = SizeofResource(module, found);
  const HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string(static_cast<const char*>(data), size);
}

}  // namespace MirelGlyphward
