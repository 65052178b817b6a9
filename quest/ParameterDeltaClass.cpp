#include "quest/ParameterDeltaClass.h"

#include "support/BlockFile.h"

namespace {

// Version thresholds of the parameter-change record. The oldest form (below the first of them)
// holds Value2 to Value5, Flag1, Flag2 and the custom critical message only.
constexpr int32_t FirstWithValue1AndLists = QuestVersion::V16;
constexpr int32_t FirstWithFlag3 = QuestVersion::V17;
constexpr int32_t FirstWithFlag4AndExtraText = QuestVersion::V19;

}  // namespace

void TParameterDelta::Reset() {
  ValueList1.Clear();
  ValueList2.Clear();
  Value1 = 0;
  Value2 = 0;
  Value3 = 1;
  Value4 = 0;
  Flag2 = 0;
  Flag3 = 0;
  Flag4 = 0;
  ExtraText.Clear();
  CustomCriticalMsg.Clear();
  Value5 = 0;
  Flag1 = 0;
}

void TParameterDelta::Load(TBlockFileReader& file, int32_t version) {
  // Every read starts from the defaults, so an older record leaves the fields it lacks at them.
  Reset();
  if (version >= FirstWithValue1AndLists) Value1 = file.ReadInt();     // 1
  Value2 = file.ReadInt();                                             // 2
  Value3 = file.ReadInt();                                             // 3
  Value4 = file.ReadInt();                                             // 4
  Value5 = file.ReadInt();                                             // 5
  Flag1 = file.ReadByte();                                             // 6
  Flag2 = file.ReadByte();                                             // 7
  if (version >= FirstWithFlag3) Flag3 = file.ReadByte();              // 8
  if (version >= FirstWithFlag4AndExtraText) Flag4 = file.ReadByte();  // 9
  if (version >= FirstWithFlag4AndExtraText) ExtraText.Load(file);     // 10
  if (version >= FirstWithValue1AndLists) ValueList1.Load(file);       // 11
  if (version >= FirstWithValue1AndLists) ValueList2.Load(file);       // 12
  CustomCriticalMsg.Load(file);                                        // 13
}

void TParameterDelta::Save(TBlockFileWriter& file) const {
  file.WriteInt(Value1);
  file.WriteInt(Value2);
  file.WriteInt(Value3);
  file.WriteInt(Value4);
  file.WriteInt(Value5);
  file.WriteByte(Flag1);
  file.WriteByte(Flag2);
  file.WriteByte(Flag3);
  file.WriteByte(Flag4);
  ExtraText.Save(file);
  ValueList1.Save(file);
  ValueList2.Save(file);
  CustomCriticalMsg.Save(file);
}

void TParameterDelta::Assign(const TParameterDelta& source) {
  ValueList1.Assign(source.ValueList1);
  ValueList2.Assign(source.ValueList2);
  Value1 = source.Value1;
  Value2 = source.Value2;
  Value3 = source.Value3;
  Value4 = source.Value4;
  Flag2 = source.Flag2;
  Flag3 = source.Flag3;
  Flag4 = source.Flag4;
  ExtraText.Text = TrimQuestText(source.ExtraText.Text);
  CustomCriticalMsg.Text = TrimQuestText(source.CustomCriticalMsg.Text);
  Value5 = source.Value5;
  Flag1 = source.Flag1;
}
