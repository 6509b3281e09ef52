// Black letters in a soft red glow: the letters are drawn red on black into a
// small copy of the picture, which is stretched back over the whole picture
// (the resampling blurs it), and the letters are filled black on top.
#pragma once

#include "GraphicsPath.h"
#include "TextFrame.h"

namespace MirelGlyphward {

// `scale` sets the glow's width: each pixel of the small copy spreads over
// about 1 / scale picture pixels when stretched back.
void DrawGlowingLetters(TextFrame& frame, const Gdiplus::GraphicsPath& pathLetters,
                        Gdiplus::REAL scale);

}  // namespace MirelGlyphward
