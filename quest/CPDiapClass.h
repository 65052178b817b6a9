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
  std::string ToText() const;
  void FromText(const std::string& text);
  void Load(TBlockFileReader& file);
  void Save(TBlockFileWriter& file) const;
};
