#include "support/JD_Buf.h"

#include <climits>
#include <string>

#include "support/JD_Error.h"
#include "support/JD_File.h"
#include "support/JD_Mem.h"

namespace {

// Bytes of spare room kept behind the data.
constexpr int32_t kSlack = 256;

bool IsLineEnd(uint16_t unit) { return unit == 0x00 || unit == 0x0D || unit == 0x0A; }

// The one place where buffer bytes are put together as a little-endian 16-bit unit.
uint16_t UnitAt(const uint8_t* data, int32_t position) {
  return static_cast<uint16_t>(data[position] | (data[position + 1] << 8));
}

}  // namespace

TBufJD::~TBufJD() { Clear(); }

void TBufJD::Clear() {
  FreeRJD(data_);
  data_ = nullptr;
  size_ = 0;
  capacity_ = 0;
  pointer_ = 0;
}

void TBufJD::SetSize(int32_t n) {
  if (n < 1) {
    Clear();
    return;
  }
  int64_t capacity = int64_t{n} + kSlack;
  // The capacity must stay a 32-bit size; a request beyond it is as unsatisfiable as a full heap.
  if (capacity > INT32_MAX) throw TExceptionJD("ReAllocRJD. size=" + std::to_string(capacity));
  data_ = static_cast<uint8_t*>(ReAllocRJD(data_, static_cast<int32_t>(capacity)));
  size_ = n;
  capacity_ = static_cast<int32_t>(capacity);
  if (pointer_ > size_) pointer_ = size_;
}

void TBufJD::PointerSet(int32_t zn) {
  if (zn < 0 || zn > size_) throw TExceptionJD("TBufJD.PointerSet. zn=" + std::to_string(zn));
  pointer_ = zn;
}

void TBufJD::TestGet(int32_t len) const {
  if (len < 1 || int64_t{pointer_} + len > size_) {
    TExceptionJD error("TBufJD.TestGet. len=" + std::to_string(len));
    error.Offset = pointer_;
    throw error;
  }
}

int16_t TBufJD::GetWord() {
  TestGet(2);
  auto value = static_cast<int16_t>(UnitAt(data_, pointer_));
  pointer_ += 2;
  return value;
}

int32_t TBufJD::LineLenA() const {
  int32_t position = pointer_;
  while (position < size_ && !IsLineEnd(data_[position])) ++position;
  return position - pointer_;
}

int32_t TBufJD::LineLenW() const {
  int32_t position = pointer_;
  // A final odd byte is no code unit, so it never belongs to a line.
  while (position + 1 < size_ && !IsLineEnd(UnitAt(data_, position))) position += 2;
  return (position - pointer_) / 2;
}

void TBufJD::SkipLineEndA() {
  for (int taken = 0; taken < 2; ++taken)
    if (pointer_ < size_ && IsLineEnd(data_[pointer_])) ++pointer_;
}

void TBufJD::SkipLineEndW() {
  for (int taken = 0; taken < 2; ++taken)
    if (pointer_ + 1 < size_ && IsLineEnd(UnitAt(data_, pointer_))) pointer_ += 2;
}

std::string TBufJD::GetLineA() {
  int32_t length = LineLenA();
  std::string line;
  if (length > 0) {
    line.assign(reinterpret_cast<const char*>(data_ + pointer_), static_cast<std::size_t>(length));
    pointer_ += length;
  }
  SkipLineEndA();
  return line;
}

std::u16string TBufJD::GetLineW() {
  int32_t length = LineLenW();
  std::u16string line;
  line.reserve(static_cast<std::size_t>(length));
  for (int32_t i = 0; i < length; ++i) line += static_cast<char16_t>(UnitAt(data_, pointer_ + 2 * i));
  pointer_ += 2 * length;
  SkipLineEndW();
  return line;
}

void TBufJD::LoadFromFile(TFileJD& file) {
  Clear();
  file.Open();
  try {
    // GetPointer first: GetSize opens and closes again, which keeps our handle and its position.
    int32_t position = file.GetPointer();
    int32_t n = file.GetSize() - position;
    SetSize(n);
    if (n > 0) file.Read(data_, n);
  } catch (...) {
    file.Close();
    throw;
  }
  file.Close();
  pointer_ = 0;
}

void TBufJD::LoadFromFile(const std::string& name) {
  TFileJD file;
  file.SetName(name);
  LoadFromFile(file);
}
