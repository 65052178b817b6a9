#include "quest/ParameterClass.h"

#include <algorithm>
#include <string>

#include "support/BlockFile.h"

namespace {

// Version thresholds of the parameter record. Layout A is everything below the first of them.
constexpr int32_t FirstLayoutB = QuestVersion::V13;  // view strings replace LegacyFormat
constexpr int32_t FirstLayoutC = QuestVersion::V18;  // Flag4 after the view-string count
constexpr int32_t FirstLayoutD = QuestVersion::V19;  // a values list of critical values
constexpr int32_t FirstLayoutE = QuestVersion::V21;  // the range text in place of the values list

std::u16string Decimal(int32_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

EParameterFormatError::EParameterFormatError(const std::string& message) : std::runtime_error(message) {}

TParameter::TParameter(int32_t slot) { Reset(slot); }

void TParameter::Reset(int32_t slot) {
  const std::u16string number = Decimal(slot);
  const std::u16string viewText = u"Параметр номер " + number + u": <>";
  Flag4 = 0;
  Min = 0;
  Max = 1;
  CriticalValue = 0;
  Name.Text = u"Параметр номер " + number;
  LegacyFormat.Text = viewText;
  CriticalMsg.Text = u"Сообщение достижения критического значения параметром " + number;
  CriticalKind = 0;
  Flag1 = 0;
  Flag2 = 1;
  Flag3 = 1;
  Active = 0;
  for (TParWiewString& viewString : ViewStrings) {
    viewString.From = 0;
    viewString.To = 0;
    viewString.Text.Text = viewText;
  }
  ViewString(1).From = Min;
  ViewString(1).To = Max;
  ViewStringCount = 1;
  ValuesList.Clear();
  CriticalRanges.Clear();
}

void TParameter::Load(TBlockFileReader& file, int32_t version) {
  Flag4 = 0;
  Min = file.ReadInt();            // 1
  Max = file.ReadInt();            // 2
  CriticalValue = file.ReadInt();  // 3
  CriticalKind = file.ReadInt();   // 4
  Flag1 = file.ReadByte();         // 5
  Flag2 = file.ReadByte();         // 6
  Flag3 = file.ReadByte();         // 7
  Active = file.ReadByte();        // 8

  if (version < FirstLayoutB) {
    // Layout A: one view text for the whole range of values and a single critical value.
    Name.Load(file);
    LegacyFormat.Load(file);
    CriticalMsg.Load(file);
    ViewStringCount = 1;
    ViewString(1).From = Min;
    ViewString(1).To = Max;
    ViewString(1).Text.Text = TrimQuestText(LegacyFormat.Text);
    CriticalRanges.Clear();
    CriticalRanges.AddValue(CriticalValue);
    return;
  }

  const int32_t storedViewStringCount = file.ReadInt();  // 9
  // Ten slots are all a parameter has; a damaged count must not write past them.
  if (storedViewStringCount > MaxViewStrings) {
    throw EParameterFormatError("Parameter view string count " + std::to_string(storedViewStringCount) + " is above " +
                                std::to_string(MaxViewStrings));
  }
  ViewStringCount = storedViewStringCount;
  if (version >= FirstLayoutC) Flag4 = file.ReadByte();  // 10
  Name.Load(file);                                       // 11
  for (int32_t k = 1; k <= ViewStringCount; ++k) {       // 12
    ViewString(k).Load(file);
  }
  CriticalMsg.Load(file);  // 13

  if (version >= FirstLayoutE) {
    CriticalRanges.Load(file);  // 14
  } else if (version >= FirstLayoutD) {
    // The document appends CriticalValue to these ranges once all 24 records are read.
    ValuesList.Load(file);
    CriticalRanges.AssignValues(ValuesList);
    ValuesList.Clear();
  } else {
    CriticalRanges.Clear();
    CriticalRanges.AddValue(CriticalValue);
  }
}

void TParameter::Save(TBlockFileWriter& file) const {
  file.WriteInt(Min);
  file.WriteInt(Max);
  file.WriteInt(CriticalValue);
  file.WriteInt(CriticalKind);
  file.WriteByte(Flag1);
  file.WriteByte(Flag2);
  file.WriteByte(Flag3);
  file.WriteByte(Active);
  // The count written is the count of records that follow, even if a caller set it too high.
  const int32_t storedViewStringCount = std::min(ViewStringCount, MaxViewStrings);
  file.WriteInt(storedViewStringCount);
  file.WriteByte(Flag4);
  Name.Save(file);
  for (int32_t k = 1; k <= storedViewStringCount; ++k) ViewString(k).Save(file);
  CriticalMsg.Save(file);
  CriticalRanges.Save(file);
}

void TParameter::Assign(const TParameter& source) {
  ViewStringCount = source.ViewStringCount;
  for (int32_t k = 1; k <= ViewStringCount && k <= MaxViewStrings; ++k) ViewString(k).Assign(source.ViewString(k));
  Flag4 = source.Flag4;
  Active = source.Active;
  Flag1 = source.Flag1;
  Flag2 = source.Flag2;
  Flag3 = source.Flag3;
  Min = source.Min;
  Max = source.Max;
  CriticalValue = source.CriticalValue;
  CriticalKind = source.CriticalKind;
  // The name is trimmed on copy; the two other texts are copied as they are.
  Name.Text = TrimQuestText(source.Name.Text);
  LegacyFormat.Text = source.LegacyFormat.Text;
  CriticalMsg.Text = source.CriticalMsg.Text;
  ValuesList.Assign(source.ValuesList);
  CriticalRanges.Assign(source.CriticalRanges);
}
