#include "GdiplusStartup.h"

#include <atomic>

namespace Gdiplus {
namespace {
std::atomic<int> activeSessions{0};
std::atomic<ULONG_PTR> nextToken{1};
}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                      GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  *token = 0;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread && !output) return InvalidParameter;
  if (output) *output = GdiplusStartupOutput{};
  *token = nextToken++;
  ++activeSessions;
  return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
  if (token != 0) --activeSessions;
}

int GdiplusActiveSessions() {
  return activeSessions.load();
}

}  // namespace Gdiplus
