// The registry tree in memory: keys with case-insensitive, case-preserving
// names, subkeys kept in name order (the order enumeration reports) and
// string values in the order they were first set.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace glyphward_registry {

// Bounds on what a caller or a file may ask for; the first three are the
// Windows limits.
constexpr std::size_t kMaxKeyNameChars = 255;
constexpr std::size_t kMaxValueNameChars = 16383;
constexpr std::size_t kMaxDepth = 512;
constexpr std::size_t kMaxValueDataChars = 512 * 1024;
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

struct Value {
  std::u16string name;  // empty for the key's default value
  std::u16string data;
};

struct Key {
  std::u16string name;
  std::vector<Value> values;
  std::vector<std::unique_ptr<Key>> subkeys;

  Key* Find(std::u16string_view child) const;
  // Inserts a new, empty subkey in name order; the name must be absent.
  Key& Add(std::u16string child);
  bool Remove(std::u16string_view child);

  const Value* FindValue(std::u16string_view valueName) const;
  void SetValue(std::u16string_view valueName, std::u16string data);
  bool RemoveValue(std::u16string_view valueName);
};

using KeyPath = std::vector<std::u16string>;

// Compares names ignoring the case of ASCII letters, as key and value lookups do.
int CompareNames(std::u16string_view a, std::u16string_view b);
bool SameName(std::u16string_view a, std::u16string_view b);

// Whether `name` may name a key: 1 to 255 characters, no backslash and no
// control character.
bool IsValidKeyName(std::u16string_view name);

// Splits "A\B\C" into its names; an empty text is the key itself. False for
// an empty or invalid name or a path deeper than kMaxDepth.
bool SplitPath(std::u16string_view path, KeyPath& parts);

// The key at `path` below `root`, or null.
Key* Walk(Key& root, const KeyPath& path);

}  // namespace glyphward_registry
