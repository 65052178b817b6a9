#include "common/LegacyRecords.h"

#include "quest/ParameterClass.h"
#include "quest/ParameterDeltaClass.h"
#include "support/BlockFile.h"

namespace {

// Texts go out exactly as given (no trimming), so tests can store padded or odd texts.
void WriteText(TBlockFileWriter& file, const std::u16string& text) {
  file.WriteInt(1);
  file.WriteInt(static_cast<int32_t>(text.size()));
  file.WriteUnits(text);
}

void WriteValuesList(TBlockFileWriter& file, const LegacyValuesList& list) {
  file.WriteInt(list.Count);
  file.WriteByte(list.Flag);
  for (const int32_t value : list.Values) file.WriteInt(value);
}

LegacyValuesList PlainValuesList(const TValuesList& list) { return {list.Count, list.Flag, list.Values}; }

}  // namespace

ParameterLayout ParameterLayoutForVersion(int32_t version) {
  if (version >= QuestVersion::V21) return ParameterLayout::E;
  if (version >= QuestVersion::V19) return ParameterLayout::D;
  if (version >= QuestVersion::V18) return ParameterLayout::C;
  if (version >= QuestVersion::V13) return ParameterLayout::B;
  return ParameterLayout::A;
}

ChangeLayout ChangeLayoutForVersion(int32_t version) {
  if (version >= QuestVersion::V19) return ChangeLayout::D4;
  if (version >= QuestVersion::V17) return ChangeLayout::D3;
  if (version >= QuestVersion::V16) return ChangeLayout::D2;
  return ChangeLayout::D1;
}

void WriteLegacyParameterRecord(TBlockFileWriter& file, const LegacyParameterRecord& record, ParameterLayout layout) {
  file.WriteInt(record.Min);
  file.WriteInt(record.Max);
  file.WriteInt(record.CriticalValue);
  file.WriteInt(record.CriticalKind);
  file.WriteByte(record.Flag1);
  file.WriteByte(record.Flag2);
  file.WriteByte(record.Flag3);
  file.WriteByte(record.Active);
  if (layout == ParameterLayout::A) {
    WriteText(file, record.Name);
    WriteText(file, record.LegacyFormat);
    WriteText(file, record.CriticalMsg);
    return;
  }
  file.WriteInt(record.ViewStringCount);
  if (layout != ParameterLayout::B) file.WriteByte(record.Flag4);
  WriteText(file, record.Name);
  for (const LegacyViewString& viewString : record.ViewStrings) {
    file.WriteInt(viewString.From);
    file.WriteInt(viewString.To);
    WriteText(file, viewString.Text);
  }
  WriteText(file, record.CriticalMsg);
  if (layout == ParameterLayout::D) WriteValuesList(file, record.ValuesList);
  if (layout == ParameterLayout::E) WriteText(file, std::u16string(record.RangeText.begin(), record.RangeText.end()));
}

void WriteLegacyChangeRecord(TBlockFileWriter& file, const LegacyChangeRecord& record, ChangeLayout layout) {
  const bool hasValue1AndLists = layout != ChangeLayout::D1;
  const bool hasFlag3 = layout == ChangeLayout::D3 || layout == ChangeLayout::D4;
  const bool hasFlag4AndExtraText = layout == ChangeLayout::D4;
  if (hasValue1AndLists) file.WriteInt(record.Value1);
  file.WriteInt(record.Value2);
  file.WriteInt(record.Value3);
  file.WriteInt(record.Value4);
  file.WriteInt(record.Value5);
  file.WriteByte(record.Flag1);
  file.WriteByte(record.Flag2);
  if (hasFlag3) file.WriteByte(record.Flag3);
  if (hasFlag4AndExtraText) {
    file.WriteByte(record.Flag4);
    WriteText(file, record.ExtraText);
  }
  if (hasValue1AndLists) {
    WriteValuesList(file, record.ValueList1);
    WriteValuesList(file, record.ValueList2);
  }
  WriteText(file, record.CustomCriticalMsg);
}

LegacyParameterRecord LegacyRecordOf(const TParameter& parameter) {
  LegacyParameterRecord record;
  record.Min = parameter.Min;
  record.Max = parameter.Max;
  record.CriticalValue = parameter.CriticalValue;
  record.CriticalKind = parameter.CriticalKind;
  record.Flag1 = parameter.Flag1;
  record.Flag2 = parameter.Flag2;
  record.Flag3 = parameter.Flag3;
  record.Active = parameter.Active;
  record.ViewStringCount = parameter.ViewStringCount;
  record.Flag4 = parameter.Flag4;
  record.Name = parameter.Name.Text;
  record.LegacyFormat = parameter.LegacyFormat.Text;
  record.ViewStrings.clear();  // the plain record starts with one default view string
  for (int32_t k = 1; k <= parameter.ViewStringCount && k <= MaxViewStrings; ++k) {
    const TParWiewString& viewString = parameter.ViewString(k);
    record.ViewStrings.push_back({viewString.From, viewString.To, viewString.Text.Text});
  }
  record.CriticalMsg = parameter.CriticalMsg.Text;

  const TCPDiapazone& ranges = parameter.CriticalRanges;
  std::size_t listed = ranges.Low.size();
  if (listed > 0 && ranges.Low[listed - 1] == parameter.CriticalValue &&
      ranges.High[listed - 1] == parameter.CriticalValue) {
    --listed;
  }
  for (std::size_t i = 0; i < listed; ++i) {
    if (ranges.Low[i] == ranges.High[i]) record.ValuesList.Values.push_back(static_cast<int32_t>(ranges.Low[i]));
  }
  record.ValuesList.Count = static_cast<int32_t>(record.ValuesList.Values.size());
  record.RangeText = ranges.ToText();
  return record;
}

LegacyChangeRecord LegacyRecordOf(const TParameterDelta& change) {
  LegacyChangeRecord record;
  record.Value1 = change.Value1;
  record.Value2 = change.Value2;
  record.Value3 = change.Value3;
  record.Value4 = change.Value4;
  record.Value5 = change.Value5;
  record.Flag1 = change.Flag1;
  record.Flag2 = change.Flag2;
  record.Flag3 = change.Flag3;
  record.Flag4 = change.Flag4;
  record.ExtraText = change.ExtraText.Text;
  record.ValueList1 = PlainValuesList(change.ValueList1);
  record.ValueList2 = PlainValuesList(change.ValueList2);
  record.CustomCriticalMsg = change.CustomCriticalMsg.Text;
  return record;
}

void WriteLegacyParameter(TBlockFileWriter& file, const TParameter& parameter, int32_t version) {
  WriteLegacyParameterRecord(file, LegacyRecordOf(parameter), ParameterLayoutForVersion(version));
}

void WriteLegacyChange(TBlockFileWriter& file, const TParameterDelta& change, int32_t version) {
  WriteLegacyChangeRecord(file, LegacyRecordOf(change), ChangeLayoutForVersion(version));
}
