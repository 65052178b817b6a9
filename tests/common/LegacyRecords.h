#pragma once
// Test-only writers of parameter and parameter-change records in every form older files hold, so
// that a test can build a record field by field, write it as an old version would have and check
// what the reader makes of it. Nothing here is used by the system itself: it only ever writes the
// newest form (TParameter::Save, TParameterDelta::Save).
//
// Two ways in:
//   - plain field values (LegacyParameterRecord, LegacyChangeRecord) written in a named layout,
//     for damaged or unusual records (a view-string count that disagrees with the records that
//     follow, a negative values-list count, a range text of any shape);
//   - a record in memory written in the layout of a file version (WriteLegacyParameter,
//     WriteLegacyChange), for whole-file fixtures.
#include <cstdint>
#include <string>
#include <vector>

class TBlockFileWriter;
class TParameter;
class TParameterDelta;

// Parameter record forms: A up to 1111111112, B 1111111113..1111111117, C 1111111118,
// D 1111111119..1111111120, E from 1111111121.
enum class ParameterLayout { A, B, C, D, E };
// Parameter-change record forms: D1 up to 1111111115, D2 1111111116, D3 1111111117..1111111118,
// D4 from 1111111119.
enum class ChangeLayout { D1, D2, D3, D4 };

ParameterLayout ParameterLayoutForVersion(int32_t version);
ChangeLayout ChangeLayoutForVersion(int32_t version);

struct LegacyViewString {
  int32_t From = 0;
  int32_t To = 0;
  std::u16string Text;
};

// A values list as stored: Count and Flag, then every element of Values (Count is written as
// given, so it may disagree with Values on purpose).
struct LegacyValuesList {
  int32_t Count = 0;
  uint8_t Flag = 1;
  std::vector<int32_t> Values;
};

// Every field any parameter form holds. A layout writes the fields it has and ignores the rest:
//   A: Min, Max, CriticalValue, CriticalKind, Flag1..3, Active, Name, LegacyFormat, CriticalMsg
//   B: as A without LegacyFormat, plus ViewStringCount and ViewStrings after Name
//   C: B plus Flag4 after ViewStringCount
//   D: C plus ValuesList;  E: C plus RangeText
// Texts are written as one line each, untrimmed, exactly as given.
struct LegacyParameterRecord {
  int32_t Min = 0;
  int32_t Max = 1;
  int32_t CriticalValue = 0;
  int32_t CriticalKind = 0;
  uint8_t Flag1 = 0;
  uint8_t Flag2 = 1;
  uint8_t Flag3 = 1;
  uint8_t Active = 0;
  int32_t ViewStringCount = 1;  // the stored count
  uint8_t Flag4 = 0;
  std::u16string Name;
  std::u16string LegacyFormat;
  std::vector<LegacyViewString> ViewStrings = {{0, 1, u""}};  // all written, whatever the count says
  std::u16string CriticalMsg;
  LegacyValuesList ValuesList;
  std::string RangeText = "[";
};

// Every field any change form holds. D1: Value2..Value5, Flag1, Flag2, CustomCriticalMsg;
// D2: D1 plus Value1 first and the two values lists before CustomCriticalMsg; D3: D2 plus Flag3;
// D4: D3 plus Flag4 and ExtraText.
struct LegacyChangeRecord {
  int32_t Value1 = 0;
  int32_t Value2 = 0;
  int32_t Value3 = 1;
  int32_t Value4 = 0;
  int32_t Value5 = 0;
  uint8_t Flag1 = 0;
  uint8_t Flag2 = 0;
  uint8_t Flag3 = 0;
  uint8_t Flag4 = 0;
  std::u16string ExtraText;
  LegacyValuesList ValueList1;
  LegacyValuesList ValueList2;
  std::u16string CustomCriticalMsg;
};

void WriteLegacyParameterRecord(TBlockFileWriter& file, const LegacyParameterRecord& record, ParameterLayout layout);
void WriteLegacyChangeRecord(TBlockFileWriter& file, const LegacyChangeRecord& record, ChangeLayout layout);

// The plain fields of a record in memory. For a parameter: view strings 1..ViewStringCount
// (none when the count is 0 or less); RangeText is CriticalRanges.ToText(); the values list of
// layout D holds the value of every single-value range, leaving out a last range
// [CriticalValue, CriticalValue], because the document adds that one back after reading.
LegacyParameterRecord LegacyRecordOf(const TParameter& parameter);
LegacyChangeRecord LegacyRecordOf(const TParameterDelta& change);

// A record in memory written in the form of file `version` (any version from 1111111111 on;
// above 1111111122 the newest form). Layout A stores LegacyFormat, from which the reader makes
// view string 1 together with Min and Max.
void WriteLegacyParameter(TBlockFileWriter& file, const TParameter& parameter, int32_t version);
void WriteLegacyChange(TBlockFileWriter& file, const TParameterDelta& change, int32_t version);
