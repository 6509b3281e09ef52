#pragma once

#include "windef.h"

namespace MirelGlyphward {

// The module's lock count: raised by every live object and by
// IClassFactory::LockServer(TRUE); the module may unload when it is 0.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

}  // namespace MirelGlyphward
