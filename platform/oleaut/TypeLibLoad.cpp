// LoadTypeLib: a type library comes from a text file of its own or from the
// TYPELIB 1 resource of a module.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>

#include "TypeLibLoad.h"
#include "TypeLibObjects.h"

using namespace glyphward_typelib;

namespace {

constexpr std::string_view kTextHeader = "typelib-text 1";

std::string Utf8(LPCOLESTR text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(std::size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(std::size_t(n) - 1);
  return out;
}

// The file's first bytes, enough to tell a text library from a module.
bool ReadStart(const std::string& path, std::string& start) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  char buffer[4096];
  const ssize_t n = regular ? ::read(fd, buffer, sizeof buffer) : -1;
  ::close(fd);
  if (n < 0) return false;
  start.assign(buffer, std::size_t(n));
  return true;
}

bool ReadTextFile(const std::string& path, std::string& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  text.clear();
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    if (text.size() + std::size_t(n) > kMaxTextBytes) {
      ok = false;
      break;
    }
    text.append(buffer, std::size_t(n));
  }
  ::close(fd);
  return ok;
}

// Whether the text starts (after comment lines) with the text form's header.
bool LooksLikeText(std::string_view start) {
  while (!start.empty() && start[0] == '#') {
    const std::size_t end = start.find('\n');
    if (end == std::string_view::npos) return false;
    start.remove_prefix(end + 1);
  }
  return start.substr(0, kTextHeader.size()) == kTextHeader;
}

}  // namespace

extern "C" {

HRESULT WINAPI LoadTypeLib(LPCOLESTR szFile, ITypeLib** pptlib) {
  if (!szFile || !pptlib) return E_INVALIDARG;
  *pptlib = nullptr;
  try {
    const std::string path = Utf8(szFile);
    if (path.empty()) return TYPE_E_CANTLOADLIBRARY;
    std::string start;
    if (!ReadStart(path, start)) return TYPE_E_CANTLOADLIBRARY;
    std::string text;
    if (LooksLikeText(start)) {
      if (!ReadTextFile(path, text)) return TYPE_E_INVDATAREAD;
    } else if (!ReadModuleTypeLibrary(path, text)) {
      return TYPE_E_CANTLOADLIBRARY;
    }
    auto model = std::make_shared<Library>();
    if (!ParseTypeLibrary(text, *model)) return TYPE_E_INVDATAREAD;
    *pptlib = new TypeLibrary(std::move(model));
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // extern "C"
