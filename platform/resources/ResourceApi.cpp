#include "ResourceRegistry.h"
#include "winbase_resources.h"

namespace {

using Glyphward::ResourceRegistry;

HMODULE ModuleOrMain(HMODULE module) {
  return module != nullptr ? module : GlyphwardMainModule();
}

const GLYPHWARD_RESOURCE* EntryOf(HMODULE module, HRSRC resource) {
  auto* entry = reinterpret_cast<const GLYPHWARD_RESOURCE*>(resource);
  if (entry == nullptr || !ResourceRegistry::Instance().Owns(ModuleOrMain(module), entry)) {
    return nullptr;
  }
  return entry;
}

}  // namespace

extern "C" HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  if (lpName == nullptr || lpType == nullptr) return nullptr;
  const GLYPHWARD_RESOURCE* entry =
      ResourceRegistry::Instance().Find(ModuleOrMain(hModule), lpName, lpType);
  // The handle is the table entry itself; callers treat it as opaque.
  return reinterpret_cast<HRSRC>(const_cast<GLYPHWARD_RESOURCE*>(entry));
}

extern "C" DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  const GLYPHWARD_RESOURCE* entry = EntryOf(hModule, hResInfo);
  return entry != nullptr ? entry->cbData : 0;
}

extern "C" HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
  const GLYPHWARD_RESOURCE* entry = EntryOf(hModule, hResInfo);
  if (entry == nullptr) return nullptr;
  // Embedded data needs no loading: the handle is its address, as for
  // resources of a loaded module on Windows.
  return const_cast<BYTE*>(entry->pData);
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL hResData) {
  return hResData;
}

extern "C" BOOL WINAPI FreeResource(HGLOBAL) {
  return FALSE;
}
