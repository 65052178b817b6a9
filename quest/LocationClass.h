#pragma once
// TLocation: a location record with its ten texts and 24 parameter changes.
#include <array>
#include <cstdint>
#include <string>

#include "quest/ParameterDeltaClass.h"
#include "quest/TextFieldClass.h"

class TBlockParJD;

constexpr int32_t MaxLocations = 300;
constexpr int32_t LocationTextCount = 10;

class TLocation {
 public:
  // Create: the owned parts, then Reset (default texts come from the catalogue).
  explicit TLocation(const TBlockParJD& catalogue);
  TLocation(const TLocation&) = delete;
  TLocation& operator=(const TLocation&) = delete;
  TLocation(TLocation&&) = default;

  const TBlockParJD* Catalogue;
  int32_t Number = 0;
  int32_t LeadValue = 0;
  int32_t ValueA = 100;
  int32_t ValueB = 100;
  uint8_t Flag1 = 0, Flag2 = 0, Flag3 = 0, Flag4 = 0;
  uint8_t Flag5 = 0;
  // Changes[0] is change 1 (use Change(i) for the 1-based slot); likewise Texts.
  std::array<TParameterDelta, MaxChanges> Changes;
  std::array<TTextField, LocationTextCount> Texts;
  uint8_t TextFlag = 0;
  int32_t TextValue = 1;
  TTextField Name;
  TTextField LegacyText;
  TTextField ExtraText;

  TParameterDelta& Change(int32_t i) { return Changes.at(static_cast<std::size_t>(i - 1)); }
  const TParameterDelta& Change(int32_t i) const { return Changes.at(static_cast<std::size_t>(i - 1)); }
  TTextField& Text(int32_t n) { return Texts.at(static_cast<std::size_t>(n - 1)); }
  const TTextField& Text(int32_t n) const { return Texts.at(static_cast<std::size_t>(n - 1)); }

  void Reset();
  // Reset with the two catalogue defaults already looked up (the document resets 300 locations).
  void Reset(const std::u16string& defaultName, const std::u16string& defaultLegacyText);
  void Load(TBlockFileReader& file, int32_t version);
  void Save(TBlockFileWriter& file) const;
  void Assign(const TLocation& source);
};
