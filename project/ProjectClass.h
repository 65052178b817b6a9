#pragma once
// TtxgProject: the translation project. Owns the source and the target quest, and over both the
// message table (text references, ids, type codes), the links that fold duplicated path questions
// and the positions the user steps through. Holds no user interface.
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "project/IdIndex.h"
#include "project/MessageStates.h"
#include "project/ProjectTrailer.h"
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

// Quests are written in Russian: the source language of every project.
inline constexpr const char* QuestSourceLanguage = "ru";

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

  // Also empties the table (counts, links, positions), so no old reference is shown as a message,
  // and drops the message states, settings and sections.
  void Clear();
  // A quest that cannot be read leaves the project empty (Clear), never half loaded. A new
  // project holds no message states, settings or sections.
  void NewFromSource(const std::string& fileName);
  void RebuildMessageTable();
  void LinkDuplicatePaths();
  bool IsLinked(int32_t n) const;
  int32_t PositionOfMessage(int32_t n) const;  // -1 when the message has no position
  // PositionMessage[position], or 0 for position 0 or a position outside 1..PositionCount.
  int32_t MessageAtPosition(int32_t position) const;
  std::u16string GetSourceText(int32_t n) const;
  std::u16string GetTargetText(int32_t n) const;
  // The same texts without a copy, for readers of every text; valid while the text is unchanged.
  std::u16string_view SourceTextView(int32_t n) const;
  std::u16string_view TargetTextView(int32_t n) const;
  // Target texts change through here (or a table rebuild), so the translated count stays right.
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
  // The next untranslated position after `position`, wrapping; -1 when none is found.
  int32_t FindNotEdited(int32_t position) const;
  // Not edited, that is untranslated: the target text is the catalogue's deleted-message text, or
  // equals the source text and is not marked translated as is. The one rule of "translated": every
  // count, filter, move to the unfinished, check and export asks this (or IsTranslated). Linked
  // messages count too; FindNotEdited skips them.
  bool IsNotEdited(int32_t n) const;
  // The catalogue value of "MessageDeletedMSG": what a message that has no text of its own holds.
  std::u16string DeletedMessageText() const;

  // Both saves replace the file only when complete (TBlockFileWriter::Commit). A project holding
  // no message state, setting or section is written exactly as the head and the two quests; with
  // them, the block of ProjectTrailer.h follows the target quest.
  void SaveToFile(const std::string& fileName) const;
  // A file that cannot be opened leaves the project as it was; a read that fails later leaves it
  // empty (Clear), never a table over half-read quests. A damaged block after the quests does not
  // fail the load: what it held is dropped and LoadWarning() says what.
  void LoadFromFile(const std::string& fileName);
  // Takes over the quests, current message, states, settings and sections of `other`, as saving it
  // and loading the file here would, so this object stays the one its listeners and the window's
  // panels know. `other` is left as it was.
  void TakeOver(const TtxgProject& other);
  // What the last LoadFromFile dropped, for the user (lines separated by '\n'); empty when nothing.
  const std::string& LoadWarning() const { return loadWarning_; }
  // Before the first save over a file whose load dropped something (LoadWarning() not empty), that
  // file is copied beside it as FILE.damaged, or FILE.damaged.1, .2, ... when the name is taken,
  // so what the user stored there is never overwritten without a copy. The name of the copy the
  // last SaveToFile made; empty when it made none. A save to another file makes no copy.
  const std::string& KeptDamagedCopy() const { return keptDamagedCopy_; }
  void SaveMessages(const std::string& fileName) const;
  // `report` receives the entries of this import (what it held before is replaced). Raises
  // ENotUnicodeText, with the report untouched and nothing changed, for a file that is not UTF-16LE
  // with its byte-order mark. Bodies are stored through TranslationToStore.
  void LoadMessages(const std::string& fileName, std::u16string& report);
  int32_t FindTargetId(const std::u16string& id) const;
  int32_t FindSourceId(const std::u16string& id) const;
  // The indexes behind FindSourceId and FindTargetId, built on first use after each enumeration:
  // a reader that expects a certain number tries it first (TIdIndex::IsSmallestFor).
  const TIdIndex& SourceIdIndex() const;
  const TIdIndex& TargetIdIndex() const;
  // The text field of message n (1..SourceCount, 1..TargetCount), or nullptr outside. A text
  // stored straight into a target field is counted only by the next RebuildMessageTable: an
  // import of every message stores them so and rebuilds once.
  TTextField* SourceField(int32_t n) const;
  TTextField* TargetField(int32_t n) const;
  static void ExtractTags(const std::u16string& text, TStringsJD& tags);
  static void RemoveCommonTags(TStringsJD& a, TStringsJD& b);

  // Message states. `n` is a message number (1..SourceCount). A linked duplicate path question
  // answers for (and writes to) the message it folds into. Out-of-range numbers: getters return
  // false / an empty text; setters raise std::out_of_range. States stay with their message number
  // while the source quest stays: an exchange import or a relink keeps them.
  bool NeedsReview(int32_t n) const;
  void SetNeedsReview(int32_t n, bool on);
  const std::u16string& Note(int32_t n) const;  // empty = no note
  void SetNote(int32_t n, std::u16string note);
  const std::u16string& PreviousSource(int32_t n) const;  // empty = none
  void SetPreviousSource(int32_t n, std::u16string text);
  bool IsTranslated(int32_t n) const;  // !IsNotEdited of the message n answers for
  // Translated as is: the translator finished the message with a translation equal to its source
  // (a name, a code such as "P1.1: <>"). Only a message whose target equals its source holds the
  // mark: marking another one changes nothing, and a change of the target text drops it.
  bool TranslatedAsIs(int32_t n) const;
  void SetTranslatedAsIs(int32_t n, bool on);
  // The message whose state n shares: n itself unless n is a linked duplicate; 0 outside the table.
  int32_t StateMessage(int32_t n) const;

  // Counts over positions, kept as texts and states change.
  int32_t TranslatedPositions() const { return translatedPositions_; }
  int32_t ReviewPositions() const { return reviewPositions_; }  // flagged, translated or not
  int32_t NotePositions() const { return notePositions_; }

  // Project settings, stored in the section "settings". Known keys: u"language" (the target
  // language; the source's is QuestSourceLanguage), u"spelling", u"memories", u"glossaries". An empty value removes the
  // key; an empty key raises std::invalid_argument.
  std::u16string Setting(std::u16string_view key) const;  // empty when unset
  void SetSetting(std::u16string_view key, std::u16string value);
  // A setting holding a list of files (u"memories", u"glossaries"): one UTF-8 file name a line, in
  // order. Empty names and names with a line break are not kept.
  std::vector<std::string> FileListSetting(std::u16string_view key) const;
  void SetFileListSetting(std::u16string_view key, const std::vector<std::string>& files);

  // Named sections of later features: raw bytes the feature encodes itself; unknown sections read
  // from a file are kept as they were. "states" and "settings" belong to the project (Section
  // gives nullptr, SetSection raises std::invalid_argument), as do names that are empty, longer
  // than 64 bytes or not printable ASCII.
  const std::vector<uint8_t>* Section(const std::string& name) const;    // nullptr when absent
  void SetSection(const std::string& name, std::vector<uint8_t> bytes);  // empty removes it

  // Called after a message's target text, state or note changed, with the message number (the
  // one that holds the state), and with 0 after the whole table changed (new, load, exchange
  // import, relink, Clear). Returns an id for RemoveChangeListener.
  int AddChangeListener(std::function<void(int32_t message)> listener);
  void RemoveChangeListener(int id);

 private:
  // Everything below is derived from the public table and rebuilt with it.
  std::vector<int32_t> messagePosition_;  // per source message: its position, or -1 (linked)
  std::vector<int32_t> linkedMessages_;   // the messages with LinkedPath != 0, increasing
  std::vector<uint8_t> leadsDuplicates_;  // per source message: 1 when linked duplicates follow it
  // id -> smallest message number; built on first use after each enumeration. They look into
  // SourceIds and TargetIds, which change only through the enumeration.
  mutable TIdIndex sourceIdIndex_;
  mutable TIdIndex targetIdIndex_;
  mutable bool idIndexesValid_ = false;
  std::vector<int32_t> stateMessage_;  // per source message: the message holding its state
  // DeletedMessageText as last looked up, and the catalogue it came from: the lookup walks the
  // catalogue, and every test whether a message is translated needs the text.
  mutable std::u16string deletedText_;
  mutable const TBlockParJD* deletedTextCatalogue_ = nullptr;
  const std::u16string& CachedDeletedMessageText() const;
  static bool IsUntranslatedText(std::u16string_view source, std::u16string_view target, std::u16string_view deleted,
                                 bool translatedAsIs) {
    return target == deleted || (target == source && !translatedAsIs);
  }
  // Drops the marks of translated as is that no longer hold: on a linked duplicate (its state is
  // its path's) or on a message whose target differs from its source.
  void DropStaleAsIsMarks();

  TMessageStates states_;
  TProjectSettings settings_;
  std::map<std::string, std::vector<uint8_t>> sections_;
  std::string loadWarning_;
  // The file the last load dropped something from, until the copy of it is kept: the save's
  // record of the file on disk, not part of the project, hence mutable under the const save.
  mutable std::string damagedFile_;
  mutable std::string keptDamagedCopy_;
  void KeepDamagedFileBeforeSaving(const std::string& fileName) const;
  int32_t translatedPositions_ = 0;
  int32_t reviewPositions_ = 0;
  int32_t notePositions_ = 0;
  std::vector<std::pair<int, std::function<void(int32_t)>>> listeners_;
  int nextListenerId_ = 1;

  void ResetTable();
  void BuildIdIndexes() const;
  void EnumerateBothQuests();
  void DropStoredData();
  void CountPositions();
  void CheckMessageNumber(int32_t n) const;
  void NotifyChange(int32_t message) const;
  // The sections SaveToFile writes after the quests; empty when there is nothing to store.
  std::vector<TTrailerSection> TrailerSections() const;
  void ApplyTrailerSections(std::vector<TTrailerSection> sections);
  int32_t FindId(const TIdIndex& index, std::u16string_view id) const;
};
