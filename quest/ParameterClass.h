#pragma once
// TParameter: one of the 24 parameter slots of a quest. Only Name, the view strings and CriticalMsg
// are translated; every other field is carried unchanged from reading to writing.
#include <array>
#include <cstdint>

#include "quest/CPDiapClass.h"
#include "quest/ParViewStringClass.h"
#include "quest/TextFieldClass.h"
#include "quest/ValueListClass.h"

constexpr int32_t MaxParameters = 24;
constexpr int32_t MaxViewStrings = 10;

class TParameter {
 public:
  // Create(n): the owned parts, then Reset(n); n is the slot number 1..24.
  explicit TParameter(int32_t slot);
  TParameter(const TParameter&) = delete;
  TParameter& operator=(const TParameter&) = delete;
  TParameter(TParameter&&) = default;

  uint8_t Flag4 = 0;
  int32_t Min = 0;
  int32_t Max = 1;
  int32_t CriticalValue = 0;
  TTextField Name;
  TTextField LegacyFormat;
  TTextField CriticalMsg;
  int32_t CriticalKind = 0;
  uint8_t Flag1 = 0;
  uint8_t Flag2 = 1;
  uint8_t Flag3 = 1;
  uint8_t Active = 0;
  // ViewStrings[0] is view string 1 (use ViewString(k) for the 1-based slot).
  std::array<TParWiewString, MaxViewStrings> ViewStrings;
  int32_t ViewStringCount = 1;
  TValuesList ValuesList;
  TCPDiapazone CriticalRanges;

  TParWiewString& ViewString(int32_t k) { return ViewStrings.at(static_cast<std::size_t>(k - 1)); }
  const TParWiewString& ViewString(int32_t k) const { return ViewStrings.at(static_cast<std::size_t>(k - 1)); }

  void Reset(int32_t slot);
  void Load(TBlockFileReader& file, int32_t version);
  void Save(TBlockFileWriter& file) const;
  void Assign(const TParameter& source);
};
