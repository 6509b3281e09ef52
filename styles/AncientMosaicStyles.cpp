#include "AncientMosaicStyles.h"

#include "Stipple.h"
#include "TextFrame.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;

}  // namespace

void AncientMosaicTextGenerator::Draw(std::string text, Bitmap* bitmap) {
  TextFrame frame(text, bitmap);
  frame.SetInner(0.1f, 0.1f, 0.85f, 0.8f);
  frame.DrawBorders();
  frame.ChooseFont(33, FontStyleRegular);
  frame.ClearGround(Color(kWhite));
  // The budget follows the picture's area alone, whatever the code's length.
  const int n = int(frame.rectImage.Width * frame.rectImage.Height * 0.4f);
  CurvedText objCurvedText = frame.LoadCurvedText();
  std::shared_ptr<GraphicsPath> path =
      objCurvedText.CreatePath(frame.rectFBorders, frame.wText, *frame.font);

  // Letter bodies: dots are thrown over the whole frame and the letter clip
  // keeps those that fall on a letter.
  frame.g.SetClip(path.get(), CombineModeReplace);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n, kBlack, 1);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 10, kWhite, 1);
  frame.g.ResetClip();

  // The band along the letter outlines gets larger stones.
  const Pen pen{Color(kWhite), 3.0f};
  path->Widen(&pen, nullptr, 0.25f);
  frame.g.SetClip(path.get(), CombineModeReplace);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 2, kBlack, 2);
  SprinkleDots(frame.g, frame.rand, frame.rectFBorders, n / 7, kWhite, 2);
  frame.g.ResetClip();

  // Noise over everything, letters included.
  SprinkleDots(frame.g, frame.rand, frame.rectImage, n / 10, kBlack, 1);
  SprinkleDots(frame.g, frame.rand, frame.rectImage, n / 7, kWhite, 1);
}

}  // namespace MirelGlyphward
