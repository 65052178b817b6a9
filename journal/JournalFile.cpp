#include "journal/JournalFile.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "support/BlockFile.h"

namespace {

[[noreturn]] void RaiseForErrno(int errnoValue, const std::string& fileName) {
  throw EInOutError(InOutErrorNumberForErrno(errnoValue, fileName), fileName);
}

[[noreturn]] void RaiseJournalError(const char* text) { throw EJournalError(text); }

void WriteInt64(TBlockFileWriter& writer, int64_t value) {
  writer.WriteInt(static_cast<int32_t>(static_cast<uint64_t>(value) & 0xFFFFFFFFu));
  writer.WriteInt(static_cast<int32_t>(static_cast<uint64_t>(value) >> 32));
}

int64_t ReadInt64(TBlockFileReader& reader) {
  const auto low = static_cast<uint32_t>(reader.ReadInt());
  const auto high = static_cast<uint32_t>(reader.ReadInt());
  return static_cast<int64_t>(uint64_t{high} << 32 | low);
}

uint32_t CrcOf(const std::vector<uint8_t>& bytes, std::size_t count) { return Crc32(bytes.data(), count); }

TJournalHeader ReadHeader(TBlockFileReader& reader) {
  if (reader.BytesLeft() < JournalHeaderFixedBytes) RaiseJournalError("The journal has no header");
  char magic[sizeof JournalMagic];
  reader.ReadBytes(magic, sizeof magic);
  if (std::memcmp(magic, JournalMagic, sizeof magic) != 0) RaiseJournalError("This is not a journal");
  // A later version may lay out the rest differently, so nothing after the version is trusted.
  const int32_t version = reader.ReadInt();
  if (version > JournalVersion) RaiseJournalError("The journal is of a later version");
  if (version < 1) RaiseJournalError("The journal's header is damaged");
  TJournalHeader header;
  const int32_t kind = reader.ReadInt();
  if (kind != 0 && kind != 1) RaiseJournalError("The journal's header is damaged");
  header.Kind = static_cast<TJournalKind>(kind);
  header.FileSize = ReadInt64(reader);
  header.FileCrc = static_cast<uint32_t>(reader.ReadInt());
  header.Started = ReadInt64(reader);
  const int32_t nameBytes = reader.ReadInt();
  if (nameBytes < 0 || nameBytes > MaxJournalNameBytes || reader.BytesLeft() < int64_t{nameBytes} + 4)
    RaiseJournalError("The journal's header is damaged");
  header.FileName.resize(static_cast<std::size_t>(nameBytes));
  reader.ReadBytes(header.FileName.data(), header.FileName.size());
  // Version 1 writes exactly these fields, so encoding them again gives the checked bytes.
  const std::vector<uint8_t> expected = EncodeJournalHeader(header);
  uint8_t crc[4];
  reader.ReadBytes(crc, sizeof crc);
  if (std::memcmp(crc, expected.data() + expected.size() - 4, sizeof crc) != 0)
    RaiseJournalError("The journal's header is damaged");
  return header;
}

// One record, or false when the next bytes are no whole, sound record; the reader then stands
// anywhere inside them.
bool ReadRecord(TBlockFileReader& reader, TJournalEntry& entry) {
  if (reader.BytesLeft() < RecordHeadBytes) return false;
  const int32_t length = reader.ReadInt();
  const auto crc = static_cast<uint32_t>(reader.ReadInt());
  if (length < MinRecordPayload || length > MaxRecordPayload || length > reader.BytesLeft()) return false;
  std::vector<uint8_t> payload(static_cast<std::size_t>(length));
  reader.ReadBytes(payload.data(), payload.size());
  if (CrcOf(payload, payload.size()) != crc) return false;

  TBlockFileReader fields(std::move(payload));
  entry.Message = fields.ReadInt();
  entry.Time = ReadInt64(fields);
  const uint8_t flags = fields.ReadByte();
  if (entry.Message < 1 || (flags & ~3u) != 0) return false;
  entry.NeedsReview = (flags & 1u) != 0;
  entry.TranslatedAsIs = (flags & 2u) != 0;
  const int32_t textUnits = fields.ReadInt();
  if (textUnits < 0 || int64_t{textUnits} * 2 + 4 > fields.BytesLeft()) return false;
  entry.Text = fields.ReadUnits(textUnits);
  const int32_t noteUnits = fields.ReadInt();
  if (noteUnits < 0 || int64_t{noteUnits} * 2 != fields.BytesLeft()) return false;
  entry.Note = fields.ReadUnits(noteUnits);
  return true;
}

}  // namespace

