#include "quest/ValueListClass.h"

#include "support/BlockFile.h"

void TValuesList::Clear() {
  Flag = 1;
  Values.clear();
  Count = 0;
}

void TValuesList::Load(TBlockFileReader& file) {
  Values.clear();
  Count = file.ReadInt();
  Flag = file.ReadByte();
  // A negative count is kept as read (and written back so): no values follow it either way.
  if (Count <= 0) return;
  file.Require(int64_t{Count} * 4);
  Values.reserve(static_cast<std::size_t>(Count));
  for (int32_t i = 0; i < Count; ++i) Values.push_back(file.ReadInt());
}

void TValuesList::Save(TBlockFileWriter& file) const {
  file.WriteInt(Count);
  file.WriteByte(Flag);
  for (int32_t i = 0; i < Count; ++i) {
    // Count and Values agree for every list this system builds; a shorter list is padded rather
    // than written with a count that its values do not fill.
    const auto index = static_cast<std::size_t>(i);
    file.WriteInt(index < Values.size() ? Values[index] : 0);
  }
}

void TValuesList::Assign(const TValuesList& source) {
  Flag = source.Flag;
  Values = source.Values;
  Count = source.Count;
}
