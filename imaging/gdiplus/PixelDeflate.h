// A zlib stream of PNG scanlines, each a filter byte and 4-byte pixels,
// matching every pixel against the one to its left, the one above, and the
// last place its pair of pixels was seen. Where most pixels repeat a
// neighbour, as in most pictures here, that finds nearly every match a
// general matcher would, for half the time libdeflate's fastest level takes.
#pragma once

#include <cstddef>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

// Appends the zlib stream (header, deflate blocks, Adler-32) of height rows
// of rowBytes bytes each to out. rowBytes is one more than a multiple of 4.
// Returns false, with out unchanged in size, when memory runs out.
bool DeflatePixelRows(const BYTE* rows, std::size_t rowBytes, std::size_t height,
                      std::vector<BYTE>& out);

}  // namespace Gdiplus