int64_t JournalClock() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

uint32_t Crc32(const void* data, std::size_t size, uint32_t crc) {
  const auto* bytes = static_cast<const Bytef*>(data);
  // zlib takes at most a uInt at a time.
  while (size > 0) {
    const auto piece = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    crc = static_cast<uint32_t>(crc32(crc, bytes, piece));
    bytes += piece;
    size -= piece;
  }
  return crc;
}

std::string JournalFileFor(const std::string& projectFile) { return projectFile + ".journal"; }

std::string NewProjectJournalFile(const std::string& stateFolder, const std::string& questFile) {
  const auto slash = questFile.find_last_of('/');
  const std::string quest = slash == std::string::npos ? questFile : questFile.substr(slash + 1);
  return stateFolder + "/" + quest + ".journal";
}

std::string DiscardedJournalFile(const std::string& journalFile) { return journalFile + ".discarded"; }

TJournalHeader JournalHeaderFor(const std::string& file, TJournalKind kind) {
  TBlockFileReader reader(file);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(reader.Size()));
  reader.ReadBytes(bytes.data(), bytes.size());
  TJournalHeader header;
  header.Kind = kind;
  header.FileName = file;
  header.FileSize = static_cast<int64_t>(bytes.size());
  header.FileCrc = CrcOf(bytes, bytes.size());
  header.Started = JournalClock();
  return header;
}

bool JournalMatches(const TJournalHeader& header, const std::string& file) {
  TJournalHeader now;
  try {
    now = JournalHeaderFor(file, header.Kind);
  } catch (const EInOutError&) {
    return false;
  }
  return now.FileSize == header.FileSize && now.FileCrc == header.FileCrc;
}

namespace {

TJournal ReadJournalFrom(TBlockFileReader& reader) {
  TJournal journal;
  journal.Header = ReadHeader(reader);
  journal.ValidSize = reader.Position();
  TJournalEntry entry;
  while (reader.BytesLeft() > 0) {
    if (!ReadRecord(reader, entry)) {
      journal.DamagedAt = journal.ValidSize;
      break;
    }
    journal.Entries.push_back(std::move(entry));
    journal.ValidSize = reader.Position();
  }
  return journal;
}

}  // namespace

TJournal ReadJournalBytes(std::vector<uint8_t> bytes) {
  TBlockFileReader reader(std::move(bytes));
  return ReadJournalFrom(reader);
}

TJournal ReadJournal(const std::string& journalFile) {
  return WithFileContext(journalFile, [&] {
    TBlockFileReader reader(journalFile);
    return ReadJournalFrom(reader);
  });
}

std::vector<uint8_t> EncodeJournalHeader(const TJournalHeader& header) {
  if (header.FileName.size() > static_cast<std::size_t>(MaxJournalNameBytes))
    throw std::invalid_argument("The journal's file name is longer than " + std::to_string(MaxJournalNameBytes) +
                                " bytes");
  TBlockFileWriter writer;
  writer.WriteBytes(JournalMagic, sizeof JournalMagic);
  writer.WriteInt(JournalVersion);
  writer.WriteInt(static_cast<int32_t>(header.Kind));
  WriteInt64(writer, header.FileSize);
  writer.WriteInt(static_cast<int32_t>(header.FileCrc));
  WriteInt64(writer, header.Started);
  writer.WriteInt(static_cast<int32_t>(header.FileName.size()));
  writer.WriteBytes(header.FileName.data(), header.FileName.size());
  std::vector<uint8_t> bytes = writer.Bytes();
  const uint32_t crc = CrcOf(bytes, bytes.size());
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(crc >> (8 * i)));
  return bytes;
}

