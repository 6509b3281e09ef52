// The diagnostic entry points of whichever component serves the tool: the one
// linked in, or those of the registered module, so that --seed and --stats
// act on the engine that draws.
#pragma once

#include "MirelGlyphward.h"

namespace glyphward_cli {

struct Diagnostics {
  HRESULT (*setSeed)(LONG) = &GlyphwardSetSeed;
  HRESULT (*getEngineSteps)(ULONGLONG*) = &GlyphwardGetEngineSteps;
};

// The registered module's entry points, found through its InprocServer32
// path; throws ComponentError when the module does not offer them.
Diagnostics RegisteredModuleDiagnostics(const CLSID& clsid);

}  // namespace glyphward_cli
