#pragma once
// TParameter: one of the 24 parameter slots of a quest. Only Name, the view strings and CriticalMsg
// are translated; every other field is carried unchanged from reading to writing.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "quest/CPDiapClass.h"
#include "quest/ParViewStringClass.h"
#include "quest/TextFieldClass.h"
#include "quest/ValueListClass.h"
#include "support/JD_Error.h"

constexpr int32_t MaxParameters = 24;
constexpr int32_t MaxViewStrings = 10;

// A parameter record that cannot be held, such as a view-string count above the ten slots, e.g.
// "Parameter view string count 11 is above 10". Raised before anything is written past a slot.
class EParameterFormatError : public std::runtime_error, public TFileErrorContext {
 public:
  explicit EParameterFormatError(const std::string& message);
};

// The parameter record, field by field (numbers as used in ParameterClass.cpp):
//   1 Min, 2 Max, 3 CriticalValue, 4 CriticalKind      integers
//   5 Flag1, 6 Flag2, 7 Flag3, 8 Active                bytes
//   layout A (below 1111111113): Name, LegacyFormat, CriticalMsg (text fields); nothing more
//   9 ViewStringCount (integer), 10 Flag4 (byte, from 1111111118), 11 Name (text field),
//   12 view strings 1..ViewStringCount (From, To, text field), 13 CriticalMsg (text field),
//   14 from 1111111121 the critical ranges as a range text (text field); in 1111111119 and
//      1111111120 a values list of critical values instead; before that nothing.
// Only the newest form (all fourteen fields) is written.

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
  // Overwrites the fields the record of `version` holds and derives view string 1 and the
  // critical ranges for the older forms. A stored view-string count above 10 raises
  // EParameterFormatError; a file that ends early raises EInOutError(100). Either way the fields
  // read so far keep their new values.
  void Load(TBlockFileReader& file, int32_t version);
  void Save(TBlockFileWriter& file) const;
  void Assign(const TParameter& source);
};
