#pragma once
// The block-parameter text format: named values in named, nestable blocks. The message catalogue
// "msg_cfg.txt" is one such tree, loaded once and read through Par_Get.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBufJD;
class TBlockParJD;

class TBlockParElJD {
 public:
  enum Kinds : int32_t { KindComment = 0, KindParameter = 1, KindBlock = 2 };

  TBlockParElJD* Previous = nullptr;
  TBlockParElJD* Next = nullptr;
  TBlockParJD* Owner = nullptr;
  int32_t Kind = KindComment;
  std::u16string Name;
  std::u16string Value;
  std::u16string Comment;
  std::unique_ptr<TBlockParJD> SubBlock;

  TBlockParElJD();
  ~TBlockParElJD();
  void Clear();
  void MakeBlock();
};

class TBlockParJD {
 public:
  TBlockParJD() = default;
  ~TBlockParJD();
  TBlockParJD(const TBlockParJD&) = delete;
  TBlockParJD& operator=(const TBlockParJD&) = delete;

  TBlockParElJD* First() const { return first_; }
  TBlockParElJD* Last() const { return last_; }

  void Clear();
  TBlockParElJD* El_New();
  TBlockParElJD* Par_Add(const std::u16string& name, const std::u16string& value);
  TBlockParJD* Block_Add(const std::u16string& name);
  // Value of the first parameter of that name in this block; raises
  // "TBlockParJD.Block_Get. name=<name>" when there is none.
  std::u16string Par_Get(const std::u16string& name) const;
  // The same parameter's value, or nullptr when there is none: for callers that have a fallback.
  const std::u16string* Par_Find(const std::u16string& name) const;

  void LoadFromFile(const std::string& fileName, bool keepComments);
  void LoadFromBuf(TBufJD& buffer, bool keepComments);
  void LoadFromBuf_r(TBufJD& buffer, const std::u16string& firstLine, bool keepComments, bool eightBit);

 private:
  TBlockParElJD* first_ = nullptr;
  TBlockParElJD* last_ = nullptr;
};
