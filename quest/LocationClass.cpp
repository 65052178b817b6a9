#include "quest/LocationClass.h"

#include "quest/RecordCounts.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"

// Location layouts by version: A up to V14, B V15, C V16, D V17-V18, E V19-V20, F from V21.
namespace {
constexpr int32_t FirstWithLeadValue = QuestVersion::V16;      // layout C
constexpr int32_t FirstWithFlag5 = QuestVersion::V19;          // layout E
constexpr int32_t FirstWithTexts = QuestVersion::V16;          // layout C: ten texts, TextFlag, TextValue
constexpr int32_t FirstWithExtraText = QuestVersion::V21;      // layout F
constexpr int32_t FirstWithoutLegacyText = QuestVersion::V15;  // layout B empties LegacyText
}  // namespace

TLocation::TLocation(const TBlockParJD& catalogue) : Catalogue(&catalogue) { Reset(); }

void TLocation::Reset() {
  const std::u16string name = Catalogue->Par_Get(u"LocationClassNewLocationName");
  Reset(name, Catalogue->Par_Get(u"LocationClassNewLocationText"));
}

void TLocation::Reset(const std::u16string& defaultName, const std::u16string& defaultLegacyText) {
  Number = 0;
  LeadValue = 0;
  ValueA = 100;
  ValueB = 100;
  Flag1 = Flag2 = Flag3 = Flag4 = Flag5 = 0;
  for (TParameterDelta& change : Changes) change.Reset();
  for (TTextField& text : Texts) text.Clear();
  TextFlag = 0;
  TextValue = 1;
  Name.Text = defaultName;
  LegacyText.Text = defaultLegacyText;
  ExtraText.Clear();
}

void TLocation::Load(TBlockFileReader& file, int32_t version) {
  Reset();
  if (version >= FirstWithLeadValue) LeadValue = file.ReadInt();
  ValueA = file.ReadInt();
  ValueB = file.ReadInt();
  Number = file.ReadInt();
  Flag1 = file.ReadByte();
  Flag2 = file.ReadByte();
  Flag3 = file.ReadByte();
  Flag4 = file.ReadByte();
  if (version >= FirstWithFlag5) Flag5 = file.ReadByte();
  for (int32_t i = 1; i <= StoredChangeCount(version); ++i) Change(i).Load(file, version);
  if (version >= FirstWithTexts) {
    for (TTextField& text : Texts) text.Load(file);
    TextFlag = file.ReadByte();
    TextValue = file.ReadInt();
  }
  Name.Load(file);
  LegacyText.Load(file);
  if (version >= FirstWithExtraText) ExtraText.Load(file);

  // The two oldest layouts have one text only; it becomes the first numbered text. Layout A keeps
  // it in LegacyText as well, so that such a location saves it twice, as it always did.
  if (version < FirstWithTexts) Text(1).Text = TrimQuestText(LegacyText.Text);
  if (version >= FirstWithoutLegacyText) LegacyText.Clear();
}

void TLocation::Save(TBlockFileWriter& file) const {
  file.WriteInt(LeadValue);
  file.WriteInt(ValueA);
  file.WriteInt(ValueB);
  file.WriteInt(Number);
  file.WriteByte(Flag1);
  file.WriteByte(Flag2);
  file.WriteByte(Flag3);
  file.WriteByte(Flag4);
  file.WriteByte(Flag5);
  for (const TParameterDelta& change : Changes) change.Save(file);
  for (const TTextField& text : Texts) text.Save(file);
  file.WriteByte(TextFlag);
  file.WriteInt(TextValue);
  Name.Save(file);
  LegacyText.Save(file);
  ExtraText.Save(file);
}

void TLocation::Assign(const TLocation& source) {
  if (&source == this) {
    LegacyText.Clear();
    return;
  }
  Number = source.Number;
  LeadValue = source.LeadValue;
  ValueA = source.ValueA;
  ValueB = source.ValueB;
  Flag1 = source.Flag1;
  Flag2 = source.Flag2;
  Flag3 = source.Flag3;
  Flag4 = source.Flag4;
  Flag5 = source.Flag5;
  for (std::size_t i = 0; i < Changes.size(); ++i) Changes[i].Assign(source.Changes[i]);
  for (std::size_t n = 0; n < Texts.size(); ++n) Texts[n].Text = source.Texts[n].Text;
  TextFlag = source.TextFlag;
  TextValue = source.TextValue;
  Name.Text = source.Name.Text;
  ExtraText.Text = source.ExtraText.Text;
  // A copy never carries the single text of the oldest layouts: it already lives in Texts[1].
  LegacyText.Clear();
}
