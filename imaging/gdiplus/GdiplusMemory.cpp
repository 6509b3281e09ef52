#include "GdiplusMemory.h"

#include <cstdlib>

namespace Gdiplus {

void* GdipAlloc(std::size_t size) {
  return std::malloc(size ? size : 1);
}

void GdipFree(void* ptr) {
  std::free(ptr);
}

}  // namespace Gdiplus
