#include "ResourceNames.h"

#include <optional>

namespace Glyphward {
namespace {

char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The number a name stands for, if it stands for one.
std::optional<WORD> NumberOf(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  if (name[0] != '#' || name[1] == '\0') return std::nullopt;
  unsigned long value = 0;
  for (LPCSTR p = name + 1; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned long>(*p - '0');
    if (value > 0xFFFF) return std::nullopt;
  }
  return static_cast<WORD>(value);
}

bool EqualIgnoringAsciiCase(LPCSTR a, LPCSTR b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (ToUpperAscii(*a) != ToUpperAscii(*b)) return false;
  }
  return *a == *b;
}

}  // namespace

bool ResourceNameMatches(LPCSTR wanted, LPCSTR stored) {
  std::optional<WORD> wantedNumber = NumberOf(wanted);
  if (IS_INTRESOURCE(stored)) {
    WORD storedNumber = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(stored));
    return storedNumber != 0 && wantedNumber == storedNumber;
  }
  return !wantedNumber && EqualIgnoringAsciiCase(wanted, stored);
}

}  // namespace Glyphward
