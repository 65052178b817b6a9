#include "quest/GameContent.h"

#include <charconv>
#include <string>

#include "quest/RecordCounts.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"

// Header fields by version. A file whose first integer is not above V11 carries no mark at all.
namespace {
constexpr int32_t FirstWithHeaderFlag = QuestVersion::V12;
constexpr int32_t FirstWithSelector12Sets = QuestVersion::V19;
constexpr int32_t FirstWithSelector34Sets = QuestVersion::V20;
constexpr int32_t FirstWithHeaderValue7 = QuestVersion::V20;
constexpr int32_t FirstWithHeaderValue8 = QuestVersion::V21;
// Parameter layout D keeps its critical values in a list; the single CriticalValue joins them after
// all parameters are read.
constexpr int32_t FirstWithRangeStep = QuestVersion::V19;
constexpr int32_t FirstWithoutRangeStep = QuestVersion::V21;

// Files older than the set bytes hold only the selector integer; the set follows from it.
// Selectors 1 and 2 mark "all" (-1) with a bit of its own, selectors 3 and 4 with all their bits.
enum class SelectorKind { OneOrTwo, Three, Four };

uint8_t DeriveSelectorSet(int32_t value, SelectorKind kind) {
  if (value == -1) {
    switch (kind) {
      case SelectorKind::OneOrTwo:
        return 0x40;
      case SelectorKind::Three:
        return 0x07;
      case SelectorKind::Four:
        return 0x1F;
    }
  }
  const int32_t highestBit = kind == SelectorKind::Three ? 2 : 4;
  if (value >= 0 && value <= highestBit) return static_cast<uint8_t>(1u << value);
  return 0x00;
}

std::u16string Decimal(int32_t value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// prefix + open + number + close, built in one allocation: a full quest has some 26,000 ids.
std::u16string NumberedId(const std::u16string& prefix, const char16_t* open, int32_t number, const char16_t* close) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  std::u16string id;
  // Exactly the length: tens of thousands of ids, each a few units too long, add up to megabytes.
  id.reserve(prefix.size() + std::char_traits<char16_t>::length(open) + static_cast<std::size_t>(end - digits) +
             std::char_traits<char16_t>::length(close));
  id += prefix;
  id += open;
  id.append(digits, end);
  id += close;
  return id;
}

// The nine outside-value texts in file order, each with the catalogue key of its default text.
struct TOutsideText {
  TTextField TGame::*field;
  const char16_t* key;
};
constexpr TOutsideText OutsideTexts[] = {
    {&TGame::RToStar, u"RToStar"},         {&TGame::RParsec, u"RParsec"}, {&TGame::RArtefact, u"RArtefact"},
    {&TGame::RToPlanet, u"RToPlanet"},     {&TGame::RDate, u"RDate"},     {&TGame::RMoney, u"RMoney"},
    {&TGame::RFromPlanet, u"RFromPLanet"},  // the catalogue spells this key with "PL"
    {&TGame::RFromStar, u"RFromStar"},     {&TGame::RVagrel, u"RVagrel"},
};

// A quest file names its counts; records beyond the fixed arrays could be neither read nor written.
void CheckCapacity(int32_t locationCount, int32_t pathCount, const std::string& lead) {
  if (locationCount > MaxLocations)
    throw EQuestCapacityError(lead + std::to_string(locationCount) + " locations; a quest can hold at most " +
                              std::to_string(MaxLocations));
  if (pathCount > MaxPaths)
    throw EQuestCapacityError(lead + std::to_string(pathCount) + " paths; a quest can hold at most " +
                              std::to_string(MaxPaths));
}
}  // namespace

TGame::TGame(const TBlockParJD& catalogue) : Catalogue(&catalogue) {
  Parameters.reserve(MaxParameters);
  for (int32_t slot = 1; slot <= MaxParameters; ++slot) Parameters.emplace_back(slot);
  Locations.reserve(MaxLocations);
  for (int32_t i = 0; i < MaxLocations; ++i) Locations.emplace_back(catalogue);
  Paths.reserve(MaxPaths);
  for (int32_t i = 0; i < MaxPaths; ++i) Paths.emplace_back(catalogue);
  Reset();
}

