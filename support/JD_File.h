#pragma once
// TFileJD: a named file opened for reading with nested Open/Close counting, so that GetSize inside a
// caller's Open does not close the caller's handle. Exclusive access is approximated by a
// non-blocking advisory lock (flock).
#include <cstdint>
#include <string>

class TFileJD {
 public:
  TFileJD() = default;
  ~TFileJD();
  TFileJD(const TFileJD&) = delete;
  TFileJD& operator=(const TFileJD&) = delete;

  void SetName(const std::string& name);
  const std::string& Name() const { return name_; }
  int32_t OpenCount() const { return openCount_; }
  bool IsOpen() const { return handle_ >= 0; }

  void Open();
  void Close();
  int32_t GetSize();
  int32_t SetPointer(int32_t distance, int32_t method);
  int32_t GetPointer();
  void Read(void* destination, int32_t n);

 private:
  int handle_ = -1;
  int32_t openCount_ = 0;
  std::string name_;
};
