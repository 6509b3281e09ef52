#include <cstdio>
#include <cstring>
#include <optional>

#include "TypeLibModel.h"

namespace glyphward_typelib {
namespace {

constexpr std::string_view kHeader = "typelib-text 1";
constexpr WORD kDispatchSlots = 7;

// Splits a line into words and quoted texts; false on an unterminated quote.
bool Tokens(std::string_view line, std::vector<std::string>& tokens) {
  tokens.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    std::string token;
    if (line[i] == '"') {
      token += '"';  // marks a quoted text
      ++i;
      while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        token += line[i++];
      }
      if (i >= line.size()) return false;
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') token += line[i++];
    }
    tokens.push_back(std::move(token));
  }
  return true;
}

bool IsQuoted(const std::string& token) {
  return !token.empty() && token[0] == '"';
}

// Names and help strings are ASCII or UTF-8 Latin text; they are kept as
// UTF-16 with each byte of 0x80 and above refused, so no decoder is needed.
std::optional<std::u16string> Text(const std::string& token, bool quoted) {
  if (quoted != IsQuoted(token)) return std::nullopt;
  std::u16string out;
  for (std::size_t i = quoted ? 1 : 0; i < token.size(); ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    if (c < 0x20 || c >= 0x80) return std::nullopt;
    out += char16_t(c);
  }
  return out;
}