void TGame::Reset() {
  Version = CurrentQuestVersion;
  VersionRead = CurrentQuestVersion;
  Selector1 = 0;
  Selector1Set = 0x1F;
  HeaderFlag = 1;
  Selector2 = -1;
  Selector2Set = 0x40;
  Selector3 = -1;
  Selector3Set = 0x07;
  Selector4 = -1;
  Selector4Set = 0x1F;
  HeaderValue1 = 0;
  HeaderValue2 = 0;
  HeaderValue3 = 0;
  HeaderValue4 = 10;
  HeaderValue5 = 8;
  HeaderValue6 = 1;
  HeaderValue7 = 1;
  HeaderValue8 = 50;
  for (int32_t slot = 1; slot <= MaxParameters; ++slot) Parameter(slot).Reset(slot);
  for (const TOutsideText& text : OutsideTexts) (this->*text.field).Text = Catalogue->Par_Get(text.key);
  LocationCount = 0;
  PathCount = 0;
  QuestSuccessGovMessage.Text = Catalogue->Par_Get(u"GameContentQuestSuccessGovMessage");
  QuestDescription.Text = Catalogue->Par_Get(u"GameContentQuestDecription");
  QuestTargetName.Text = Catalogue->Par_Get(u"GameContentQuestTargetName");
  const std::u16string locationName = Catalogue->Par_Get(u"LocationClassNewLocationName");
  const std::u16string locationText = Catalogue->Par_Get(u"LocationClassNewLocationText");
  for (TLocation& location : Locations) location.Reset(locationName, locationText);
  const std::u16string pathStartText = Catalogue->Par_Get(u"PathClassStartPathMessage");
  for (TPath& path : Paths) path.Reset(pathStartText);
}

void TGame::ReadFrom(TBlockFileReader& file) {
  try {
    ReadFields(file);
  } catch (TFileErrorContext& context) {
    if (context.FileName.empty()) context.FileName = file.FileName();
    if (context.Offset < 0) context.Offset = file.Position();
    // A file that is no quest at all is read as an unmarked one until it runs out; saying what
    // its first word was tells the user why.
    const int32_t firstWord = VersionRead == QuestVersion::V11 ? Selector1 : VersionRead;
    if ((VersionRead == QuestVersion::V11 && firstWord != QuestVersion::V11) || VersionRead > CurrentQuestVersion)
      context.Note = "its first word, " + std::to_string(firstWord) + ", is none of the twelve quest version marks";
    throw;
  }
}

void TGame::ReadFields(TBlockFileReader& file) {
  Reset();
  const int32_t first = file.ReadInt();
  if (first > QuestVersion::V11) {
    Version = first;
    Selector1 = file.ReadInt();
  } else {
    // An unmarked file: its first integer is already the first selector.
    Version = QuestVersion::V11;
    Selector1 = first;
  }
  VersionRead = Version;

  if (Version >= FirstWithSelector12Sets)
    Selector1Set = file.ReadByte();
  else
    Selector1Set = DeriveSelectorSet(Selector1, SelectorKind::OneOrTwo);
  if (Version >= FirstWithHeaderFlag) HeaderFlag = file.ReadByte();
  Selector2 = file.ReadInt();
  if (Version >= FirstWithSelector12Sets)
    Selector2Set = file.ReadByte();
  else
    Selector2Set = DeriveSelectorSet(Selector2, SelectorKind::OneOrTwo);
  Selector3 = file.ReadInt();
  if (Version >= FirstWithSelector34Sets)
    Selector3Set = file.ReadByte();
  else
    Selector3Set = DeriveSelectorSet(Selector3, SelectorKind::Three);
  Selector4 = file.ReadInt();
  if (Version >= FirstWithSelector34Sets)
    Selector4Set = file.ReadByte();
  else
    Selector4Set = DeriveSelectorSet(Selector4, SelectorKind::Four);
  HeaderValue1 = file.ReadInt();
  HeaderValue2 = file.ReadInt();
  HeaderValue3 = file.ReadInt();
  HeaderValue4 = file.ReadInt();
  HeaderValue5 = file.ReadInt();
  HeaderValue6 = file.ReadInt();
  if (Version >= FirstWithHeaderValue7) HeaderValue7 = file.ReadInt();
  if (Version >= FirstWithHeaderValue8) HeaderValue8 = file.ReadInt();

  for (int32_t slot = 1; slot <= StoredParameterCount(Version); ++slot) Parameter(slot).Load(file, Version);
  if (Version >= FirstWithRangeStep && Version < FirstWithoutRangeStep)
    for (TParameter& parameter : Parameters) parameter.CriticalRanges.AddValue(parameter.CriticalValue);

  for (const TOutsideText& text : OutsideTexts) (this->*text.field).Load(file);
  // The arrays are fixed; a larger count is refused before a single record is read, and before
  // it is stored, so that the document never claims more records than it has.
  const int32_t locationCount = file.ReadInt();
  const int32_t pathCount = file.ReadInt();
  CheckCapacity(locationCount, pathCount, "The quest file holds ");
  LocationCount = locationCount;
  PathCount = pathCount;
  QuestSuccessGovMessage.Load(file);
  QuestDescription.Load(file);
  QuestTargetName.Load(file);
  for (int32_t i = 1; i <= LocationCount; ++i) Location(i).Load(file, Version);
  for (int32_t i = 1; i <= PathCount; ++i) Path(i).Load(file, Version);
  Version = CurrentQuestVersion;
}

