#include "RegistryFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>
#include <vector>

#include "RegistryText.h"
#include "winreg.h"

namespace glyphward_registry {
namespace {

// Owns one file descriptor.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::string FolderOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : file.substr(0, slash);
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir)
    return found->pw_dir;
  return std::string();
}

// mkdir -p for the default location's folders, private to the user.
bool MakeFolders(const std::string& folder) {
  for (std::size_t slash = 1; slash != std::string::npos;) {
    slash = folder.find('/', slash + 1);
    const std::string prefix = folder.substr(0, slash);
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += std::size_t(n);
  }
  return true;
}

}  // namespace

LONG FindLocation(Location& location) {
  if (const char* file = std::getenv("GLYPHWARD_REGISTRY"); file && *file) {
    location.file = file;
    location.makeFolders = false;
    return ERROR_SUCCESS;
  }
  std::string data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
    data = xdg;
  } else {
    const std::string home = HomeFolder();
    if (home.empty()) return ERROR_PATH_NOT_FOUND;
    data = home + "/.local/share";
  }
  location.file = data + "/glyphward/registry";
  location.makeFolders = true;
  return ERROR_SUCCESS;
}

LONG LoadRegistry(const Location& location, Key& root) {
  Descriptor fd(::open(location.file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return ERROR_SUCCESS;
    return errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_CANTREAD;
  }
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) return ERROR_CANTREAD;
  if (!S_ISREG(status.st_mode)) return ERROR_BADDB;
  std::string text;
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ERROR_CANTREAD;
    if (n == 0) break;
    if (text.size() + std::size_t(n) > kMaxFileBytes) return ERROR_BADDB;
    text.append(chunk, std::size_t(n));
  }
  return ParseRegistry(text, root) ? ERROR_SUCCESS : ERROR_BADDB;
}

WriterLock::~WriterLock() {
  if (descriptor_ >= 0) ::close(descriptor_);  // closing drops the flock
}

LONG WriterLock::Acquire(const Location& location) {
  if (location.makeFolders && !MakeFolders(FolderOf(location.file))) return ERROR_PATH_NOT_FOUND;
  const std::string lockFile = location.file + ".lock";
  Descriptor fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (fd.get() < 0) return errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
  // Another writer holds the lock only for one read-modify-write; a holder
  // that never lets go gets a clear failure here instead of a hung caller.
  for (int attempt = 0;; ++attempt) {
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) break;
    if (errno != EWOULDBLOCK && errno != EINTR) return ERROR_CANTOPEN;
    if (attempt == 1000) return ERROR_SHARING_VIOLATION;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  descriptor_ = fd.release();
  return ERROR_SUCCESS;
}

LONG SaveRegistry(const Location& location, const Key& root) {
  const std::string text = FormatRegistry(root);
  if (text.size() > kMaxFileBytes) return ERROR_OUTOFMEMORY;
  std::string temporary = location.file + ".XXXXXX";
  Descriptor fd(::mkstemp(temporary.data()));
  if (fd.get() < 0) return errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_CANTWRITE;
  bool written =
      ::fchmod(fd.get(), 0644) == 0 && WriteAll(fd.get(), text) && ::fsync(fd.get()) == 0;
  written = ::close(fd.release()) == 0 && written;
  if (!written || ::rename(temporary.c_str(), location.file.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return ERROR_CANTWRITE;
  }
  // Make the rename itself durable.
  Descriptor folder(::open(FolderOf(location.file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return ERROR_SUCCESS;
}

}  // namespace glyphward_registry
