#include "ServiceKey.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <string>
#include <system_error>
#include <utility>

#include "SystemRandom.h"

namespace glyphward_service {

namespace {

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&&) = delete;
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports the outcome, which matters after a write.
  int Close() { return ::close(std::exchange(fd_, -1)); }

 private:
  int fd_;
};

std::string Reason(int err) {
  return std::generic_category().message(err);
}

KeyFileError Fault(const std::string& path, const std::string& what) {
  return KeyFileError("key file " + path + ": " + what);
}

// True when a new key was written; false when a file already exists.
bool TryCreate(const std::string& path, SealingKey& key) {
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd.valid()) {
    const int err = errno;
    if (err == EEXIST) return false;
    if (err == ENOENT) throw Fault(path, "cannot create it: its folder does not exist");
    throw Fault(path, "cannot create it: " + Reason(err));
  }
  FillRandom(key.data(), key.size());
  std::size_t done = 0;
  int err = 0;
  while (done < key.size() && err == 0) {
    const ssize_t n = ::write(fd.get(), key.data() + done, key.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      err = errno;
    } else if (n == 0) {
      err = EIO;
    }
  }
  if (err == 0 && ::fsync(fd.get()) != 0) err = errno;
  if (fd.Close() != 0 && err == 0) err = errno;
  if (err != 0) {
    // A partial key would be refused on every later start; leave no file.
    ::unlink(path.c_str());
    throw Fault(path, "cannot write it: " + Reason(err));
  }
  return true;
}

SealingKey ReadKey(const std::string& path) {
  // O_NONBLOCK keeps a FIFO planted at the path from stalling the open; it is
  // refused below as not a regular file.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) {
    const int err = errno;
    if (err == ELOOP) throw Fault(path, "is a symbolic link; name the key file itself");
    throw Fault(path, "cannot read it: " + Reason(err));
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw Fault(path, "cannot read it: " + Reason(errno));
  if (!S_ISREG(st.st_mode)) throw Fault(path, "is not a regular file");
  if ((st.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    throw Fault(path, std::string("is readable or writable by group or others (mode ") + mode +
                          "); chmod 600 it");
  }
  SealingKey key{};
  if (st.st_size != static_cast<off_t>(key.size()))
    throw Fault(path, "holds " + std::to_string(st.st_size) + " bytes; a key is exactly " +
                          std::to_string(key.size()));
  // One byte of room beyond the key, so a file that grew after fstat is caught.
  unsigned char buffer[sizeof(SealingKey) + 1];
  std::size_t done = 0;
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer + done, sizeof buffer - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Fault(path, "cannot read it: " + Reason(errno));
    }
    if (n == 0 || (done += static_cast<std::size_t>(n)) == sizeof buffer) break;
  }
  if (done != key.size())
    throw Fault(path, "changed size while being read; a key is exactly " +
                          std::to_string(key.size()) + " bytes");
  std::copy(buffer, buffer + key.size(), key.begin());
  return key;
}

}  // namespace

SealingKey LoadOrCreateKey(const std::string& path) {
  if (path.empty()) throw KeyFileError("key file path is empty");
  SealingKey key{};
  if (TryCreate(path, key)) return key;
  return ReadKey(path);
}

}  // namespace glyphward_service