void TGame::WriteTo(TBlockFileWriter& file) const {
  CheckCapacity(LocationCount, PathCount, "Cannot save a quest with ");
  // The records are always written in the current layouts, so the mark must be the current one too,
  // even for a document whose last read stopped half-way with an older Version.
  file.WriteInt(CurrentQuestVersion);
  file.WriteInt(Selector1);
  file.WriteByte(Selector1Set);
  file.WriteByte(HeaderFlag);
  file.WriteInt(Selector2);
  file.WriteByte(Selector2Set);
  file.WriteInt(Selector3);
  file.WriteByte(Selector3Set);
  file.WriteInt(Selector4);
  file.WriteByte(Selector4Set);
  file.WriteInt(HeaderValue1);
  file.WriteInt(HeaderValue2);
  file.WriteInt(HeaderValue3);
  file.WriteInt(HeaderValue4);
  file.WriteInt(HeaderValue5);
  file.WriteInt(HeaderValue6);
  file.WriteInt(HeaderValue7);
  file.WriteInt(HeaderValue8);
  for (const TParameter& parameter : Parameters) parameter.Save(file);
  for (const TOutsideText& text : OutsideTexts) (this->*text.field).Save(file);
  file.WriteInt(LocationCount);
  file.WriteInt(PathCount);
  QuestSuccessGovMessage.Save(file);
  QuestDescription.Save(file);
  QuestTargetName.Save(file);
  for (int32_t i = 1; i <= LocationCount; ++i) Location(i).Save(file);
  for (int32_t i = 1; i <= PathCount; ++i) Path(i).Save(file);
}

void TGame::LoadFromFile(const std::string& fileName) {
  // Opening reads the whole file; only then is the document touched.
  TBlockFileReader file(fileName);
  ReadFrom(file);
}

void TGame::SaveToFile(const std::string& fileName) const {
  TBlockFileWriter file(fileName, TPieces::Streamed);
  WriteTo(file);
  file.Commit();
}

void TGame::Assign(const TGame& source) {
  if (&source == this) return;
  Version = source.Version;
  VersionRead = source.VersionRead;
  Selector1 = source.Selector1;
  Selector1Set = source.Selector1Set;
  HeaderFlag = source.HeaderFlag;
  Selector2 = source.Selector2;
  Selector2Set = source.Selector2Set;
  Selector3 = source.Selector3;
  Selector3Set = source.Selector3Set;
  Selector4 = source.Selector4;
  Selector4Set = source.Selector4Set;
  HeaderValue1 = source.HeaderValue1;
  HeaderValue2 = source.HeaderValue2;
  HeaderValue3 = source.HeaderValue3;
  HeaderValue4 = source.HeaderValue4;
  HeaderValue5 = source.HeaderValue5;
  HeaderValue6 = source.HeaderValue6;
  HeaderValue7 = source.HeaderValue7;
  HeaderValue8 = source.HeaderValue8;
  QuestSuccessGovMessage.Text = source.QuestSuccessGovMessage.Text;
  QuestDescription.Text = source.QuestDescription.Text;
  QuestTargetName.Text = source.QuestTargetName.Text;
  for (const TOutsideText& text : OutsideTexts) (this->*text.field).Text = (source.*text.field).Text;
  for (std::size_t i = 0; i < Parameters.size(); ++i) Parameters[i].Assign(source.Parameters[i]);
  LocationCount = source.LocationCount;
  PathCount = source.PathCount;
  for (std::size_t i = 0; i < Locations.size(); ++i) Locations[i].Assign(source.Locations[i]);
  for (std::size_t i = 0; i < Paths.size(); ++i) Paths[i].Assign(source.Paths[i]);
}

