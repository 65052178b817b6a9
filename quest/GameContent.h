#pragma once
// TGame: one quest document (header, 24 parameters, twelve document texts, up to 300 locations and
// 600 paths), its quest file in every version, and the list of its translatable messages.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "quest/LocationClass.h"
#include "quest/ParameterClass.h"
#include "quest/PathClass.h"
#include "quest/TextFieldClass.h"

class TBlockParJD;
class TBlockFileReader;
class TBlockFileWriter;

// Message kinds (type code = kind + 1000 * location number for location texts).
enum MessageKind : int32_t {
  KindEditorParName = 1,
  KindGameParName = 2,
  KindStandartCritical = 3,
  KindOutsidePar = 4,
  KindSuccessGov = 5,
  KindMissionGov = 6,
  KindLocationText = 7,
  KindPathQuestion = 8,
  KindPathText = 9,
  KindCustomCritical = 10,
  KindParViewString = 11,
};

// A quest file that is well formed but cannot be held, such as more locations than the document has
// slots for. Raised before anything past the capacity is read.
class EQuestCapacityError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TGame {
 public:
  // Create: every record once, then Reset. The arrays are never resized afterwards, so references
  // to their text fields stay valid for the life of the document.
  explicit TGame(const TBlockParJD& catalogue);
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  const TBlockParJD* Catalogue;
  int32_t Version = CurrentQuestVersion;
  // The first integer of the last file read when it was a version mark, else 1111111111; kept after
  // Version becomes current so that tools can say what was read. Reset sets it to the current one.
  int32_t VersionRead = CurrentQuestVersion;
  int32_t Selector1 = 0;
  uint8_t Selector1Set = 0x1F;
  uint8_t HeaderFlag = 1;
  int32_t Selector2 = -1;
  uint8_t Selector2Set = 0x40;
  int32_t Selector3 = -1;
  uint8_t Selector3Set = 0x07;
  int32_t Selector4 = -1;
  uint8_t Selector4Set = 0x1F;
  int32_t HeaderValue1 = 0;
  int32_t HeaderValue2 = 0;
  int32_t HeaderValue3 = 0;
  int32_t HeaderValue4 = 10;
  int32_t HeaderValue5 = 8;
  int32_t HeaderValue6 = 1;
  int32_t HeaderValue7 = 1;
  int32_t HeaderValue8 = 50;
  // Parameters[0] is parameter 1; Parameter(i), Location(i), Path(i) take the 1-based number.
  std::vector<TParameter> Parameters;
  TTextField RToStar, RParsec, RArtefact, RToPlanet, RDate, RMoney, RFromPlanet, RFromStar, RVagrel;
  int32_t LocationCount = 0;
  int32_t PathCount = 0;
  TTextField QuestSuccessGovMessage;
  TTextField QuestDescription;
  TTextField QuestTargetName;
  std::vector<TLocation> Locations;
  std::vector<TPath> Paths;

  TParameter& Parameter(int32_t i) { return Parameters.at(static_cast<std::size_t>(i - 1)); }
  const TParameter& Parameter(int32_t i) const { return Parameters.at(static_cast<std::size_t>(i - 1)); }
  TLocation& Location(int32_t i) { return Locations.at(static_cast<std::size_t>(i - 1)); }
  const TLocation& Location(int32_t i) const { return Locations.at(static_cast<std::size_t>(i - 1)); }
  TPath& Path(int32_t i) { return Paths.at(static_cast<std::size_t>(i - 1)); }
  const TPath& Path(int32_t i) const { return Paths.at(static_cast<std::size_t>(i - 1)); }

  void Reset();
  void ReadFrom(TBlockFileReader& file);
  void WriteTo(TBlockFileWriter& file) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  void Assign(const TGame& source);

  // Lists the translatable texts. The arrays are 1-based like every message number of the system:
  // they are cleared and given a placeholder entry 0 (code 0, no text, empty id), then message n is
  // stored at index n. MessageCount is the number of messages. No capacity: the arrays grow.
  void EnumerateMessages(int32_t& MessageCount, std::vector<int32_t>& MessageTypes,
                         std::vector<TTextField*>& MessageTexts, std::vector<std::u16string>& MessageIds);
};
