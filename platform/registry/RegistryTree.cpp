#include "RegistryTree.h"

#include <algorithm>

namespace glyphward_registry {
namespace {

char16_t Fold(char16_t c) {
  return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

}  // namespace

int CompareNames(std::u16string_view a, std::u16string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t x = Fold(a[i]);
    const char16_t y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return CompareNames(a, b) == 0;
}

bool IsValidKeyName(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxKeyNameChars) return false;
  for (char16_t c : name)
    if (c == u'\\' || c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) return false;
  return true;
}

bool SplitPath(std::u16string_view path, KeyPath& parts) {
  parts.clear();
  if (path.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find(u'\\', start);
    const std::u16string_view name = path.substr(
        start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
    if (!IsValidKeyName(name) || parts.size() >= kMaxDepth) return false;
    parts.emplace_back(name);
    if (end == std::u16string_view::npos) return true;
    start = end + 1;
  }
}

Key* Key::Find(std::u16string_view child) const {
  auto it = std::lower_bound(subkeys.begin(), subkeys.end(), child,
                             [](const std::unique_ptr<Key>& key, std::u16string_view name) {
                               return CompareNames(key->name, name) < 0;
                             });
  return it != subkeys.end() && SameName((*it)->name, child) ? it->get() : nullptr;
}

Key& Key::Add(std::u16string child) {
  auto it = std::lower_bound(subkeys.begin(), subkeys.end(), child,
                             [](const std::unique_ptr<Key>& key, const std::u16string& name) {
                               return CompareNames(key->name, name) < 0;
                             });
  auto key = std::make_unique<Key>();
  key->name = std::move(child);
  return **subkeys.insert(it, std::move(key));
}

bool Key::Remove(std::u16string_view child) {
  for (auto it = subkeys.begin(); it != subkeys.end(); ++it) {
    if (SameName((*it)->name, child)) {
      subkeys.erase(it);
      return true;
    }
  }
  return false;
}

const Value* Key::FindValue(std::u16string_view valueName) const {
  for (const Value& value : values)
    if (SameName(value.name, valueName)) return &value;
  return nullptr;
}

void Key::SetValue(std::u16string_view valueName, std::u16string data) {
  for (Value& value : values) {
    if (SameName(value.name, valueName)) {
      value.data = std::move(data);
      return;
    }
  }
  values.push_back(Value{std::u16string(valueName), std::move(data)});
}

bool Key::RemoveValue(std::u16string_view valueName) {
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (SameName(it->name, valueName)) {
      values.erase(it);
      return true;
    }
  }
  return false;
}

Key* Walk(Key& root, const KeyPath& path) {
  Key* key = &root;
  for (const std::u16string& name : path) {
    key = key->Find(name);
    if (!key) return nullptr;
  }
  return key;
}

}  // namespace glyphward_registry
