// Move-only owners of the FreeType and fontconfig handles the font code
// uses, each with an empty default state.
#pragma once

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <utility>

namespace Gdiplus {

template <typename Handle, void (*Release)(Handle)>
class UniqueFontHandle {
 public:
  UniqueFontHandle() = default;
  explicit UniqueFontHandle(Handle handle) : handle_(handle) {}
  UniqueFontHandle(const UniqueFontHandle&) = delete;
  UniqueFontHandle& operator=(const UniqueFontHandle&) = delete;
  UniqueFontHandle(UniqueFontHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueFontHandle& operator=(UniqueFontHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~UniqueFontHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (handle_ != nullptr) Release(std::exchange(handle_, nullptr));
  }

 private:
  Handle handle_ = nullptr;
};

namespace detail {
inline void ReleaseLibrary(FT_Library library) {
  FT_Done_FreeType(library);
}
inline void ReleaseFace(FT_Face face) {
  FT_Done_Face(face);
}
}  // namespace detail

using FtLibrary = UniqueFontHandle<FT_Library, detail::ReleaseLibrary>;
using FtFace = UniqueFontHandle<FT_Face, detail::ReleaseFace>;
using FcConfigOwner = UniqueFontHandle<FcConfig*, FcConfigDestroy>;
using FcPatternOwner = UniqueFontHandle<FcPattern*, FcPatternDestroy>;

}  // namespace Gdiplus
