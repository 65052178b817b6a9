#pragma once
// TPath: a jump between locations with its question text, text and 24 parameter changes.
#include <array>
#include <cstdint>
#include <string>

#include "quest/ParameterDeltaClass.h"
#include "quest/TextFieldClass.h"

class TBlockParJD;

constexpr int32_t MaxPaths = 600;

class TPath {
 public:
  explicit TPath(const TBlockParJD& catalogue);
  TPath(const TPath&) = delete;
  TPath& operator=(const TPath&) = delete;
  TPath(TPath&&) = default;

  const TBlockParJD* Catalogue;
  double RealValue = 1.0;  // carried bit for bit
  int32_t Value1 = 0;
  int32_t Number = 0;
  int32_t Value2 = 0;
  int32_t Value3 = 0;
  uint8_t Flag1 = 1;
  uint8_t Flag2 = 0;
  int32_t Value4 = 1;
  int32_t Value5 = 5;
  std::array<TParameterDelta, MaxChanges> Changes;
  TTextField ExtraText;
  TTextField StartText;
  TTextField EndText;

  TParameterDelta& Change(int32_t i) { return Changes.at(static_cast<std::size_t>(i - 1)); }
  const TParameterDelta& Change(int32_t i) const { return Changes.at(static_cast<std::size_t>(i - 1)); }

  void Reset();
  // Reset with the catalogue default already looked up (the document resets 600 paths).
  void Reset(const std::u16string& defaultStartText);
  void Load(TBlockFileReader& file, int32_t version);
  void Save(TBlockFileWriter& file) const;
  void Assign(const TPath& source);
};
