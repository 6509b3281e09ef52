// Codes drawn letter by letter: every character's outline is stretched into
// a box of its own instead of the whole text into one frame, so that the
// styles can push letters into each other or scatter and tilt them. Two
// layouts: a row of slots overlapping their neighbours, and boxes at random
// heights turned about their centres.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Font.h"
#include "GdiplusTypes.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "RandomClass.h"

namespace MirelGlyphward {

// A new path holding the outline of text[index] alone, stretched to fill box
// by Tools::AddFittedString. An index past the text gives no points.
Gdiplus::GraphicsPath FitLetter(const std::u16string& text, std::size_t index,
                                const Gdiplus::Font& font, const Gdiplus::RectF& box);

// One slot per letter of text, side by side across frame and as tall as it.
// Draws one overlap per letter, in [0.03, 0.13) of the frame's width, in
// letter order: each slot starts that far inside the one before it (the last
// letter's overlap is drawn but overlaps nothing). Slot widths keep the
// proportions of the letters' natural outline widths in font, and together
// are wider than the frame by the overlaps, so the first slot starts at the
// frame's left edge and the last ends at its right edge. Letters without an
// outline get slots of no width.
std::vector<Gdiplus::RectF> OverlappingSlots(const RandomClass& rand, const std::u16string& text,
                                             const Gdiplus::Font& font,
                                             const Gdiplus::RectF& frame);

// The unscaled box of one tilted letter: the frame's width shared among
// count letters, and 2.2 times the frame's height shared likewise, so that
// short codes get letters taller than the frame. No letters: infinite.
Gdiplus::SizeF TiltedLetterSize(const Gdiplus::RectF& frame, std::size_t count);

// Fills each letter of text, left to right, in a box 0.8 times the size of
// TiltedLetterSize at a random height in frame, turned about the box's centre
// by up to 40 degrees either way. Per letter the draws are: a face for
// styleNumber, the box's top, the angle, and the colour (blue, green, red,
// each in [0, channelEnd)).
void DrawTiltedLetters(Gdiplus::Graphics& g, const RandomClass& rand, const std::u16string& text,
                       const Gdiplus::RectF& frame, int styleNumber, int channelEnd);

}  // namespace MirelGlyphward
