#pragma once
// TParameterDelta: the change of one parameter in a location or path. Only CustomCriticalMsg is
// translated; the rest is carried unchanged.
#include <cstdint>

#include "quest/TextFieldClass.h"
#include "quest/ValueListClass.h"

constexpr int32_t MaxChanges = 24;

// The parameter-change record, field by field (numbers as used in ParameterDeltaClass.cpp):
//   1 Value1 (from 1111111116), 2 Value2, 3 Value3, 4 Value4, 5 Value5   integers
//   6 Flag1, 7 Flag2, 8 Flag3 (from 1111111117), 9 Flag4 (from 1111111119) bytes
//   10 ExtraText (text field, from 1111111119)
//   11 ValueList1, 12 ValueList2 (values lists, from 1111111116)
//   13 CustomCriticalMsg (text field)
// Only the newest form (all thirteen fields) is written.

class TParameterDelta {
 public:
  TParameterDelta() { Reset(); }
  TParameterDelta(const TParameterDelta&) = delete;
  TParameterDelta& operator=(const TParameterDelta&) = delete;
  TParameterDelta(TParameterDelta&&) = default;

  TValuesList ValueList1;
  TValuesList ValueList2;
  int32_t Value1 = 0;
  int32_t Value2 = 0;
  int32_t Value3 = 1;
  int32_t Value4 = 0;
  uint8_t Flag2 = 0;
  uint8_t Flag3 = 0;
  uint8_t Flag4 = 0;
  TTextField ExtraText;
  TTextField CustomCriticalMsg;
  int32_t Value5 = 0;
  uint8_t Flag1 = 0;

  void Reset();
  void Load(TBlockFileReader& file, int32_t version);
  void Save(TBlockFileWriter& file) const;
  void Assign(const TParameterDelta& source);
};
