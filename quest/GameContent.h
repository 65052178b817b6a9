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
#include "support/JD_Error.h"

class TBlockParJD;
class TBlockFileReader;
class TBlockFileWriter;

// Message kinds (type code = kind + 1000 * location number for location texts).
enum MessageKind : int32_t {
  KindEditorParName = 1,
  KindGameParName = 2,
  KindStandartCritical = 3,  // spelled as the catalogue key StandartCriticalMSGType, on purpose
  KindOutsidePar = 4,
  KindSuccessGov = 5,
  KindMissionGov = 6,
  KindLocationText = 7,
  KindPathQuestion = 8,
  KindPathText = 9,
  KindCustomCritical = 10,
  KindParViewString = 11,
};

// A type code taken apart: its kind, and the record number it carries (the location's number for
// location texts, 0 for every other kind).
struct TMessageType {
  MessageKind Kind;
  int32_t Number;
};
TMessageType DecodeMessageType(int32_t code);

// The translatable texts of a quest, 1-based like every message number (entry 0 is a placeholder
// with code 0, no text and an empty id).
struct TMessageList {
  int32_t Count = 0;
  std::vector<int32_t> Types;
  std::vector<TTextField*> Texts;
  std::vector<std::u16string> Ids;
};

// A quest file that is well formed but cannot be held, such as more locations than the document has
// slots for. Raised before anything past the capacity is read.
class EQuestCapacityError : public std::runtime_error, public TFileErrorContext {
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
  // The header; its values for a new document are set in one place, Reset (the constructor calls it).
  int32_t Version;
  // The first integer of the last file read when it was a version mark, else 1111111111; kept after
  // Version becomes current so that tools can say what was read. Reset sets it to the current one.
  int32_t VersionRead;
  int32_t Selector1;
  uint8_t Selector1Set;
  uint8_t HeaderFlag;
  int32_t Selector2;
  uint8_t Selector2Set;
  int32_t Selector3;
  uint8_t Selector3Set;
  int32_t Selector4;
  uint8_t Selector4Set;
  int32_t HeaderValue1;
  int32_t HeaderValue2;
  int32_t HeaderValue3;
  int32_t HeaderValue4;
  int32_t HeaderValue5;
  int32_t HeaderValue6;
  int32_t HeaderValue7;
  int32_t HeaderValue8;
  // Parameters[0] is parameter 1; Parameter(i), Location(i), Path(i) take the 1-based number.
  std::vector<TParameter> Parameters;
  // The nine texts of the quest's outside values, in file order (see OutsideTexts in the source).
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
  // A failure names the reader's file and the byte where reading stopped; for a file whose first
  // word is no version mark it also says which word that was.
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
  // The same list, returned.
  TMessageList Messages();

 private:
  void ReadFields(TBlockFileReader& file);
};
