#include "support/JD_File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "support/JD_Error.h"

namespace {

constexpr int LockAttempts = 50;
constexpr useconds_t LockRetryMicroseconds = 10000;  // 50 attempts: half a second in all

bool LockExclusively(int handle) {
  for (int attempt = 1;; ++attempt) {
    if (flock(handle, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK || attempt == LockAttempts) return false;
    usleep(LockRetryMicroseconds);
  }
}

[[noreturn]] void RaiseFileError(const std::string& text, const std::string& fileName) {
  TExceptionJD error(text);
  error.FileName = fileName;
  throw error;
}
}  // namespace

TFileJD::~TFileJD() {
  if (handle_ >= 0) close(handle_);
  handle_ = -1;
  openCount_ = 0;
  name_.clear();
}

void TFileJD::SetName(const std::string& name) {
  if (handle_ >= 0) close(handle_);
  handle_ = -1;
  openCount_ = 0;
  name_ = name;
}

void TFileJD::Open() {
  if (openCount_ <= 0) {
    // Read-only: the object never writes, and an installed read-only catalogue must load.
    // O_NONBLOCK keeps a FIFO from hanging the open; only regular files are accepted below.
    int handle = open(name_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    bool usable = handle >= 0;
    struct stat status {};
    if (usable) usable = fstat(handle, &status) == 0 && S_ISREG(status.st_mode);
    // No share modes here: an advisory lock keeps a second opener (another process or another
    // TFileJD of this one) out while we hold the file. Holders read a whole file and let go, so a
    // lock that is busy for a moment (two programs starting at once, both reading the catalogue)
    // is waited for briefly; a file held longer is refused.
    if (usable) usable = LockExclusively(handle);
    if (usable) usable = fcntl(handle, F_SETFL, fcntl(handle, F_GETFL) & ~O_NONBLOCK) == 0;
    if (!usable) {
      if (handle >= 0) close(handle);
      RaiseFileError("TFileJD.Open. FileName=" + name_, name_);
    }
    handle_ = handle;
    openCount_ = 0;
  }
  ++openCount_;
}

void TFileJD::Close() {
  --openCount_;
  if (openCount_ <= 0) {
    if (handle_ >= 0) close(handle_);
    handle_ = -1;
    openCount_ = 0;
  }
}

int32_t TFileJD::GetSize() {
  Open();
  struct stat status {};
  bool known = fstat(handle_, &status) == 0;
  Close();
  // Sizes are 32-bit signed throughout the library, so 2 GiB and more cannot be handled.
  if (!known || status.st_size < 0 || status.st_size > INT32_MAX)
    RaiseFileError("TFileJD.GetSize. FileName=" + name_, name_);
  return static_cast<int32_t>(status.st_size);
}

int32_t TFileJD::SetPointer(int32_t distance, int32_t method) {
  int whence = method == 0 ? SEEK_SET : method == 1 ? SEEK_CUR : method == 2 ? SEEK_END : -1;
  off_t position = -1;
  if (handle_ >= 0 && whence >= 0) position = lseek(handle_, distance, whence);
  if (position < 0 || position > INT32_MAX) RaiseFileError("TFileJD.SetPointer. FileName=" + name_, name_);
  return static_cast<int32_t>(position);
}

int32_t TFileJD::GetPointer() { return SetPointer(0, 1); }

void TFileJD::Read(void* destination, int32_t n) {
  errno = 0;
  int32_t delivered = 0;
  bool failed = n < 0 || handle_ < 0;
  auto* bytes = static_cast<char*>(destination);
  while (!failed && delivered < n) {
    ssize_t got = read(handle_, bytes + delivered, static_cast<std::size_t>(n - delivered));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    delivered += static_cast<int32_t>(got);
  }
  if (failed && handle_ < 0) errno = EBADF;
  if (failed || delivered != n) {
    RaiseFileError(
        "TFileJD.Read. FileName=" + name_ + " kolbyte=" + std::to_string(n) + " GetLastError=" + std::to_string(errno),
        name_);
  }
}
