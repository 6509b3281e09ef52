#include "RegistryHandles.h"

#include <mutex>
#include <unordered_map>

#include "winreg.h"

namespace glyphward_registry {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<ULONG_PTR, KeyPath> open;
  // Steps of 16 from 16 stay far below the predefined roots' values.
  ULONG_PTR next = 16;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

HKEY OpenHandle(KeyPath path) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  const ULONG_PTR value = table.next;
  table.next += 16;
  table.open.emplace(value, std::move(path));
  return reinterpret_cast<HKEY>(value);
}

LONG PathOfHandle(HKEY handle, KeyPath& path) {
  if (handle == HKEY_CLASSES_ROOT) {
    path.clear();
    return ERROR_SUCCESS;
  }
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.open.find(reinterpret_cast<ULONG_PTR>(handle));
  if (it == table.open.end()) return ERROR_INVALID_HANDLE;
  path = it->second;
  return ERROR_SUCCESS;
}

LONG CloseHandle(HKEY handle) {
  if (handle == HKEY_CLASSES_ROOT) return ERROR_SUCCESS;
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  return table.open.erase(reinterpret_cast<ULONG_PTR>(handle)) ? ERROR_SUCCESS
                                                               : ERROR_INVALID_HANDLE;
}

}  // namespace glyphward_registry
