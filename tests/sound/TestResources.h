// Resource tables that tests register under made-up module handles, which no
// loaded module can have (nothing is mapped that low).
#pragma once

#include <cstdint>

#include "glyphward_resources.h"

namespace SoundTests {

inline HMODULE FakeModule(uintptr_t number) {
  return reinterpret_cast<HMODULE>(number * 0x1000);
}

}  // namespace SoundTests
