#include "support/BlockFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <functional>
#include <utility>

namespace {

// Files larger than this are refused before anything is read: every count and offset of the
// formats read here is a 32-bit signed number, so nothing bigger can be a valid file.
constexpr int64_t MaxReadableFileSize = int64_t{1} << 31;

// Longest file name the usual file systems accept; the temporary's name must stay below it.
constexpr std::size_t MaxNameLength = 255;

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsExistingFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

[[noreturn]] void RaiseForErrno(int errnoValue, const std::string& fileName) {
  throw EInOutError(InOutErrorNumberForErrno(errnoValue, fileName));
}

// Follows a chain of symbolic links to the file it finally names, even when that file does not
// exist yet (a dangling link is saved through, as writing through the link would do).
std::string ResolveLinkTarget(const std::string& fileName) {
  std::string current = fileName;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string link(PATH_MAX, '\0');
    const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
    if (length < 0) RaiseForErrno(errno, fileName);
    link.resize(static_cast<std::size_t>(length));
    if (!link.empty() && link[0] == '/') {
      current = link;
    } else {
      current = FolderOf(current) + "/" + link;
    }
  }
  throw EInOutError(InOutErrorNumberForErrno(ELOOP, fileName));
}

// A fixed name beside the target, so a temporary left behind by a killed save is found and
// replaced by the next one instead of piling up.
std::string TemporaryNameFor(const std::string& target) {
  const std::string folder = FolderOf(target);
  std::string name = NameOf(target);
  if (name.size() + 9 > MaxNameLength) {
    const std::size_t hash = std::hash<std::string>{}(name);
    name = name.substr(0, 200) + "." + std::to_string(hash);
  }
  return (folder == "/" ? std::string("/") : folder + "/") + "." + name + ".saving~";
}

// Reads a whole file in chunks: `expect(size)` once with the size the file claims, then
// `take(chunk, count)` until its end. Folders and devices are refused, and so are files above
// MaxReadableFileSize.
template <typename Expect, typename Take>
void ReadFileInChunks(const std::string& fileName, Expect&& expect, Take&& take) {
  if (fileName.empty()) throw EInOutError(IoInvalidFilename);
  const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) RaiseForErrno(errno, fileName);
  // The descriptor is closed on every way out, including the exceptions below.
  struct Closer {
    int descriptor;
    ~Closer() { ::close(descriptor); }
  } closer{descriptor};

  struct stat info {};
  if (::fstat(descriptor, &info) != 0) RaiseForErrno(errno, fileName);
  // Folders and devices are no files to read; a device such as /dev/zero would never end.
  if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) throw EInOutError(IoAccessDenied);
  if (info.st_size > MaxReadableFileSize) RaiseForErrno(EFBIG, fileName);
  if (S_ISREG(info.st_mode)) expect(static_cast<std::size_t>(info.st_size));

  // Read to the end rather than trusting the size: the file may change, or not be a plain file.
  uint8_t chunk[65536];
  int64_t total = 0;
  for (;;) {
    const ssize_t result = ::read(descriptor, chunk, sizeof chunk);
    if (result < 0) {
      if (errno == EINTR) continue;
      RaiseForErrno(errno, fileName);
    }
    if (result == 0) break;
    total += result;
    if (total > MaxReadableFileSize) RaiseForErrno(EFBIG, fileName);
    take(chunk, static_cast<std::size_t>(result));
  }
}

// Flushes the folder so the rename itself survives a crash. The new file is already in place
// when this runs, so a failure here is not reported as a failed save.
void FlushFolder(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

void WriteAll(int descriptor, const std::vector<uint8_t>& bytes, const std::string& fileName) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
    if (result < 0) {
      if (errno == EINTR) continue;
      RaiseForErrno(errno, fileName);
    }
    if (result == 0) RaiseForErrno(ENOSPC, fileName);
    written += static_cast<std::size_t>(result);
  }
}

// ---------------------------------------------------------------------------------------------
// EInOutError

std::string EInOutError::MessageFor(int errorCode) {
  switch (errorCode) {
    case IoFileNotFound:
      return "File not found";
    case IoInvalidFilename:
      return "Invalid filename";
    case IoTooManyOpenFiles:
      return "Too many open files";
    case IoAccessDenied:
      return "File access denied";
    case IoReadBeyondEnd:
      return "Read beyond end of file";
    case IoDiskFull:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(errorCode);
  }
}

EInOutError::EInOutError(int errorCode, std::string fileName, int64_t offset)
    : std::runtime_error(MessageFor(errorCode)), ErrorCode(errorCode) {
  FileName = std::move(fileName);
  Offset = offset;
}

