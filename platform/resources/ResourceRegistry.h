// The tables of all registered modules, looked up by module handle.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "glyphward_resources.h"

namespace Glyphward {

class ResourceRegistry {
 public:
  static ResourceRegistry& Instance();

  // Throws std::bad_alloc when the table list cannot grow.
  void Add(HMODULE module, const GLYPHWARD_RESOURCE* table, size_t count);
  void Remove(const GLYPHWARD_RESOURCE* table);

  // The first entry of the module that matches both, or nullptr.
  const GLYPHWARD_RESOURCE* Find(HMODULE module, LPCSTR name, LPCSTR type) const;

  // Whether entry is one of the module's own entries (not just any pointer).
  bool Owns(HMODULE module, const GLYPHWARD_RESOURCE* entry) const;

 private:
  struct Table {
    HMODULE module;
    const GLYPHWARD_RESOURCE* entries;
    size_t count;
  };

  mutable std::mutex mutex_;
  std::vector<Table> tables_;
};

}  // namespace Glyphward
