#include "ImageGenerator.h"

#include "GdiplusStartup.h"
#include "StyleLookup.h"

namespace MirelGlyphward {
namespace {

void CheckRequest(PictureSize size, std::int32_t style) {
  if (size.width <= 0 || size.height <= 0)
    throw std::string("The picture width and height must be positive !");
  if (size.width > kMaxPictureSide || size.height > kMaxPictureSide ||
      std::int64_t(size.width) * size.height > kMaxPicturePixels)
    throw std::string("The picture is too large !");
  if (!FindStyle(style)) throw std::string("This text style is not supported !");
}

}  // namespace

ImageGenerator::Session::Session() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

ImageGenerator::Session::~Session() {
  Gdiplus::GdiplusShutdown(token_);
}

ImageGenerator::ImageGenerator(const std::string& text, PictureSize size, std::int32_t style) {
  CheckRequest(size, style);
  bitmap_ =
      std::make_unique<Gdiplus::Bitmap>(size.width, size.height, Gdiplus::PixelFormat32bppARGB);
  if (bitmap_->GetLastStatus() != Gdiplus::Ok)
    throw std::string("Failed to create the picture's bitmap!");

  std::shared_ptr<ITextGenerator> pTextGenerator = CreateTextGenerator(style);
  pTextGenerator->Draw(text, bitmap_.get());
}

}  // namespace MirelGlyphward
