#pragma once
// TParWiewString: a view text of a parameter for a range of values. The name is kept as the rest
// of the program has always spelled it.
#include <cstdint>
#include <string>

#include "quest/TextFieldClass.h"

class TParWiewString {
 public:
  TParWiewString() = default;
  explicit TParWiewString(std::u16string text) : Text(std::move(text)) {}

  int32_t From = 0;
  int32_t To = 0;
  TTextField Text;

  void Load(TBlockFileReader& file);
  void Save(TBlockFileWriter& file) const;
  // From and To copied; the text trimmed.
  void Assign(const TParWiewString& source);
};