bool IsIdentifier(const std::string& token) {
  if (token.empty() || token.size() > 255) return false;
  for (std::size_t i = 0; i < token.size(); ++i) {
    const char c = token[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
  }
  return true;
}

bool ParseNumber(const std::string& token, long long low, long long high, long long& value) {
  if (token.empty() || token.size() > 11) return false;
  std::size_t i = token[0] == '-' ? 1 : 0;
  if (i == token.size()) return false;
  value = 0;
  for (; i < token.size(); ++i) {
    if (token[i] < '0' || token[i] > '9') return false;
    value = value * 10 + (token[i] - '0');
  }
  if (token[0] == '-') value = -value;
  return value >= low && value <= high;
}

bool ParseVersion(const std::string& token, WORD& major, WORD& minor) {
  const std::size_t dot = token.find('.');
  long long a, b;
  if (dot == std::string::npos || !ParseNumber(token.substr(0, dot), 0, 65535, a) ||
      !ParseNumber(token.substr(dot + 1), 0, 65535, b))
    return false;
  major = WORD(a);
  minor = WORD(b);
  return true;
}

bool ParseGuidToken(const std::string& token, GUID& guid) {
  const std::optional<std::u16string> text = Text(token, false);
  return text && ParseGuid(*text, guid);
}

bool ParseType(std::string token, Param& param) {
  param.pointer = !token.empty() && token.back() == '*';
  if (param.pointer) token.pop_back();
  static const struct {
    const char* name;
    VARTYPE vt;
  } kTypes[] = {{"long", VT_I4},           {"short", VT_I2},       {"int", VT_INT},
                {"double", VT_R8},         {"float", VT_R4},       {"BSTR", VT_BSTR},
                {"VARIANT_BOOL", VT_BOOL}, {"VARIANT", VT_VARIANT}};
  for (const auto& type : kTypes) {
    if (token == type.name) {
      param.vt = type.vt;
      return true;
    }
  }
  return false;
}

bool ParseDirection(const std::string& token, USHORT& flags) {
  if (token == "in")
    flags = PARAMFLAG_FIN;
  else if (token == "out")
    flags = PARAMFLAG_FOUT;
  else if (token == "out,retval")
    flags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
  else if (token == "in,out")
    flags = PARAMFLAG_FIN | PARAMFLAG_FOUT;
  else
    return false;
  return true;
}

bool ParseMember(const std::vector<std::string>& t, TypeEntry& type) {
  static const struct {
    const char* word;
    INVOKEKIND kind;
  } kKinds[] = {
      {"method", INVOKE_FUNC}, {"propget", INVOKE_PROPERTYGET}, {"propput", INVOKE_PROPERTYPUT}};
  Member member;
  bool known = false;
  for (const auto& k : kKinds)
    if (t[0] == k.word) member.kind = k.kind, known = true;
  long long id;
  if (!known || t.size() < 4 || (t.size() - 4) % 3 != 0 || (t.size() - 4) / 3 > kMaxParams ||
      !ParseNumber(t[1], -2147483647LL - 1, 2147483647LL, id) || !IsIdentifier(t[2]))
    return false;
  // MEMBERID_NIL means "no member": lookups by id would take it for the type.
  if (id == MEMBERID_NIL) return false;
  member.id = MEMBERID(id);
  member.name = *Text(t[2], false);
  const std::optional<std::u16string> help = Text(t[3], true);
  if (!help) return false;
  member.help = *help;
  for (std::size_t i = 4; i < t.size(); i += 3) {
    Param param;
    if (!ParseDirection(t[i], param.flags) || !ParseType(t[i + 1], param) ||
        !IsIdentifier(t[i + 2]))
      return false;
    param.name = *Text(t[i + 2], false);
    // Results go through pointers, and a return value comes last.
    if ((param.flags & PARAMFLAG_FOUT) && !param.pointer) return false;
    if ((param.flags & PARAMFLAG_FRETVAL) && i + 3 != t.size()) return false;
    member.params.push_back(std::move(param));
  }
  // Members may share an id or a name only as the get and put of one
  // property: a name must find one id, and an id one member per kind.
  for (const Member& other : type.members) {
    const bool sameId = other.id == member.id;
    const bool sameName = SameName(other.name, member.name);
    const bool property = member.kind != INVOKE_FUNC && other.kind != INVOKE_FUNC;
    if ((sameId || sameName) && !(sameId && sameName && property && other.kind != member.kind))
      return false;
  }
  if (type.members.size() >= kMaxMembers) return false;
  member.slot = SHORT(kDispatchSlots + type.members.size());
  type.members.push_back(std::move(member));
  return true;
}

bool ParseInterfaceFlags(const std::string& token, WORD& flags) {
  flags = TYPEFLAG_FDISPATCHABLE;
  std::size_t start = 0;
  while (start <= token.size()) {
    std::size_t end = token.find(',', start);
    if (end == std::string::npos) end = token.size();
    const std::string word = token.substr(start, end - start);
    if (word == "dual")
      flags |= TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION;
    else if (word == "oleautomation")
      flags |= TYPEFLAG_FOLEAUTOMATION;
    else if (word == "nonextensible")
      flags |= TYPEFLAG_FNONEXTENSIBLE;
    else
      return false;
    start = end + 1;
  }
  return true;
}

struct Parser {
  explicit Parser(Library& target) : library(target) {}

  Library& library;
  bool sawHeader = false;
  bool sawLibrary = false;
  TypeEntry* current = nullptr;
  std::vector<std::pair<std::size_t, std::u16string>> pendingImplements;

  bool Line(const std::vector<std::string>& t) {
    if (!sawHeader) return false;
    const std::string& word = t[0];
    if (word == "library") {
      if (sawLibrary || t.size() != 5 || !IsIdentifier(t[1]) ||
          !ParseGuidToken(t[2], library.guid) ||
          !ParseVersion(t[3], library.major, library.minor) || !Text(t[4], true))
        return false;
      library.name = *Text(t[1], false);
      library.help = *Text(t[4], true);
      sawLibrary = true;
      return true;
    }
    if (!sawLibrary) return false;
    if (word == "importlib") return t.size() == 2;
    if (word == "interface" || word == "coclass") return StartType(t);
    if (word == "default" || word == "implements") {
      if (!current || current->kind != TKIND_COCLASS || t.size() != 2 || !IsIdentifier(t[1]))
        return false;
      pendingImplements.emplace_back(library.types.size() - 1, *Text(t[1], false));
      current->implementedFlags.push_back(word == "default" ? IMPLTYPEFLAG_FDEFAULT : 0);
      return true;
    }
    return current && current->kind == TKIND_DISPATCH && ParseMember(t, *current);
  }

  bool StartType(const std::vector<std::string>& t) {
    if (library.types.size() >= kMaxTypes || t.size() < 2 || !IsIdentifier(t[1])) return false;
    TypeEntry type;
    type.name = *Text(t[1], false);
    for (const TypeEntry& other : library.types)
      if (SameName(other.name, type.name)) return false;
    if (t[0] == "interface") {
      if (t.size() != 6 || t[3] != "IDispatch" || !ParseInterfaceFlags(t[4], type.flags) ||
          !Text(t[5], true))
        return false;
      type.kind = TKIND_DISPATCH;
      type.help = *Text(t[5], true);
    } else {
      if (t.size() != 4 || !Text(t[3], true)) return false;
      type.kind = TKIND_COCLASS;
      type.flags = TYPEFLAG_FCANCREATE;
      type.help = *Text(t[3], true);
    }
    if (!ParseGuidToken(t[2], type.guid)) return false;
    library.types.push_back(std::move(type));
    current = &library.types.back();
    return true;
  }

  // Coclasses may name interfaces described after them.
  bool ResolveImplements() {
    for (const auto& [coclass, name] : pendingImplements) {
      std::size_t found = library.types.size();
      for (std::size_t i = 0; i < library.types.size(); ++i)
        if (library.types[i].kind == TKIND_DISPATCH && SameName(library.types[i].name, name))
          found = i;
      if (found == library.types.size()) return false;
      library.types[coclass].implemented.push_back(found);
    }
    return true;
  }
};

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = char16_t(x - u'a' + u'A');
    if (y >= u'a' && y <= u'z') y = char16_t(y - u'a' + u'A');
    if (x != y) return false;
  }
  return true;
}

