// Open key handles. A handle names a key by its path, so it stays valid
// across processes rewriting the file; a key deleted meanwhile is reported
// as ERROR_KEY_DELETED. Handles are numbers, never pointers, so a stale or
// made-up handle is refused rather than followed.
#pragma once

#include "RegistryTree.h"
#include "windef.h"

namespace glyphward_registry {

HKEY OpenHandle(KeyPath path);
// ERROR_INVALID_HANDLE for anything but HKEY_CLASSES_ROOT or an open handle.
LONG PathOfHandle(HKEY handle, KeyPath& path);
LONG CloseHandle(HKEY handle);

}  // namespace glyphward_registry