int InOutErrorNumberForErrno(int errnoValue, const std::string& fileName) {
  switch (errnoValue) {
    case ENOENT:
      if (fileName.empty() || !IsExistingFolder(FolderOf(fileName))) return IoInvalidFilename;
      return IoFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return IoInvalidFilename;
    case EMFILE:
    case ENFILE:
      return IoTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return IoAccessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return IoDiskFull;
    default:
      return errnoValue;
  }
}

// ---------------------------------------------------------------------------------------------
// TBlockFileReader

TBlockFileReader::TBlockFileReader(const std::string& fileName) : fileName_(fileName) {
  WithFileContext(fileName, [&] { ReadWholeFile(fileName); });
}

void TBlockFileReader::ReadWholeFile(const std::string& fileName) {
  ReadFileInChunks(
      fileName, [this](std::size_t expected) { bytes_.reserve(expected); },
      [this](const uint8_t* chunk, std::size_t count) { bytes_.insert(bytes_.end(), chunk, chunk + count); });
}

std::u16string ReadUnitsFile(const std::string& fileName, int64_t& byteCount) {
  std::u16string units;
  byteCount = 0;
  int carried = -1;  // a low byte whose high byte is in the next chunk
  WithFileContext(fileName, [&] {
    ReadFileInChunks(
        fileName, [&units](std::size_t expected) { units.reserve(expected / 2); },
        [&](const uint8_t* chunk, std::size_t count) {
          byteCount += static_cast<int64_t>(count);
          std::size_t i = 0;
          if (carried >= 0 && count > 0) {
            units += static_cast<char16_t>(carried | chunk[0] << 8);
            carried = -1;
            i = 1;
          }
          for (; i + 1 < count; i += 2) units += static_cast<char16_t>(chunk[i] | chunk[i + 1] << 8);
          if (i < count) carried = chunk[i];
        });
  });
  return units;
}

TBlockFileReader::TBlockFileReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

void TBlockFileReader::RaiseReadBeyondEnd() const { throw EInOutError(IoReadBeyondEnd, fileName_, Position()); }

void TBlockFileReader::Require(int64_t count) const {
  if (count < 0 || count > BytesLeft()) RaiseReadBeyondEnd();
}

void TBlockFileReader::ReadBytes(void* destination, std::size_t count) {
  if (count > static_cast<uint64_t>(BytesLeft())) RaiseReadBeyondEnd();
  if (count == 0) return;
  std::memcpy(destination, bytes_.data() + position_, count);
  position_ += count;
}

uint8_t TBlockFileReader::ReadByte() {
  Require(1);
  return bytes_[position_++];
}

int32_t TBlockFileReader::ReadInt() {
  Require(4);
  const uint8_t* p = bytes_.data() + position_;
  const uint32_t value = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
  position_ += 4;
  return static_cast<int32_t>(value);
}

double TBlockFileReader::ReadReal() {
  Require(8);
  const uint8_t* p = bytes_.data() + position_;
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
  position_ += 8;
  return std::bit_cast<double>(bits);
}

std::u16string TBlockFileReader::ReadUnits(int32_t count) {
  if (count <= 0) return {};
  Require(int64_t{count} * 2);
  std::u16string units(static_cast<std::size_t>(count), u'\0');
  const uint8_t* p = bytes_.data() + position_;
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
  }
  position_ += units.size() * 2;
  return units;
}

// ---------------------------------------------------------------------------------------------
// TBlockFileWriter

TBlockFileWriter::TBlockFileWriter(std::string fileName, TPieces pieces)
    : fileName_(std::move(fileName)), pieces_(pieces) {}

TBlockFileWriter::~TBlockFileWriter() { DropTemporary(); }

void TBlockFileWriter::NewPiece(std::size_t count) {
  if (!bytes_.empty()) {
    if (pieces_ == TPieces::Streamed) {
      // The full piece goes to the file now; its buffer is used again when it is large enough.
      WithFileContext(fileName_, [this] { SendPieces(false); });
    } else {
      fullPieces_.push_back(std::move(bytes_));
      bytes_ = std::vector<uint8_t>();
    }
  }
  if (bytes_.capacity() < count) {
    bytes_ = std::vector<uint8_t>();
    bytes_.reserve(count);
  }
}

uint8_t* TBlockFileWriter::Extend(std::size_t count) {
  if (bytes_.capacity() - bytes_.size() < count) NewPiece(std::max(count, PieceSize));
  const std::size_t start = bytes_.size();
  bytes_.resize(start + count);
  return bytes_.data() + start;
}

void TBlockFileWriter::Reserve(std::size_t byteCount) {
  if (bytes_.capacity() - bytes_.size() >= byteCount) return;
  NewPiece(byteCount);
}

std::size_t TBlockFileWriter::Size() const {
  std::size_t size = sent_ + bytes_.size();
  for (const std::vector<uint8_t>& piece : fullPieces_) size += piece.size();
  return size;
}