bool ParseTypeLibrary(std::string_view text, Library& library) {
  if (text.size() > kMaxTextBytes) return false;
  Parser parser(library);
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    if (!Tokens(line, tokens)) return false;
    if (!parser.sawHeader) {
      if (line != kHeader) return false;
      parser.sawHeader = true;
      continue;
    }
    if (!parser.Line(tokens)) return false;
  }
  return parser.sawLibrary && parser.ResolveImplements();
}

bool ParseGuid(std::u16string_view text, GUID& guid) {
  if (text.size() != 38 || text[0] != u'{' || text[37] != u'}') return false;
  static const int kDashes[] = {9, 14, 19, 24};
  for (int dash : kDashes)
    if (text[dash] != u'-') return false;
  unsigned char bytes[16];
  int count = 0;
  for (std::size_t i = 1; i < 37; ++i) {
    if (text[i] == u'-') continue;
    int digits[2];
    for (int k = 0; k < 2; ++k, ++i) {
      const char16_t c = text[i];
      digits[k] = c >= u'0' && c <= u'9'   ? c - u'0'
                  : c >= u'A' && c <= u'F' ? c - u'A' + 10
                  : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                           : -1;
      if (digits[k] < 0 || (k == 1 && text[i] == u'-')) return false;
    }
    --i;
    if (count == 16) return false;
    bytes[count++] = static_cast<unsigned char>(digits[0] * 16 + digits[1]);
  }
  if (count != 16) return false;
  guid.Data1 =
      uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
  guid.Data2 = uint16_t(bytes[4] << 8 | bytes[5]);
  guid.Data3 = uint16_t(bytes[6] << 8 | bytes[7]);
  std::memcpy(guid.Data4, bytes + 8, 8);
  return true;
}

std::u16string GuidText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                unsigned(guid.Data1), unsigned(guid.Data2), unsigned(guid.Data3), guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  std::u16string out;
  for (const char* c = text; *c; ++c) out += char16_t(*c);
  return out;
}

}  // namespace glyphward_typelib
