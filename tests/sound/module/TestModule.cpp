#include "TestModule.h"

#include "glyphward_resources.h"

EXTERN_C HMODULE TestModuleHandle(void) {
  return GlyphwardModuleHandle();
}

EXTERN_C DWORD TestModuleResourceSize(HMODULE module, int id, LPCSTR type) {
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  return resource != nullptr ? SizeofResource(module, resource) : 0;
}
