// Module handles are the base addresses at which the dynamic loader mapped
// each module, which is what an HMODULE is on Windows too.
#include <dlfcn.h>
#include <sys/auxv.h>

#include "glyphward_resources.h"

extern "C" HMODULE GlyphwardModuleFromAddress(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

extern "C" HMODULE GlyphwardMainModule(void) {
  // The executable's program headers lie inside its first mapped segment.
  return GlyphwardModuleFromAddress(reinterpret_cast<const void*>(getauxval(AT_PHDR)));
}