const std::vector<uint8_t>& TBlockFileWriter::Bytes() const {
  if (sent_ > 0) throw std::logic_error("The bytes of " + fileName_ + " went to the file already");
  if (!fullPieces_.empty()) {
    std::size_t size = bytes_.size();
    for (const std::vector<uint8_t>& piece : fullPieces_) size += piece.size();
    std::vector<uint8_t> joined;
    joined.reserve(size);
    for (const std::vector<uint8_t>& piece : fullPieces_) joined.insert(joined.end(), piece.begin(), piece.end());
    joined.insert(joined.end(), bytes_.begin(), bytes_.end());
    fullPieces_.clear();
    bytes_ = std::move(joined);
  }
  return bytes_;
}

void TBlockFileWriter::WriteByte(uint8_t value) { *Extend(1) = value; }

void TBlockFileWriter::WriteInt(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  uint8_t* p = Extend(4);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

void TBlockFileWriter::WriteReal(double value) {
  const auto bits = std::bit_cast<uint64_t>(value);
  uint8_t* p = Extend(8);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

void TBlockFileWriter::WriteUnits(const std::u16string& units) {
  // Sized once and filled by index: exchange files of a few megabytes are written in one call.
  uint8_t* p = Extend(units.size() * 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    p[2 * i] = static_cast<uint8_t>(units[i] & 0xFF);
    p[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
  }
}

void TBlockFileWriter::WriteBytes(const void* source, std::size_t count) {
  if (count == 0) return;
  std::memcpy(Extend(count), source, count);
}

void TBlockFileWriter::Commit() {
  WithFileContext(fileName_, [this] { CommitBytes(); });
}

void TBlockFileWriter::OpenTemporary() {
  if (fileName_.empty() || fileName_.back() == '/') throw EInOutError(IoInvalidFilename);
  // Saving through a symbolic link replaces the file it points to and keeps the link.
  std::string target = ResolveLinkTarget(fileName_);

  mode_t mode = 0666;  // narrowed by the umask when the file is created
  bool targetExists = false;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    // Only a plain file is replaced: renaming over a folder, device or pipe would destroy it.
    if (!S_ISREG(info.st_mode)) throw EInOutError(IoAccessDenied);
    targetExists = true;
    mode = info.st_mode & 07777;
    // A read-only file is refused like the platform refuses to overwrite it; the write bits are
    // checked too because access() grants everything to the superuser.
    if (::access(target.c_str(), W_OK) != 0) RaiseForErrno(errno, target);
    if ((mode & 0222) == 0) throw EInOutError(IoAccessDenied);
  } else if (errno != ENOENT) {
    RaiseForErrno(errno, target);
  }

  std::string temporary = TemporaryNameFor(target);
  // A stale temporary is removed first so the new one gets fresh permissions.
  ::unlink(temporary.c_str());
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (descriptor < 0) RaiseForErrno(errno, target);
  descriptor_ = descriptor;
  target_ = std::move(target);
  temporary_ = std::move(temporary);
  if (targetExists && ::fchmod(descriptor_, mode) != 0) {
    const int chmodError = errno;
    DropTemporary();
    RaiseForErrno(chmodError, target_);
  }
}

void TBlockFileWriter::SendPieces(bool keep) {
  if (descriptor_ < 0) OpenTemporary();
  try {
    for (const std::vector<uint8_t>& piece : fullPieces_) WriteAll(descriptor_, piece, target_);
    WriteAll(descriptor_, bytes_, target_);
  } catch (...) {
    DropTemporary();
    throw;
  }
  if (keep) return;
  for (const std::vector<uint8_t>& piece : fullPieces_) sent_ += piece.size();
  sent_ += bytes_.size();
  fullPieces_.clear();
  bytes_.clear();
}

void TBlockFileWriter::DropTemporary() noexcept {
  if (descriptor_ < 0) return;
  ::close(descriptor_);
  ::unlink(temporary_.c_str());
  descriptor_ = -1;
}

void TBlockFileWriter::CommitBytes() {
  // Once pieces went to a file that was then saved, they are gone: a second save would lose them.
  if (sent_ > 0 && descriptor_ < 0) throw std::logic_error("The file " + fileName_ + " was saved already");
  // What is left stays collected, so that the bytes of a file saved in one piece can still be read.
  SendPieces(true);
  if (::fsync(descriptor_) != 0) {
    const int syncError = errno;
    DropTemporary();
    RaiseForErrno(syncError, target_);
  }
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0) {
    const int closeError = errno;
    ::unlink(temporary_.c_str());
    RaiseForErrno(closeError, target_);
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary_.c_str());
    RaiseForErrno(renameError, target_);
  }
  FlushFolder(FolderOf(target_));
}
