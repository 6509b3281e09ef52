#include "ModuleLock.h"

#include <atomic>

namespace MirelGlyphward {
namespace {
std::atomic<LONG> lockCount{0};
}

void LockModule() {
  ++lockCount;
}
void UnlockModule() {
  --lockCount;
}
LONG ModuleLockCount() {
  return lockCount.load();
}

}  // namespace MirelGlyphward