TMessageType DecodeMessageType(int32_t code) {
  return TMessageType{static_cast<MessageKind>(code % 1000), code / 1000};
}

TMessageList TGame::Messages() {
  TMessageList list;
  EnumerateMessages(list.Count, list.Types, list.Texts, list.Ids);
  return list;
}

void TGame::EnumerateMessages(int32_t& MessageCount, std::vector<int32_t>& MessageTypes,
                              std::vector<TTextField*>& MessageTexts, std::vector<std::u16string>& MessageIds) {
  MessageCount = 0;
  MessageTypes.assign(1, 0);
  MessageTexts.assign(1, nullptr);
  MessageIds.assign(1, std::u16string());
  auto append = [&](int32_t code, TTextField& text, std::u16string id) {
    ++MessageCount;
    MessageTypes.push_back(code);
    MessageTexts.push_back(&text);
    MessageIds.push_back(std::move(id));
  };
  auto appendUnlessBlank = [&](int32_t code, TTextField& text, auto&& makeId) {
    if (!IsBlankText(text.Text)) append(code, text, makeId());
  };
  auto fixedId = [](const char16_t* id) { return [id] { return std::u16string(id); }; };

  appendUnlessBlank(KindMissionGov, QuestDescription, fixedId(u"GovMsg"));
  appendUnlessBlank(KindSuccessGov, QuestSuccessGovMessage, fixedId(u"GovMsgSuccess"));
  appendUnlessBlank(KindOutsidePar, RVagrel, fixedId(u"RVagrel"));
  appendUnlessBlank(KindOutsidePar, RToPlanet, fixedId(u"RToPlanet"));
  appendUnlessBlank(KindOutsidePar, RToStar, fixedId(u"RToStar"));
  appendUnlessBlank(KindOutsidePar, RFromPlanet, fixedId(u"RFromPlanet"));
  appendUnlessBlank(KindOutsidePar, RFromStar, fixedId(u"RFromStar"));

  for (int32_t p = 1; p <= MaxParameters; ++p) {
    TParameter& parameter = Parameter(p);
    if (parameter.Active == 0) continue;
    const std::u16string prefix = u"Par(" + Decimal(p) + u").";
    append(KindEditorParName, parameter.Name, prefix + u"Name");  // even when blank
    const int32_t viewStrings = parameter.ViewStringCount < MaxViewStrings ? parameter.ViewStringCount : MaxViewStrings;
    for (int32_t k = 1; k <= viewStrings; ++k)
      appendUnlessBlank(KindParViewString, parameter.ViewString(k).Text,
                        [&] { return NumberedId(prefix, u"Format(", k, u")"); });
    if (parameter.CriticalKind != 0)
      appendUnlessBlank(KindStandartCritical, parameter.CriticalMsg, [&] { return prefix + u"CriticalMsg"; });
  }

  auto appendChanges = [&](std::array<TParameterDelta, MaxChanges>& changes, const std::u16string& prefix) {
    for (int32_t c = 1; c <= MaxChanges; ++c)
      appendUnlessBlank(KindCustomCritical, changes[static_cast<std::size_t>(c - 1)].CustomCriticalMsg,
                        [&] { return NumberedId(prefix, u"Delta(", c, u")."); });
  };

  for (int32_t i = 1; i <= LocationCount && i <= MaxLocations; ++i) {
    TLocation& location = Location(i);
    const std::u16string prefix = u"L(" + Decimal(location.Number) + u").";
    // Wraps like the 32-bit arithmetic the codes have always been computed with.
    const int32_t code = static_cast<int32_t>(static_cast<uint32_t>(location.Number) * 1000u + KindLocationText);
    for (int32_t n = 1; n <= LocationTextCount; ++n)
      appendUnlessBlank(code, location.Text(n), [&] { return NumberedId(prefix, u"Text(", n, u")"); });
    appendChanges(location.Changes, prefix);
  }

  for (int32_t i = 1; i <= PathCount && i <= MaxPaths; ++i) {
    TPath& path = Path(i);
    const std::u16string prefix = u"Path(" + Decimal(path.Number) + u").";
    appendUnlessBlank(KindPathQuestion, path.StartText, [&] { return prefix + u"Start"; });
    appendUnlessBlank(KindPathText, path.EndText, [&] { return prefix + u"End"; });
    appendChanges(path.Changes, prefix);
  }
}
