// A black-and-white chessboard laid over the whole picture like a floor seen
// from above and in front (the far edge a little wider than the picture, the
// near edge far wider), with the letters inverting the squares beneath them.
#pragma once

#include "GdiplusTypes.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "RandomClass.h"

namespace MirelGlyphward {

// The flat board over (0, 0, size): each square its own closed figure,
// pathMain taking those whose column plus row is even, pathBack the others.
void CreateBoardPaths(int rows, int cols, const Gdiplus::SizeF& size,
                      Gdiplus::GraphicsPath* pathMain, Gdiplus::GraphicsPath* pathBack);

// Draws the corners (four engine draws), then paints the board warped onto
// them over the whole picture: black and white squares, and every pixel of
// pathLetters in the colour opposite to its square.
void PaintChessFloor(Gdiplus::Graphics& g, const RandomClass& rand, const Gdiplus::RectF& rectImage,
                     const Gdiplus::GraphicsPath& pathLetters);

}  // namespace MirelGlyphward
