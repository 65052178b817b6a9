#pragma once
// TBufJD: a whole file in memory with a read position and line readers for 8-bit and UTF-16LE text.
#include <cstdint>
#include <string>

class TFileJD;

class TBufJD {
 public:
  TBufJD() = default;
  ~TBufJD();
  TBufJD(const TBufJD&) = delete;
  TBufJD& operator=(const TBufJD&) = delete;

  void Clear();
  void SetSize(int32_t n);
  int32_t Size() const { return size_; }
  int32_t Capacity() const { return capacity_; }
  int32_t Pointer() const { return pointer_; }
  uint8_t* Data() { return data_; }
  const uint8_t* Data() const { return data_; }

  bool AtEnd() const { return pointer_ >= size_; }
  void PointerSet(int32_t zn);
  void TestGet(int32_t len) const;
  int16_t GetWord();

  int32_t LineLenA() const;
  int32_t LineLenW() const;
  std::string GetLineA();
  std::u16string GetLineW();

  void LoadFromFile(TFileJD& file);
  void LoadFromFile(const std::string& name);

 private:
  void SkipLineEndA();
  void SkipLineEndW();

  int32_t size_ = 0;
  int32_t capacity_ = 0;
  int32_t pointer_ = 0;
  uint8_t* data_ = nullptr;
};
