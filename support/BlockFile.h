#pragma once
// The one checked reader and the one checked writer of binary files (quest, project and exchange
// files, and the streamed saves of the translation tools' formats and the memory). Every integer,
// byte, real and UTF-16 run of those files goes through them; nothing else assembles bytes by
// hand. All multi-byte values are little-endian.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/JD_Error.h"

// The input/output error: a number and the message that belongs to it:
// 2 "File not found", 3 "Invalid filename", 4 "Too many open files", 5 "File access denied",
// 100 "Read beyond end of file", 101 "Disk full", any other n "I/O error n".
// Beside the text it carries the file and, for a failed read, the byte at which the read began.
class EInOutError : public std::runtime_error, public TFileErrorContext {
 public:
  explicit EInOutError(int errorCode, std::string fileName = {}, int64_t offset = -1);
  int ErrorCode;
  static std::string MessageFor(int errorCode);
};

enum IoErrors : int {
  IoFileNotFound = 2,
  IoInvalidFilename = 3,
  IoTooManyOpenFiles = 4,
  IoAccessDenied = 5,
  IoReadBeyondEnd = 100,
  IoDiskFull = 101,
};

// The input/output error number for a failed system call on `fileName`: ENOENT gives 2, or 3 when
// the folder itself is missing; ENOTDIR, ENAMETOOLONG, ELOOP 3; EMFILE, ENFILE 4; EACCES, EPERM,
// EROFS, EISDIR 5; ENOSPC, EDQUOT 101; any other errno value is kept as the number.
int InOutErrorNumberForErrno(int errnoValue, const std::string& fileName);
// Writes all of `bytes` to an open descriptor, going on after interrupted and partial writes; a
// failure raises the input/output error its errno stands for.
void WriteAll(int descriptor, const std::vector<uint8_t>& bytes, const std::string& fileName);

// Reads a whole file (or a byte vector) into memory and hands it out field by field. A read that
// would pass the end raises EInOutError(100) and consumes nothing.
class TBlockFileReader {
 public:
  // Opens an existing file for reading: a missing file gives 2, a missing folder 3, a folder or
  // device 5. Files above 2 GiB are refused (EFBIG, "I/O error 27") before they are read.
  explicit TBlockFileReader(const std::string& fileName);
  // Errors of a reader over bytes name no file until a caller adds one (WithFileContext).
  explicit TBlockFileReader(std::vector<uint8_t> bytes);

  int32_t ReadInt();
  uint8_t ReadByte();
  double ReadReal();
  std::u16string ReadUnits(int32_t count);
  void ReadBytes(void* destination, std::size_t count);

  int64_t Size() const { return static_cast<int64_t>(bytes_.size()); }
  int64_t Position() const { return static_cast<int64_t>(position_); }
  int64_t BytesLeft() const { return static_cast<int64_t>(bytes_.size() - position_); }
  // Raises EInOutError(100) unless `count` more bytes are there; used to check lengths and counts
  // read from the file before anything is allocated for them.
  void Require(int64_t count) const;
  const std::string& FileName() const { return fileName_; }

 private:
  void ReadWholeFile(const std::string& fileName);
  [[noreturn]] void RaiseReadBeyondEnd() const;

  std::string fileName_;
  std::vector<uint8_t> bytes_;
  std::size_t position_ = 0;
};

// The whole file as little-endian UTF-16 code units, read straight into the text without a copy of
// its bytes (an odd last byte is left out); `byteCount` receives the number of bytes read. Opening
// and reading fail as for TBlockFileReader's constructor.
std::u16string ReadUnitsFile(const std::string& fileName, int64_t& byteCount);

// Collects the bytes of a file; Commit() saves them atomically: a temporary file beside the target
// (".<name>.saving~") is written, flushed and renamed over the target, then the folder is flushed.
// On failure the old file stays as it was and the temporary is removed. A symbolic link is kept and
// the file it points to replaced; an existing file keeps its permission bits; a read-only file, a
// folder or a device is refused with 5.
// A streamed writer hands each full piece of PieceSize bytes to the temporary file as soon as it is
// full, so a save of megabytes does not hold the whole file in memory; the target's checks then
// raise at that first piece instead of at Commit(), and Bytes() is no longer available. Any writer
// destroyed without a successful Commit() removes its temporary.
enum class TPieces { Kept, Streamed };

class TBlockFileWriter {
 public:
  TBlockFileWriter() = default;
  explicit TBlockFileWriter(std::string fileName, TPieces pieces = TPieces::Kept);
  ~TBlockFileWriter();
  TBlockFileWriter(const TBlockFileWriter&) = delete;
  TBlockFileWriter& operator=(const TBlockFileWriter&) = delete;

  void WriteInt(int32_t value);
  void WriteByte(uint8_t value);
  void WriteReal(double value);
  void WriteUnits(const std::u16string& units);
  // Room for a file whose size the caller knows beforehand (the exchange file): its bytes then lie
  // in one piece.
  void Reserve(std::size_t byteCount);
  void WriteBytes(const void* source, std::size_t count);

  // The number of bytes written so far.
  std::size_t Size() const;
  // Everything written so far, as one array (the pieces are joined on first use). Raises
  // std::logic_error once pieces went to the file.
  const std::vector<uint8_t>& Bytes() const;
  const std::string& FileName() const { return fileName_; }
  void Commit();

 private:
  // Checks the target and opens the temporary file beside it.
  void OpenTemporary();
  // Writes what is collected to the temporary file; empties the pieces unless `keep`.
  void SendPieces(bool keep);
  void CommitBytes();
  // Closes and removes the temporary file, if one is open.
  void DropTemporary() noexcept;
  // Room for `count` more bytes at the end of the current piece; returns where they go.
  uint8_t* Extend(std::size_t count);
  // Starts a new piece with room for at least `count` bytes.
  void NewPiece(std::size_t count);

  std::string fileName_;
  TPieces pieces_ = TPieces::Kept;
  // The bytes are kept in pieces of at least PieceSize: one buffer grown to a file of megabytes
  // would copy all of it again and again, and hold it twice while it does.
  static constexpr std::size_t PieceSize = std::size_t{1} << 20;
  mutable std::vector<std::vector<uint8_t>> fullPieces_;
  mutable std::vector<uint8_t> bytes_;  // the piece being written

  // The save in progress of a named writer.
  std::string target_;     // the file the link names, or the file itself
  std::string temporary_;  // beside it
  int descriptor_ = -1;    // the open temporary file
  std::size_t sent_ = 0;   // bytes already in the temporary file
};
