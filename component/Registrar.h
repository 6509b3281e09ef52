// Applies a parsed registry script to HKEY_CLASSES_ROOT. Registering creates
// every key and value, first removing ForceRemove keys whole so nothing from
// an earlier registration survives. Unregistering removes ForceRemove keys
// whole, removes other keys once their own subkeys are gone, and keeps
// NoRemove keys.
#pragma once

#include <vector>

#include "RegistrarScript.h"
#include "windef.h"

namespace MirelGlyphward {

HRESULT RegisterScript(const std::vector<ScriptKey>& keys);
HRESULT UnregisterScript(const std::vector<ScriptKey>& keys);

}  // namespace MirelGlyphward
