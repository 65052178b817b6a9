#pragma once
// TValuesList: a counted list of integers with a flag byte, carried unchanged.
#include <cstdint>
#include <vector>

class TBlockFileReader;
class TBlockFileWriter;

class TValuesList {
 public:
  TValuesList() { Clear(); }

  uint8_t Flag = 1;
  // Values[0] is value 1; Count may be negative when a file says so (then no values follow).
  std::vector<int32_t> Values;
  int32_t Count = 0;

  void Clear();
  void Load(TBlockFileReader& file);
  void Save(TBlockFileWriter& file) const;
  void Assign(const TValuesList& source);
};
