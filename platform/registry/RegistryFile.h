// Where the registry file lives and how it is read and replaced.
#pragma once

#include <string>

#include "RegistryTree.h"
#include "windef.h"

namespace glyphward_registry {

// $GLYPHWARD_REGISTRY when set and not empty; else
// $XDG_DATA_HOME/glyphward/registry when XDG_DATA_HOME is an absolute path;
// else ~/.local/share/glyphward/registry.
struct Location {
  std::string file;
  // Only the default location's folders are made on first write; an
  // explicitly named file's folder must exist.
  bool makeFolders = false;
};
LONG FindLocation(Location& location);

// Reads the tree; a missing file is an empty registry. ERROR_BADDB for a file
// that is not a registry (or is too large to be one), ERROR_CANTREAD when it
// cannot be read.
LONG LoadRegistry(const Location& location, Key& root);

// Holds the writers' lock (an flock on "<file>.lock" beside the file) for
// its lifetime; readers need none because the file is only ever replaced
// whole.
class WriterLock {
 public:
  WriterLock() = default;
  ~WriterLock();
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;

  LONG Acquire(const Location& location);

 private:
  int descriptor_ = -1;
};

// Replaces the file with the tree: written to a temporary file in the same
// folder, flushed to disk and renamed over the old one.
LONG SaveRegistry(const Location& location, const Key& root);

}  // namespace glyphward_registry
