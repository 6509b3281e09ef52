// The process-wide font registry: family names resolved through fontconfig
// (with the Windows core families mapped onto metric-compatible or Wine
// faces) and every face file loaded once. Entries live until the process
// ends, so plain pointers to them stay valid. Thread-safe.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "FontHandles.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

class FontFace;

struct FontFamilyEntry {
  std::u16string name;
  // Faces by style bits: regular, bold, italic, bold italic.
  const FontFace* faces[4] = {};
};

class FontCache {
 public:
  static FontCache& Instance();

  // The family for a name (letter case ignored); nullptr when no scalable
  // installed family answers to it.
  const FontFamilyEntry* Find(std::u16string_view name);
  // GDI+'s generic families: Microsoft Sans Serif, Times New Roman, Courier New.
  const FontFamilyEntry* GenericSansSerif();
  const FontFamilyEntry* GenericSerif();
  const FontFamilyEntry* GenericMonospace();

  // FreeType objects are not safe for concurrent use: every call into
  // FreeType holds this lock.
  static std::mutex& FreeTypeMutex();
  FT_Library Library() const { return library_.get(); }

 private:
  FontCache();
  // The file and face index fontconfig picks for a family and style; empty
  // when its best match belongs to another family (unless anyFamily).
  bool Match(const std::string& family, int style, bool anyFamily, std::string* file, int* index);
  const FontFace* Face(const std::string& file, int index);
  const FontFamilyEntry* Resolve(std::u16string_view name, const std::string& family,
                                 bool anyFamily);

  std::mutex mutex_;
  FtLibrary library_;
  FcConfigOwner config_;
  std::map<std::string, std::unique_ptr<FontFamilyEntry>> families_;
  std::set<std::string> missing_;
  std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> faces_;
};

}  // namespace Gdiplus
