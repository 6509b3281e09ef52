#include "ResourceRegistry.h"

#include <algorithm>
#include <functional>

#include "ResourceNames.h"

namespace Glyphward {

ResourceRegistry& ResourceRegistry::Instance() {
  // Built on first use, so before the registrations made during static
  // initialisation, and therefore destroyed after they are withdrawn.
  static ResourceRegistry registry;
  return registry;
}

void ResourceRegistry::Add(HMODULE module, const GLYPHWARD_RESOURCE* table, size_t count) {
  std::lock_guard lock(mutex_);
  tables_.push_back(Table{module, table, count});
}

void ResourceRegistry::Remove(const GLYPHWARD_RESOURCE* table) {
  std::lock_guard lock(mutex_);
  std::erase_if(tables_, [table](const Table& t) { return t.entries == table; });
}

const GLYPHWARD_RESOURCE* ResourceRegistry::Find(HMODULE module, LPCSTR name, LPCSTR type) const {
  std::lock_guard lock(mutex_);
  for (const Table& table : tables_) {
    if (table.module != module) continue;
    for (size_t i = 0; i < table.count; ++i) {
      const GLYPHWARD_RESOURCE& entry = table.entries[i];
      if (ResourceNameMatches(type, entry.lpType) && ResourceNameMatches(name, entry.lpName)) {
        return &entry;
      }
    }
  }
  return nullptr;
}

bool ResourceRegistry::Owns(HMODULE module, const GLYPHWARD_RESOURCE* entry) const {
  std::lock_guard lock(mutex_);
  // std::less gives a total order even for pointers into different arrays.
  std::less<const GLYPHWARD_RESOURCE*> before;
  return std::any_of(tables_.begin(), tables_.end(), [&](const Table& table) {
    return table.module == module && !before(entry, table.entries) &&
           before(entry, table.entries + table.count);
  });
}

}  // namespace Glyphward
