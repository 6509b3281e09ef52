// Writes a bitmap to a PNG file (straight RGBA), for looking at drawings.
#pragma once

#include <string>

#include "Bitmap.h"

namespace RenderTest {

bool WritePng(const Gdiplus::Bitmap& bitmap, const std::string& path);

}  // namespace RenderTest
