#include <cstring>

#include "SoundBuilder.h"
#include "winbase_resources.h"

namespace MirelGlyphward {

bool SoundBuilder::LoadResourceBytes(int id, unsigned char* destination, DWORD* size, LPCSTR type,
                                     HMODULE module) {
  // Resource numbers are 16 bits; a larger id would silently name another.
  if (id <= 0 || id > 0xFFFF) return false;
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (resource == nullptr) return false;
  DWORD resourceSize = SizeofResource(module, resource);
  if (destination == nullptr) {
    if (size != nullptr) *size = resourceSize;
    return true;
  }
  // Without a capacity, or with a smaller one, the copy would run past the
  // caller's buffer.
  if (size == nullptr || *size < resourceSize) return false;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return false;
  std::memcpy(destination, data, resourceSize);
  if (*size > resourceSize) destination[resourceSize] = 0;
  *size = resourceSize;
  FreeResource(loaded);
  return true;
}

}  // namespace MirelGlyphward
