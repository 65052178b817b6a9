#pragma once
// TtxgProject: the translation project. Owns the source and the target quest, and over both the
// message table (text references, ids, type codes), the links that fold duplicated path questions
// and the positions the user steps through. Holds no user interface.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "project/IdIndex.h"
#include "quest/GameContent.h"
#include "support/JD_Error.h"

class TBlockParJD;
class TStringsJD;

// Raised by LoadMessages for a file that is not UTF-16LE with its byte-order mark; its text is
// exactly "Error. This is not a Unicode Text Document".
class ENotUnicodeText : public std::runtime_error, public TFileErrorContext {
 public:
  ENotUnicodeText();
};

// Raised by ResolveEmptyReferences for an "<Empty>" reference to a path that does not exist.
class EEmptyReferenceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TtxgProject {
 public:
  // Create: both documents, then Clear.
  explicit TtxgProject(const TBlockParJD& catalogue);
  TtxgProject(const TtxgProject&) = delete;
  TtxgProject& operator=(const TtxgProject&) = delete;

  const TBlockParJD* Catalogue;
  TGame SourceGame;
  TGame TargetGame;
  // Every array is 1-based (entry 0 is a placeholder) and grows with the quest.
  std::vector<TTextField*> SourceTexts;
  std::vector<TTextField*> TargetTexts;
  std::vector<std::u16string> SourceIds;
  std::vector<std::u16string> TargetIds;
  std::vector<int32_t> SourceTypes;
  std::vector<int32_t> TargetTypes;
  std::vector<int32_t> LinkedPath;       // per source message: 0, or the 1-based target path index
  std::vector<int32_t> PositionMessage;  // per position: the message number shown there
  int32_t SourceCount = 0;
  int32_t TargetCount = 0;
  int32_t PositionCount = 0;
  int32_t CurrentMessage = 0;  // a message number, not a position; 0 = none

  // Also empties the table (counts, links, positions), so no old reference is shown as a message.
  void Clear();
  // A quest that cannot be read leaves the project empty (Clear), never half loaded.
  void NewFromSource(const std::string& fileName);
  void RebuildMessageTable();
  void LinkDuplicatePaths();
  bool IsLinked(int32_t n) const;
  int32_t PositionOfMessage(int32_t n) const;  // -1 when the message has no position
  // PositionMessage[position], or 0 for position 0 or a position outside 1..PositionCount.
  int32_t MessageAtPosition(int32_t position) const;
  std::u16string GetSourceText(int32_t n) const;
  std::u16string GetTargetText(int32_t n) const;
  void SetTargetText(int32_t n, const std::u16string& text);
  // What a translation becomes when it is stored: a blank text would drop the message out of the
  // target's list and shift every later one, so it becomes DeletedMessageText().
  std::u16string TranslationToStore(std::u16string text) const;
  // SetTargetText(n, TranslationToStore(text)).
  void StoreTranslation(int32_t n, std::u16string text);
  // After the targets changed: ResolveEmptyReferences, then LinkDuplicatePaths.
  void Relink();
  // Every "<Empty>N" question of the target takes the question of path N. All references are
  // checked first: a text that is no number (EConvertError) or an N outside 1..PathCount
  // (EEmptyReferenceError) fails before any path changes. A blank result is stored through
  // TranslationToStore.
  void ResolveEmptyReferences();
  int32_t FindNotEdited(int32_t position) const;  // a position, or -1 when none is found
  // Not edited: the target text equals the source text, or the catalogue's deleted-message text.
  // Linked messages count too; FindNotEdited skips them.
  bool IsNotEdited(int32_t n) const;
  // The catalogue value of "MessageDeletedMSG": what a message that has no text of its own holds.
  std::u16string DeletedMessageText() const;

  // Both saves replace the file only when complete (TBlockFileWriter::Commit).
  void SaveToFile(const std::string& fileName) const;
  // A file that cannot be opened leaves the project as it was; a read that fails later leaves it
  // empty (Clear), never a table over half-read quests.
  void LoadFromFile(const std::string& fileName);
  void SaveMessages(const std::string& fileName) const;
  // `report` receives the entries of this import (what it held before is replaced). Raises
  // ENotUnicodeText, with the report untouched and nothing changed, for a file that is not UTF-16LE
  // with its byte-order mark. Bodies are stored through TranslationToStore.
  void LoadMessages(const std::string& fileName, std::u16string& report);
  int32_t FindTargetId(const std::u16string& id) const;
  int32_t FindSourceId(const std::u16string& id) const;
  static void ExtractTags(const std::u16string& text, TStringsJD& tags);
  static void RemoveCommonTags(TStringsJD& a, TStringsJD& b);

 private:
  // Everything below is derived from the public table and rebuilt with it.
  std::vector<int32_t> messagePosition_;  // per source message: its position, or -1 (linked)
  std::vector<int32_t> linkedMessages_;   // the messages with LinkedPath != 0, increasing
  // id -> smallest message number; built on first use after each enumeration. They look into
  // SourceIds and TargetIds, which change only through the enumeration.
  mutable TIdIndex sourceIdIndex_;
  mutable TIdIndex targetIdIndex_;
  mutable bool idIndexesValid_ = false;

  TTextField* SourceField(int32_t n) const;
  TTextField* TargetField(int32_t n) const;
  void ResetTable();
  void BuildIdIndexes() const;
  int32_t FindId(const TIdIndex& index, std::u16string_view id) const;
};
