// Start-up and shutdown of the graphics layer. Nothing here needs per-session
// setup (fonts and codecs are set up once per process on first use), so a
// session is only counted, which keeps callers' start/stop pairing honest.
#pragma once

#include "GdiplusTypes.h"
#include "windef.h"

namespace Gdiplus {

using DebugEventProc = void (*)(int level, char* message);

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
  void* NotificationHook = nullptr;
  void* NotificationUnhook = nullptr;
};

// Version 1 only; a background-thread suppression without an output block is
// refused as on Windows.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                      GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

// Sessions started and not yet shut down.
int GdiplusActiveSessions();

}  // namespace Gdiplus
