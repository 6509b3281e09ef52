#include "SunRaysStyles.h"

#include <cmath>

#include "Pen.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr float kAngleFactor = 0.9f;
constexpr float kPenWidth = 2.0f;
constexpr float kRayLength = 888.0f;
// Slightly short of 2 pi, so a last ray that would close the fan is left out.
constexpr double kFullTurn = 6.28318;

void BeginFrame(TextFrame& frame, int styleNumber) {
  frame.SetInner(0.2f, 0.2f, 0.6f, 0.6f);
  frame.DrawBorders();
  frame.ChooseFont(styleNumber, FontStyleRegular);
}

// The fan of rays from one point of the frame, seen only through the
// letters. Angle 0 points straight down and the fan turns toward +X; the
// angle step shrinks with the area, so larger pictures get denser rays.
void DrawRays(TextFrame& frame, const Color& lineColor) {
  std::unique_ptr<GraphicsPath> path = frame.FittedPath();
  const PointF ptCenter = frame.rand.NextPoint(frame.rectFBorders);
  frame.g.SetClip(path.get(), CombineModeReplace);
  const Pen pen{lineColor, kPenWidth};
  const float step =
      kAngleFactor * 1000.0f * (1.0f / (frame.rectImage.Width * frame.rectImage.Height));
  for (float angle = 0.0f; double(angle) < kFullTurn; angle += step) {
    const PointF ptSecondPoint(ptCenter.X + kRayLength * std::sin(angle),
                               ptCenter.Y + kRayLength * std::cos(angle));
    frame.g.DrawLine(&pen, ptCenter, ptSecondPoint);
  }
  frame.g.ResetClip();
}

}  // namespace

void SunRaysTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  BeginFrame(frame, 22);
  frame.ClearGround(Color(0xFFADFF2F));
  DrawRays(frame, Color(0xFFFF0000));
}

void SunRays2TextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  BeginFrame(frame, 23);
  const Color lineColor = frame.rand.NextColor(0, 100, 0, 100, 0, 100);
  const Color backColor(BYTE(255 - lineColor.GetR()), BYTE(255 - lineColor.GetG()),
                        BYTE(255 - lineColor.GetB()));
  frame.ClearGround(backColor);
  DrawRays(frame, lineColor);
}

}  // namespace MirelGlyphward
