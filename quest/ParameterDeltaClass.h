#pragma once
// TParameterDelta: the change of one parameter in a location or path. Only CustomCriticalMsg is
// translated; the rest is carried unchanged.
#include <cstdint>

#include "quest/TextFieldClass.h"
#include "quest/ValueListClass.h"

constexpr int32_t MaxChanges = 24;

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
