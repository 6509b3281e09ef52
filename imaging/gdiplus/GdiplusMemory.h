// The graphics layer's allocator, for callers that hand memory to it or take
// memory from it.
#pragma once

#include <cstddef>

namespace Gdiplus {

// Null when the memory cannot be had; GdipFree(nullptr) does nothing.
void* GdipAlloc(std::size_t size);
void GdipFree(void* ptr);

}  // namespace Gdiplus
