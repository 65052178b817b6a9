#pragma once
// TCPDiapazone: the critical value ranges of a parameter and their range text ("[5;10h20;-3h-1]").
#include <cstdint>
#include <string>
#include <vector>

class TBlockFileReader;
class TBlockFileWriter;
class TValuesList;

class TCPDiapazone {
 public:
  std::vector<int64_t> Low;
  std::vector<int64_t> High;
  int32_t Count() const { return static_cast<int32_t>(Low.size()); }

  void Clear();
  void AddRange(int64_t a, int64_t b);
  void AddValue(int64_t v);
  void AssignValues(const TValuesList& list);
  void Assign(const TCPDiapazone& source);
  // "[" then each range as "v" or "lowhhigh", separated by ";" and closed by "]"; with no ranges
  // the text is "[" alone.
  std::string ToText() const;
  // Each group ended by ";" or "]" becomes [smallest, largest] of its valid 32-bit numbers
  // (separated by "h"), starting from [200000000, -200000000], so a group without a number gives
  // [-200000000, 200000000]. Other characters are skipped; an unended last group is dropped; ";"
  // alone gives no ranges. Never fails.
  void FromText(const std::string& text);
  void Load(TBlockFileReader& file);
  void Save(TBlockFileWriter& file) const;
};
