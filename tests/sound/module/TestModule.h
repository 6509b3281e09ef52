// A shared object with a resource table of its own, to show that modules
// keep their resources apart.
#pragma once

#include "windef.h"

EXTERN_C GLYPHWARD_EXPORT HMODULE TestModuleHandle(void);

// SizeofResource of the resource, as the module's own resource calls see
// it; 0 when they do not find it.
EXTERN_C GLYPHWARD_EXPORT DWORD TestModuleResourceSize(HMODULE module, int id, LPCSTR type);
