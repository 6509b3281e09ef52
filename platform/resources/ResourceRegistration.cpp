#include <new>

#include "ResourceRegistry.h"

extern "C" BOOL GlyphwardRegisterResources(HMODULE hModule, const GLYPHWARD_RESOURCE* pTable,
                                           size_t cEntries) {
  if (hModule == nullptr || pTable == nullptr) return FALSE;
  try {
    Glyphward::ResourceRegistry::Instance().Add(hModule, pTable, cEntries);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  return TRUE;
}

extern "C" void GlyphwardUnregisterResources(const GLYPHWARD_RESOURCE* pTable) {
  Glyphward::ResourceRegistry::Instance().Remove(pTable);
}
