#include "common/LegacyQuestWriter.h"

#include "common/LegacyRecords.h"
#include "quest/GameContent.h"
#include "quest/RecordCounts.h"
#include "support/BlockFile.h"

using namespace QuestVersion;

namespace {
void WriteChanges(TBlockFileWriter& file, const std::array<TParameterDelta, MaxChanges>& changes, int32_t version) {
  for (int32_t i = 0; i < StoredChangeCount(version); ++i)
    WriteLegacyChange(file, changes[static_cast<std::size_t>(i)], version);
}
}  // namespace

void WriteLegacyHeader(TBlockFileWriter& file, const TGame& game, int32_t version) {
  if (version > V11) file.WriteInt(version);
  file.WriteInt(game.Selector1);
  if (version >= V19) file.WriteByte(game.Selector1Set);
  if (version >= V12) file.WriteByte(game.HeaderFlag);
  file.WriteInt(game.Selector2);
  if (version >= V19) file.WriteByte(game.Selector2Set);
  file.WriteInt(game.Selector3);
  if (version >= V20) file.WriteByte(game.Selector3Set);
  file.WriteInt(game.Selector4);
  if (version >= V20) file.WriteByte(game.Selector4Set);
  file.WriteInt(game.HeaderValue1);
  file.WriteInt(game.HeaderValue2);
  file.WriteInt(game.HeaderValue3);
  file.WriteInt(game.HeaderValue4);
  file.WriteInt(game.HeaderValue5);
  file.WriteInt(game.HeaderValue6);
  if (version >= V20) file.WriteInt(game.HeaderValue7);
  if (version >= V21) file.WriteInt(game.HeaderValue8);
}

// Location layouts: A up to V14 (9 changes), B V15 (12), C V16, D V17-V18, E V19-V20, F from V21.
void WriteLegacyLocation(TBlockFileWriter& file, const TLocation& location, int32_t version) {
  const bool hasTexts = version >= V16;  // layouts C to F
  if (hasTexts) file.WriteInt(location.LeadValue);
  file.WriteInt(location.ValueA);
  file.WriteInt(location.ValueB);
  file.WriteInt(location.Number);
  file.WriteByte(location.Flag1);
  file.WriteByte(location.Flag2);
  file.WriteByte(location.Flag3);
  file.WriteByte(location.Flag4);
  if (version >= V19) file.WriteByte(location.Flag5);
  WriteChanges(file, location.Changes, version);
  if (hasTexts) {
    for (const TTextField& text : location.Texts) text.Save(file);
    file.WriteByte(location.TextFlag);
    file.WriteInt(location.TextValue);
  }
  location.Name.Save(file);
  location.LegacyText.Save(file);
  if (version >= V21) location.ExtraText.Save(file);
}

// Path layouts: A V11, B V12-V13, C V14, D V15, E V16, F V17-V18, G V19-V21, H from V22.
void WriteLegacyPath(TBlockFileWriter& file, const TPath& path, int32_t version) {
  if (version >= V16) {
    file.WriteReal(path.RealValue);
    file.WriteInt(path.Value1);
  }
  file.WriteInt(path.Number);
  file.WriteInt(path.Value2);
  file.WriteInt(path.Value3);
  file.WriteByte(path.Flag1);
  if (version >= V12) file.WriteByte(path.Flag2);
  if (version >= V14) file.WriteInt(path.Value4);
  if (version >= V22) file.WriteInt(path.Value5);
  WriteChanges(file, path.Changes, version);
  if (version >= V19) path.ExtraText.Save(file);
  path.StartText.Save(file);
  path.EndText.Save(file);
}

std::vector<uint8_t> WriteLegacyQuest(const TGame& game, int32_t version) {
  if (version < V11) version = V11;
  TBlockFileWriter file;
  WriteLegacyHeader(file, game, version);
  for (int32_t slot = 1; slot <= StoredParameterCount(version); ++slot)
    WriteLegacyParameter(file, game.Parameter(slot), version);
  game.RToStar.Save(file);
  game.RParsec.Save(file);
  game.RArtefact.Save(file);
  game.RToPlanet.Save(file);
  game.RDate.Save(file);
  game.RMoney.Save(file);
  game.RFromPlanet.Save(file);
  game.RFromStar.Save(file);
  game.RVagrel.Save(file);
  file.WriteInt(game.LocationCount);
  file.WriteInt(game.PathCount);
  game.QuestSuccessGovMessage.Save(file);
  game.QuestDescription.Save(file);
  game.QuestTargetName.Save(file);
  for (int32_t i = 1; i <= game.LocationCount && i <= MaxLocations; ++i)
    WriteLegacyLocation(file, game.Location(i), version);
  for (int32_t i = 1; i <= game.PathCount && i <= MaxPaths; ++i) WriteLegacyPath(file, game.Path(i), version);
  return file.Bytes();
}
