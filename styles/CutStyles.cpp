#include "CutStyles.h"

#include <memory>
#include <vector>

#include "LetterCuts.h"
#include "Region.h"
#include "SolidBrush.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kGreen = 0xFF008000;
constexpr ARGB kWhite = 0xFFFFFFFF;

constexpr float kCutFactor = 2.1f;
constexpr float kCutWidth = 2.5f;

constexpr float kCollageFactor = 42.1f;
constexpr float kStripWidth = 5.0f;
// Strip colours stay light so that the letters read against the white.
constexpr int kStripChannelMin = 50;
constexpr int kStripChannelMax = 255;

}  // namespace

void CutTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  frame.ChooseFont(40, FontStyleBold);

  std::vector<ColoredLine> arrLines;
  CreateLines(*bitmap, kCutFactor, kWhite, arrLines);

  const std::unique_ptr<GraphicsPath> pathLetters = frame.FittedPath();
  const Region rgnLetters(pathLetters.get());
  const Color letterColor(kRed), backColor(kGreen);

  frame.ClearGround(backColor);
  const SolidBrush lettersBrush(letterColor);
  frame.g.FillPath(&lettersBrush, pathLetters.get());
  // Lines in the ground colour show only where they cross a letter.
  frame.g.SetClip(&rgnLetters, CombineModeIntersect);
  DrawLines(frame.g, arrLines, backColor, kCutWidth);
  frame.g.ResetClip();
}

void CollageTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders(frame.Fraction(0.05f, 0.05f, 0.9f, 0.9f));
  frame.ChooseFont(42, FontStyleBold);

  std::vector<ColoredLine> arrLines;
  CreateColoredLines(*bitmap, kCollageFactor, kStripChannelMin, kStripChannelMax, arrLines);

  const std::unique_ptr<GraphicsPath> pathLetters = frame.FittedPath();
  const Region rgnLetters(pathLetters.get());

  // The letters are never filled: they exist only where strips cross them.
  frame.ClearGround(Color(kWhite));
  frame.g.SetClip(&rgnLetters, CombineModeIntersect);
  DrawColoredLines(frame.g, arrLines, kStripWidth);
  frame.g.ResetClip();
}

}  // namespace MirelGlyphward
