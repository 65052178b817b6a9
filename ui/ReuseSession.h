#pragma once
// What the window keeps for reusing translations while a project is open: the translation memory,
// the message shown (to notice when the translator leaves it with a new translation), and the
// undoable fills (a suggestion inserted, a translation propagated). The window calls these from its
// event handlers; every rule is a call of the memory library.
#include <QString>
#include <QUndoCommand>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "memory/ProjectUpdate.h"
#include "memory/TranslationMemory.h"
#include "workspace/Workspace.h"

class TtxgProject;
class TSuggestionsPanel;

// One message's translation, review flag and translated-as-is mark before and after a fill.
struct TFilledMessage {
  int32_t Message = 0;
  std::u16string Before;
  std::u16string After;
  bool ReviewBefore = false;
  bool ReviewAfter = false;
  bool AsIsBefore = false;
  bool AsIsAfter = false;
};

// Puts the Before (or After) side of every fill back into the project.
void PutFilled(TtxgProject& project, const std::vector<TFilledMessage>& fills, bool after);

// The translation of `n` filled into the untranslated messages of the same source, flagged for
// review (PropagateTranslation), with what each held before.
std::vector<TFilledMessage> FillSameTranslation(TtxgProject& project, int32_t n);
// A suggestion inserted as the translation of `n`; empty when it changes nothing. Only an exact
// match (100%) is taken as it is: any other is the translation of another text and needs review.
std::vector<TFilledMessage> FillSuggestion(TtxgProject& project, int32_t n, const std::u16string& translation,
                                           int percent);

// A fill already made, as one undo step: the first redo does nothing; undo and redo hand the
// fills to `put` (which puts them into the project and refreshes the window).
class TFillCommand : public QUndoCommand {
 public:
  using Put = std::function<void(const std::vector<TFilledMessage>& fills, bool after)>;
  TFillCommand(Put put, std::vector<TFilledMessage> fills, const QString& label);
  void undo() override;
  void redo() override;

 private:
  Put put_;
  std::vector<TFilledMessage> fills_;
  bool applied_ = true;
};

// The five lines of an update, as xgtool prints them.
QString UpdateSummary(const TUpdatePlan& plan);

class TReuseSession {
 public:
  // Fills the memory from the project (its translations, unused translations, attached files), then
  // from the translated positions of `otherQuests` and the TMX files `workspaceFiles`; returns the
  // problems met reading files. The shown message is forgotten.
  std::vector<std::string> Rebuild(const TtxgProject& project, const std::vector<const TQuestTexts*>& otherQuests = {},
                                   const std::vector<std::string>& workspaceFiles = {});
  const TTranslationMemory& Memory() const { return memory_; }

  // The window shows message `message` (0: none) of `project`, or shows the same one again after a
  // change. Refreshes `panel` when the message, its source or its previous source differ from what
  // it shows. Returns the message left, when one was left whose translation changed while it was
  // shown and is now a translation (its translation is added to the memory); otherwise 0.
  int32_t MessageShown(const TtxgProject& project, int32_t message, TSuggestionsPanel& panel);

 private:
  TTranslationMemory memory_;
  int32_t shown_ = 0;
  std::u16string shownSource_;
  std::u16string shownPrevious_;
  std::u16string translationWhenShown_;
};
