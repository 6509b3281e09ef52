#include "RegistrarScript.h"

namespace MirelGlyphward {
namespace {

constexpr std::size_t kMaxScriptBytes = 64 * 1024;
constexpr int kMaxDepth = 32;

struct Token {
  enum Kind { kWord, kQuoted, kOpen, kClose, kEquals, kEnd } kind = kEnd;
  std::string text;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = char(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = char(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

class Parser {
 public:
  Parser(std::string_view script, const Replacements& replacements)
      : script_(script), replacements_(replacements) {}

  std::optional<std::vector<ScriptKey>> Parse() {
    std::vector<ScriptKey> keys;
    if (!Next()) return std::nullopt;
    while (token_.kind != Token::kEnd) {
      if (token_.kind != Token::kWord || !(EqualsIgnoringCase(token_.text, "HKCR") ||
                                           EqualsIgnoringCase(token_.text, "HKEY_CLASSES_ROOT")))
        return std::nullopt;
      if (!Next() || token_.kind != Token::kOpen || !Next()) return std::nullopt;
      if (!Block(keys, nullptr, 0)) return std::nullopt;
    }
    return keys;
  }

 private:
  // Reads the next token into token_; false on a malformed one.
  bool Next() {
    while (at_ < script_.size() && (script_[at_] == ' ' || script_[at_] == '\t' ||
                                    script_[at_] == '\r' || script_[at_] == '\n'))
      ++at_;
    token_.text.clear();
    if (at_ >= script_.size()) {
      token_.kind = Token::kEnd;
      return true;
    }
    const char c = script_[at_];
    if (static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) < 0x20) return false;
    // "{" directly followed by text starts a name in braces, such as a GUID.
    if (c == '{' && at_ + 1 < script_.size() && script_[at_ + 1] != ' ' &&
        script_[at_ + 1] != '\t' && script_[at_ + 1] != '\r' && script_[at_ + 1] != '\n' &&
        script_[at_ + 1] != '}') {
      token_.kind = Token::kWord;
      while (at_ < script_.size() && script_[at_] != '}') {
        const auto d = static_cast<unsigned char>(script_[at_]);
        if (d >= 0x80 || d <= 0x20 || d == '\'') return false;
        token_.text += script_[at_++];
      }
      if (at_ >= script_.size()) return false;
      token_.text += script_[at_++];
      return true;
    }
    if (c == '{' || c == '}' || c == '=') {
      token_.kind = c == '{' ? Token::kOpen : c == '}' ? Token::kClose : Token::kEquals;
      ++at_;
      return true;
    }
    if (c == '\'') {
      token_.kind = Token::kQuoted;
      for (++at_;; ++at_) {
        if (at_ >= script_.size()) return false;
        if (script_[at_] == '\'') {
          if (at_ + 1 < script_.size() && script_[at_ + 1] == '\'') {
            token_.text += '\'';
            ++at_;
            continue;
          }
          ++at_;
          return true;
        }
        token_.text += script_[at_];
      }
    }
    token_.kind = Token::kWord;
    while (at_ < script_.size()) {
      const char d = script_[at_];
      if (d == ' ' || d == '\t' || d == '\r' || d == '\n' || d == '{' || d == '}' || d == '=' ||
          d == '\'')
        break;
      if (static_cast<unsigned char>(d) >= 0x80 || static_cast<unsigned char>(d) < 0x20)
        return false;
      token_.text += d;
      ++at_;
    }
    return true;
  }

  // The text with its %NAME% placeholders filled in.
  std::optional<std::u16string> Expand(const std::string& text) const {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '%') {
        out += char16_t(static_cast<unsigned char>(text[i]));
        continue;
      }
      const std::size_t end = text.find('%', i + 1);
      if (end == std::string::npos) return std::nullopt;
      if (end == i + 1) {
        out += u'%';
      } else {
        auto it = replacements_.find(text.substr(i + 1, end - i - 1));
        if (it == replacements_.end()) return std::nullopt;
        out += it->second;
      }
      i = end;
    }
    return out;
  }

  // "= s 'text'", starting at the '='.
  std::optional<std::u16string> StringValue() {
    if (token_.kind != Token::kEquals || !Next() || token_.kind != Token::kWord ||
        !EqualsIgnoringCase(token_.text, "s") || !Next() || token_.kind != Token::kQuoted)
      return std::nullopt;
    std::optional<std::u16string> value = Expand(token_.text);
    if (!value || !Next()) return std::nullopt;
    return value;
  }

  // Keys and values up to the closing brace, which it consumes.
  bool Block(std::vector<ScriptKey>& keys, ScriptKey* owner, int depth) {
    if (depth > kMaxDepth) return false;
    while (token_.kind != Token::kClose) {
      if (token_.kind == Token::kWord && EqualsIgnoringCase(token_.text, "val")) {
        if (!owner || !Next() || (token_.kind != Token::kWord && token_.kind != Token::kQuoted))
          return false;
        std::optional<std::u16string> name = Expand(token_.text);
        if (!name || !Next()) return false;
        std::optional<std::u16string> value = StringValue();
        if (!value) return false;
        owner->values.emplace_back(std::move(*name), std::move(*value));
        continue;
      }
      ScriptKey key;
      if (!Key(key, depth)) return false;
      keys.push_back(std::move(key));
    }
    return Next();
  }

  bool Key(ScriptKey& key, int depth) {
    if (token_.kind == Token::kWord) {
      static const struct {
        const char* word;
        ScriptKey::Flag flag;
      } kFlags[] = {{"NoRemove", ScriptKey::Flag::kNoRemove},
                    {"ForceRemove", ScriptKey::Flag::kForceRemove},
                    {"Delete", ScriptKey::Flag::kDelete}};
      for (const auto& f : kFlags) {
        if (EqualsIgnoringCase(token_.text, f.word)) {
          key.flag = f.flag;
          if (!Next()) return false;
          break;
        }
      }
    }
    if (token_.kind != Token::kWord && token_.kind != Token::kQuoted) return false;
    std::optional<std::u16string> name = Expand(token_.text);
    if (!name || name->empty() || !Next()) return false;
    key.name = std::move(*name);
    if (token_.kind == Token::kEquals) {
      key.defaultValue = StringValue();
      if (!key.defaultValue) return false;
    }
    if (token_.kind == Token::kOpen) {
      if (!Next()) return false;
      return Block(key.subkeys, &key, depth + 1);
    }
    return true;
  }

  std::string_view script_;
  const Replacements& replacements_;
  std::size_t at_ = 0;
  Token token_;
};

}  // namespace

std::optional<std::vector<ScriptKey>> ParseRegistrarScript(std::string_view script,
                                                           const Replacements& replacements) {
  if (script.size() > kMaxScriptBytes) return std::nullopt;
  return Parser(script, replacements).Parse();
}

}  // namespace MirelGlyphward
