#include "quest/PathClass.h"

#include "quest/RecordCounts.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"

// Path layouts by version: A V11, B V12-V13, C V14, D V15, E V16, F V17-V18, G V19-V21, H from V22.
// They change at other versions than the location layouts.
namespace {
constexpr int32_t FirstWithRealValue = QuestVersion::V16;  // layout E: RealValue and Value1
constexpr int32_t FirstWithFlag2 = QuestVersion::V12;      // layout B
constexpr int32_t FirstWithValue4 = QuestVersion::V14;     // layout C
constexpr int32_t FirstWithValue5 = QuestVersion::V22;     // layout H
constexpr int32_t FirstWithExtraText = QuestVersion::V19;  // layout G
}  // namespace

TPath::TPath(const TBlockParJD& catalogue) : Catalogue(&catalogue) { Reset(); }

void TPath::Reset() { Reset(Catalogue->Par_Get(u"PathClassStartPathMessage")); }

void TPath::Reset(const std::u16string& defaultStartText) {
  RealValue = 1.0;
  Value1 = 0;
  Number = 0;
  Value2 = 0;
  Value3 = 0;
  Flag1 = 1;
  Flag2 = 0;
  Value4 = 1;
  Value5 = 5;
  for (TParameterDelta& change : Changes) change.Reset();
  ExtraText.Clear();
  StartText.Text = defaultStartText;
  EndText.Clear();
}

void TPath::Load(TBlockFileReader& file, int32_t version) {
  Reset();
  if (version >= FirstWithRealValue) {
    RealValue = file.ReadReal();
    Value1 = file.ReadInt();
  }
  Number = file.ReadInt();
  Value2 = file.ReadInt();
  Value3 = file.ReadInt();
  Flag1 = file.ReadByte();
  if (version >= FirstWithFlag2) Flag2 = file.ReadByte();
  if (version >= FirstWithValue4) Value4 = file.ReadInt();
  if (version >= FirstWithValue5) Value5 = file.ReadInt();
  for (int32_t i = 1; i <= StoredChangeCount(version); ++i) Change(i).Load(file, version);
  if (version >= FirstWithExtraText) ExtraText.Load(file);
  StartText.Load(file);
  EndText.Load(file);
}

void TPath::Save(TBlockFileWriter& file) const {
  file.WriteReal(RealValue);
  file.WriteInt(Value1);
  file.WriteInt(Number);
  file.WriteInt(Value2);
  file.WriteInt(Value3);
  file.WriteByte(Flag1);
  file.WriteByte(Flag2);
  file.WriteInt(Value4);
  file.WriteInt(Value5);
  for (const TParameterDelta& change : Changes) change.Save(file);
  ExtraText.Save(file);
  StartText.Save(file);
  EndText.Save(file);
}

void TPath::Assign(const TPath& source) {
  if (&source == this) return;
  RealValue = source.RealValue;
  Value1 = source.Value1;
  Number = source.Number;
  Value2 = source.Value2;
  Value3 = source.Value3;
  Flag1 = source.Flag1;
  Flag2 = source.Flag2;
  Value4 = source.Value4;
  Value5 = source.Value5;
  for (std::size_t i = 0; i < Changes.size(); ++i) Changes[i].Assign(source.Changes[i]);
  ExtraText.Text = source.ExtraText.Text;
  StartText.Text = source.StartText.Text;
  EndText.Text = source.EndText.Text;
}
