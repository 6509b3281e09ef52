// The graphics session and the bitmap of one picture; constructing it draws
// the picture. The bitmap is deleted before the session is shut down.
#pragma once

#include <memory>
#include <string>

#include "Bitmap.h"
#include "windef.h"

namespace MirelGlyphward {

struct PictureSize {
  std::int32_t width;
  std::int32_t height;
};

class ImageGenerator {
 public:
  // Raises a message for a size or style that cannot be drawn, before
  // anything is drawn.
  ImageGenerator(const std::string& text, PictureSize size, std::int32_t style);
  ImageGenerator(const ImageGenerator&) = delete;
  ImageGenerator& operator=(const ImageGenerator&) = delete;

  Gdiplus::Bitmap* GetBitmap() const { return bitmap_.get(); }

 private:
  // Started first and shut down last, after the bitmap is gone.
  class Session {
   public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

   private:
    ULONG_PTR token_ = 0;
  };

  Session session_;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// Pictures larger than this are refused: several styles draw shapes in
// proportion to the area, and a CAPTCHA has no use for more.
constexpr std::int32_t kMaxPictureSide = 4096;
constexpr std::int64_t kMaxPicturePixels = 4 * 1024 * 1024;

}  // namespace MirelGlyphward
