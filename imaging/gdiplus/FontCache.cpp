#include "FontCache.h"

#include <cctype>

#include "FontFace.h"

namespace Gdiplus {
namespace {

// Wine's core fonts (Tahoma among them) live outside fontconfig's usual
// directories.
constexpr const char* kWineFontDirectory = "/usr/share/wine/fonts";

// Windows family names and the installed families that stand in for them.
struct FamilyAlias {
  const char* windowsName;
  const char* installedName;
};
constexpr FamilyAlias kAliases[] = {
    {"arial", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"verdana", "DejaVu Sans"},
    {"tahoma", "Tahoma"},
    {"microsoft sans serif", "Liberation Sans"},
};

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string Lowercase(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::mutex& FontCache::FreeTypeMutex() {
  static std::mutex mutex;
  return mutex;
}

FontCache& FontCache::Instance() {
  static FontCache cache;
  return cache;
}

FontCache::FontCache() {
  {
    std::lock_guard<std::mutex> lock(FreeTypeMutex());
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) library_ = FtLibrary(library);
  }
  config_ = FcConfigOwner(FcInitLoadConfigAndFonts());
  if (config_) {
    FcConfigAppFontAddDir(config_.get(), reinterpret_cast<const FcChar8*>(kWineFontDirectory));
  }
}

bool FontCache::Match(const std::string& family, int style, bool anyFamily, std::string* file,
                      int* index) {
  if (!config_) return false;
  FcPatternOwner pattern(FcPatternCreate());
  if (!pattern) return false;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                      (style & FontStyleBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT,
                      (style & FontStyleItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  FcPatternOwner match(FcFontMatch(config_.get(), pattern.get(), &result));
  if (!match) return false;

  FcBool outline = FcFalse;
  if (FcPatternGetBool(match.get(), FC_OUTLINE, 0, &outline) != FcResultMatch || !outline) {
    return false;
  }
  if (!anyFamily) {
    // fontconfig always answers with something; only its own family counts.
    bool sameFamily = false;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &name) == FcResultMatch; ++i) {
      if (Lowercase(reinterpret_cast<const char*>(name)) == Lowercase(family)) {
        sameFamily = true;
        break;
      }
    }
    if (!sameFamily) return false;
  }
  FcChar8* path = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) return false;
  int faceIndex = 0;
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &faceIndex);
  *file = reinterpret_cast<const char*>(path);
  *index = faceIndex;
  return true;
}

const FontFace* FontCache::Face(const std::string& file, int index) {
  auto key = std::make_pair(file, index);
  auto found = faces_.find(key);
  if (found != faces_.end()) return found->second.get();
  std::unique_ptr<FontFace> face = FontFace::Load(file, index);
  const FontFace* result = face.get();
  // A file FreeType cannot read is remembered as such.
  faces_.emplace(std::move(key), std::move(face));
  return result;
}

const FontFamilyEntry* FontCache::Resolve(std::u16string_view name, const std::string& family,
                                          bool anyFamily) {
  auto entry = std::make_unique<FontFamilyEntry>();
  entry->name = std::u16string(name);
  for (int style = 0; style < 4; ++style) {
    std::string file;
    int index = 0;
    if (Match(family, style, anyFamily, &file, &index)) {
      entry->faces[style] = Face(file, index);
    }
  }
  if (entry->faces[0] == nullptr) return nullptr;
  for (int style = 1; style < 4; ++style) {
    if (entry->faces[style] == nullptr) entry->faces[style] = entry->faces[0];
  }
  const FontFamilyEntry* result = entry.get();
  families_.emplace(Lowercase(ToUtf8(name)), std::move(entry));
  return result;
}

const FontFamilyEntry* FontCache::Find(std::u16string_view name) {
  const std::string key = Lowercase(ToUtf8(name));
  if (key.empty()) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = families_.find(key);
  if (found != families_.end()) return found->second.get();
  if (missing_.count(key) != 0) return nullptr;
  std::string family = ToUtf8(name);
  for (const FamilyAlias& alias : kAliases) {
    if (key == alias.windowsName) family = alias.installedName;
  }
  const FontFamilyEntry* entry = Resolve(name, family, false);
  if (entry == nullptr) missing_.insert(key);
  return entry;
}

const FontFamilyEntry* FontCache::GenericSansSerif() {
  const FontFamilyEntry* entry = Find(u"Microsoft Sans Serif");
  if (entry != nullptr) return entry;
  // Without Liberation Sans, whatever fontconfig calls sans-serif.
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = families_.find("sans-serif");
  if (found != families_.end()) return found->second.get();
  return Resolve(u"sans-serif", "sans-serif", true);
}

const FontFamilyEntry* FontCache::GenericSerif() {
  return Find(u"Times New Roman");
}

const FontFamilyEntry* FontCache::GenericMonospace() {
  return Find(u"Courier New");
}

}  // namespace Gdiplus
