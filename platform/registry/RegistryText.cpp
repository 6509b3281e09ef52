#include "RegistryText.h"

#include <unordered_set>

namespace glyphward_registry {
namespace {

constexpr std::string_view kHeader = "glyphward-registry 1";

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xF0 | (code >> 18));
    out += char(0x80 | ((code >> 12) & 0x3F));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out += char16_t(code);
  } else {
    code -= 0x10000;
    out += char16_t(0xD800 + (code >> 10));
    out += char16_t(0xDC00 + (code & 0x3FF));
  }
}

// Decodes one UTF-8 sequence at `text[i]`, rejecting overlong forms,
// surrogates and values beyond U+10FFFF.
bool DecodeUtf8(std::string_view text, std::size_t& i, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t extra;
  char32_t minimum;
  if (lead < 0x80) {
    code = lead;
    ++i;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, minimum = 0x80, code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, minimum = 0x800, code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, minimum = 0x10000, code = lead & 0x07;
  } else {
    return false;
  }
  if (text.size() - i <= extra) return false;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return false;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  i += extra + 1;
  return true;
}

void AppendQuoted(std::string& out, std::u16string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    if (c == u'\\' || c == u'"') {
      out += '\\';
      out += char(c);
    } else if (c == u'\n') {
      out += "\\n";
    } else if (c == u'\r') {
      out += "\\r";
    } else if (c == u'\t') {
      out += "\\t";
    } else if (pair) {
      AppendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    } else {
      AppendUtf8(out, c);
    }
  }
  out += '"';
}

// Reads a quoted text starting at `line[i]` (the opening quote), leaving `i`
// after the closing quote.
bool ReadQuoted(std::string_view line, std::size_t& i, std::size_t maxChars, std::u16string& out) {
  if (i >= line.size() || line[i] != '"') return false;
  ++i;
  out.clear();
  while (i < line.size() && line[i] != '"') {
    if (out.size() > maxChars) return false;
    char32_t code;
    if (line[i] == '\\') {
      if (++i >= line.size()) return false;
      const char escape = line[i++];
      switch (escape) {
        case '\\':
          code = '\\';
          break;
        case '"':
          code = '"';
          break;
        case 'n':
          code = '\n';
          break;
        case 'r':
          code = '\r';
          break;
        case 't':
          code = '\t';
          break;
        case 'u': {
          if (line.size() - i < 4) return false;
          code = 0;
          for (int k = 0; k < 4; ++k) {
            const char h = line[i++];
            const int digit = h >= '0' && h <= '9'   ? h - '0'
                              : h >= 'A' && h <= 'F' ? h - 'A' + 10
                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                                     : -1;
            if (digit < 0) return false;
            code = (code << 4) | char32_t(digit);
          }
          out += char16_t(code);
          continue;
        }
        default:
          return false;
      }
    } else {
      if (static_cast<unsigned char>(line[i]) < 0x20) return false;
      if (!DecodeUtf8(line, i, code)) return false;
    }
    AppendUtf16(out, code);
  }
  if (i >= line.size() || out.size() > maxChars) return false;
  ++i;
  return true;
}

bool ParseSection(std::string_view line, Key& root, Key*& current) {
  if (line.size() < 2 || line.back() != ']') return false;
  std::u16string path;
  if (!Utf16FromUtf8(line.substr(1, line.size() - 2), path)) return false;
  KeyPath parts;
  if (!SplitPath(path, parts)) return false;
  Key* key = &root;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    Key* child = key->Find(parts[k]);
    key = child ? child : &key->Add(parts[k]);
  }
  current = key;
  return true;
}

bool ParseValue(std::string_view line, Key& key) {
  std::size_t i = 0;
  std::u16string name;
  if (line[0] == '@') {
    i = 1;
  } else if (!ReadQuoted(line, i, kMaxValueNameChars, name) || name.empty()) {
    return false;
  }
  if (i >= line.size() || line[i] != '=') return false;
  ++i;
  std::u16string data;
  if (!ReadQuoted(line, i, kMaxValueDataChars, data) || i != line.size()) return false;
  if (key.FindValue(name)) return false;
  key.values.push_back(Value{std::move(name), std::move(data)});
  return true;
}

void FormatKey(const Key& key, const std::string& path, std::string& out) {
  for (const auto& child : key.subkeys) {
    std::string name;
    Utf8FromUtf16(child->name, name);
    const std::string childPath = path.empty() ? name : path + '\\' + name;
    out += '[' + childPath + "]\n";
    for (const Value& value : child->values) {
      if (value.name.empty())
        out += '@';
      else
        AppendQuoted(out, value.name);
      out += '=';
      AppendQuoted(out, value.data);
      out += '\n';
    }
    FormatKey(*child, childPath, out);
  }
}

}  // namespace

bool Utf16FromUtf8(std::string_view utf8, std::u16string& out) {
  out.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t code;
    if (!DecodeUtf8(utf8, i, code)) return false;
    AppendUtf16(out, code);
  }
  return true;
}

bool Utf8FromUtf16(std::u16string_view utf16, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t code = utf16[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      return false;
    }
    AppendUtf8(out, code);
  }
  return true;
}

bool ParseRegistry(std::string_view text, Key& root) {
  if (text.size() > kMaxFileBytes) return false;
  bool sawHeader = false;
  Key* current = nullptr;
  // Keys may come before their parents' lines, but no key may have two.
  std::unordered_set<const Key*> listed;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    if (!sawHeader) {
      if (line != kHeader) return false;
      sawHeader = true;
    } else if (line[0] == '[') {
      if (!ParseSection(line, root, current)) return false;
      if (!listed.insert(current).second) return false;
    } else if (!current || !ParseValue(line, *current)) {
      return false;
    }
  }
  return sawHeader;
}

std::string FormatRegistry(const Key& root) {
  std::string out(kHeader);
  out += "\n";
  if (!root.values.empty()) {
    out += "[]\n";
    for (const Value& value : root.values) {
      if (value.name.empty())
        out += '@';
      else
        AppendQuoted(out, value.name);
      out += '=';
      AppendQuoted(out, value.data);
      out += '\n';
    }
  }
  FormatKey(root, std::string(), out);
  return out;
}

}  // namespace glyphward_registry
