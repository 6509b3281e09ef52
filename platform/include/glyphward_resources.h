/* Registration of the resource tables that modules embed at build time.
 *
 * A module handle is the base address at which the dynamic loader mapped the
 * module, as on Windows. Each module registers its own table under its own
 * handle when it is loaded, so a lookup by handle finds that module's
 * resources and no other module's. Every module also links a private copy of
 * these calls and of the registry: unlike on Windows, a module cannot read
 * another module's resources, which none of ours needs. The CMake function
 * glyphward_add_resources() writes the table and its registration; code
 * rarely needs more than GlyphwardModuleHandle(). */
#ifndef GLYPHWARD_RESOURCES_H
#define GLYPHWARD_RESOURCES_H

#include "winbase_resources.h"

typedef struct GLYPHWARD_RESOURCE {
  LPCSTR lpType; /* string or MAKEINTRESOURCEA number */
  LPCSTR lpName; /* string or MAKEINTRESOURCEA number */
  const BYTE* pData;
  DWORD cbData;
} GLYPHWARD_RESOURCE;

#ifdef __cplusplus
extern "C" {
#endif

/* The handle of the loaded module that contains address, or NULL. */
GLYPHWARD_MODULE_LOCAL HMODULE GlyphwardModuleFromAddress(const void* address);

/* The handle of the program's executable. */
GLYPHWARD_MODULE_LOCAL HMODULE GlyphwardMainModule(void);

/* Makes the cEntries resources of pTable findable under hModule until they
 * are unregistered. The table is not copied and must outlive that. FALSE for
 * a null module or table, or when memory runs out. */
GLYPHWARD_MODULE_LOCAL BOOL GlyphwardRegisterResources(HMODULE hModule,
                                                       const GLYPHWARD_RESOURCE* pTable,
                                                       size_t cEntries);

GLYPHWARD_MODULE_LOCAL void GlyphwardUnregisterResources(const GLYPHWARD_RESOURCE* pTable);

#ifdef __cplusplus
}
#endif

/* The handle of the module whose code makes the call: being static, this
 * function is compiled into every module that uses it, and its own address
 * lies inside that module. */
static inline HMODULE GlyphwardModuleHandle(void) {
  return GlyphwardModuleFromAddress((const void*)&GlyphwardModuleHandle);
}

#ifdef __cplusplus
namespace Glyphward {

// Registers a table for as long as the object lives; generated resource
// sources hold one at namespace scope, so loading the module registers it
// and unloading withdraws it.
class ResourceRegistration {
 public:
  ResourceRegistration(HMODULE module, const GLYPHWARD_RESOURCE* table, size_t count) noexcept
      : table_(table) {
    GlyphwardRegisterResources(module, table, count);
  }
  ~ResourceRegistration() { GlyphwardUnregisterResources(table_); }
  ResourceRegistration(const ResourceRegistration&) = delete;
  ResourceRegistration& operator=(const ResourceRegistration&) = delete;

 private:
  const GLYPHWARD_RESOURCE* table_;
};

}  // namespace Glyphward
#endif

#endif
