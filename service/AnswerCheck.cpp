#include "AnswerCheck.h"

#include <openssl/crypto.h>

#include <array>

namespace glyphward_service {

namespace {

// No real code comes near this; it bounds the work a visitor can ask for.
constexpr std::size_t kMaxAnswer = 256;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Zero-padded to the full buffer so that comparing always covers kMaxAnswer
// bytes; upper-cased without a branch on the character.
std::array<unsigned char, kMaxAnswer> Folded(std::string_view s) {
  std::array<unsigned char, kMaxAnswer> out{};
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const unsigned lower = static_cast<unsigned char>(c - 'a') <= 'z' - 'a';
    out[i] = static_cast<unsigned char>(c ^ (lower << 5));
  }
  return out;
}

}  // namespace

bool AnswerMatches(std::string_view answer, std::string_view code) {
  if (answer.size() > kMaxAnswer || code.size() > kMaxAnswer) return false;
  answer = Trimmed(answer);
  const auto a = Folded(answer);
  const auto b = Folded(code);
  const bool same = CRYPTO_memcmp(a.data(), b.data(), kMaxAnswer) == 0;
  return same & (answer.size() == code.size());
}

}  // namespace glyphward_service