std::vector<uint8_t> EncodeJournalRecord(const TJournalEntry& entry) {
  TBlockFileWriter payload;
  payload.WriteInt(entry.Message);
  WriteInt64(payload, entry.Time);
  payload.WriteByte(static_cast<uint8_t>((entry.NeedsReview ? 1 : 0) | (entry.TranslatedAsIs ? 2 : 0)));
  payload.WriteInt(static_cast<int32_t>(entry.Text.size()));
  payload.WriteUnits(entry.Text);
  payload.WriteInt(static_cast<int32_t>(entry.Note.size()));
  payload.WriteUnits(entry.Note);
  const std::vector<uint8_t>& bytes = payload.Bytes();
  if (bytes.size() > static_cast<std::size_t>(MaxRecordPayload))
    throw std::invalid_argument("The message's state is too long for the journal");
  TBlockFileWriter record;
  record.Reserve(RecordHeadBytes + bytes.size());
  record.WriteInt(static_cast<int32_t>(bytes.size()));
  record.WriteInt(static_cast<int32_t>(CrcOf(bytes, bytes.size())));
  record.WriteBytes(bytes.data(), bytes.size());
  return record.Bytes();
}

// ---------------------------------------------------------------------------------------------
// TJournalWriter

TJournalWriter::TJournalWriter(std::string journalFile) : fileName_(std::move(journalFile)) {}

TJournalWriter::TJournalWriter(TJournalWriter&& other) noexcept
    : fileName_(std::move(other.fileName_)), descriptor_(std::exchange(other.descriptor_, -1)) {}

TJournalWriter& TJournalWriter::operator=(TJournalWriter&& other) noexcept {
  if (this != &other) {
    Close();
    fileName_ = std::move(other.fileName_);
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

TJournalWriter::~TJournalWriter() { Close(); }

void TJournalWriter::Close() noexcept {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
}

void TJournalWriter::Open() {
  const int descriptor = ::open(fileName_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (descriptor < 0) RaiseForErrno(errno, fileName_);
  descriptor_ = descriptor;
}

TJournalWriter TJournalWriter::Start(const std::string& journalFile, const TJournalHeader& header) {
  TJournalWriter writer(journalFile);
  writer.Restart(header);
  return writer;
}

TJournalWriter TJournalWriter::Continue(const std::string& journalFile) {
  const TJournal journal = ReadJournal(journalFile);
  TJournalWriter writer(journalFile);
  if (journal.DamagedAt >= 0) {
    if (::truncate(journalFile.c_str(), journal.ValidSize) != 0) RaiseForErrno(errno, journalFile);
  }
  writer.Open();
  if (journal.DamagedAt >= 0) writer.Sync();
  return writer;
}

void TJournalWriter::Restart(const TJournalHeader& header) {
  Close();
  TBlockFileWriter file(fileName_);
  const std::vector<uint8_t> bytes = EncodeJournalHeader(header);
  file.WriteBytes(bytes.data(), bytes.size());
  file.Commit();
  Open();
}

void TJournalWriter::Append(const TJournalEntry& entry) { AppendEncoded(EncodeJournalRecord(entry)); }

void TJournalWriter::AppendEncoded(const std::vector<uint8_t>& record) {
  if (descriptor_ < 0) throw std::logic_error("The journal " + fileName_ + " is not open");
  WithFileContext(fileName_, [&] { WriteAll(descriptor_, record, fileName_); });
}

void TJournalWriter::Sync() {
  if (descriptor_ >= 0 && ::fsync(descriptor_) != 0) RaiseForErrno(errno, fileName_);
}

void TJournalWriter::Remove() {
  Close();
  RemoveJournal(fileName_);
}

void DiscardJournal(const std::string& journalFile) {
  if (::rename(journalFile.c_str(), DiscardedJournalFile(journalFile).c_str()) != 0) RaiseForErrno(errno, journalFile);
}

void RemoveJournal(const std::string& journalFile) {
  if (::unlink(journalFile.c_str()) != 0 && errno != ENOENT) RaiseForErrno(errno, journalFile);
}
