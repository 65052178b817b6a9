#pragma once
// TTranslationSession: the open translation project and everything that belongs to it except
// widgets: the project, the file it came from or was saved to, its undo history with the saved
// state, the translation memory, and every operation a window command performs on them. The window
// and its panels are views of one session: they call its operations and follow its signals. Tests
// drive it without a window.
//
// Adding a window command: write the operation here (tested in tests/ui/TranslationSessionTest.cpp
// without a window), then give it a menu entry in TForm1::CreateCommands that calls it.
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "glossary/Glossary.h"
#include "memory/Pretranslation.h"
#include "project/WordCount.h"
#include "ui/EditCommands.h"
#include "ui/GlossarySession.h"
#include "ui/ReuseSession.h"
#include "ui/WorkspaceSettings.h"
#include "workspace/Workspace.h"

class QLocale;
class QUndoStack;
class TBlockParJD;
class TConversionReport;
class TSessionJournal;
class TTermMatcher;
class TtxgProject;
struct TJournal;
struct TReplacement;

class TTranslationSession : public QObject, public TEditTarget {
  Q_OBJECT

 public:
  explicit TTranslationSession(const TBlockParJD& catalogue, QObject* parent = nullptr);
  ~TTranslationSession() override;

  TtxgProject& Project() { return *project_; }
  const TtxgProject& Project() const { return *project_; }
  QUndoStack& Edits() { return *edits_; }
  // The words and characters of the sources per state, kept as the project changes.
  const TWorkSizes& WorkSizes() const { return sizes_.Sizes(); }
  const TBlockParJD& Catalogue() const { return catalogue_; }
  // The catalogue's text of a key, as the window shows it, and whether the catalogue knows the key.
  QString Text(const char16_t* key) const;
  bool HasText(const std::u16string& key) const;
  // The status line of a message: its kind with its number ("... ( N 3 )"), or the linked
  // duplicate's label; empty for no message.
  QString KindText(int32_t message) const;

  // The project's file: empty until the project is opened from one or saved to one, and again after
  // New or an update (saving then asks for a name, so no older file is overwritten by accident).
  const QString& FileName() const { return fileName_; }
  bool HasFile() const { return !fileName_.isEmpty(); }
  // The quest of the last new project or update.
  const QString& QuestFileName() const { return questFileName_; }
  // The file an export names its quest after: the project's file, or the quest a project not yet
  // saved was made from.
  QString ProjectOrQuestFileName() const;
  // The window's title: "FILE[*] - Quest Translator", where FILE is the project's file or, for a
  // project never saved, a name telling so; the program's title when there is no project. "[*]" is
  // where Qt shows unsaved changes.
  QString Title() const;
  // The name a save dialog proposes: the quest's name with `extension`, beside the project or quest.
  QString SuggestedFileName(const QString& extension) const;
  // The name Save proposes: the project's file; after an update, a free numbered name beside the
  // project it replaced ("NAME-2.txg"), so that accepting it never overwrites that project.
  QString SuggestedProjectFileName() const;

  // True when the project changed since the last new project, open or save: the undo history is
  // away from its clean state, or a change that has no undo step (relinking, a note, a setting) was
  // made.
  bool HasUnsavedChanges() const;
  void MarkUnrecordedChange();
  // The unsaved changes are to be thrown away (the window closes without saving them): their
  // recovery journal goes with the session.
  void DiscardChanges();

  // The recovery journal of unsaved changes (SessionJournal.h): beside the project's file, or in
  // the state folder for a project never saved.
  TSessionJournal& Journal() { return *journal_; }
  // A journal's records applied as one undo step (undo gives back the project as it was); the
  // project is then modified, and the journal goes on from them. Raises EJournalError, changing
  // nothing, when a record names a message the project does not have. Returns the records applied.
  int32_t RecoverJournal(const TJournal& journal);
  // True while an operation records its own step (an undo, an import, a fill): the window does not
  // take what it shows meanwhile for the translator's own move.
  bool Recording() const { return recordingDepth_ != 0; }

  // Replacing the project; the caller has asked about unsaved changes. Each starts an empty undo
  // history. A quest or project that cannot be read leaves an empty project and raises.
  void NewFromQuest(const QString& questFile);
  // What the load dropped from a damaged file is in Project().LoadWarning().
  void Open(const QString& projectFile);
  // The project updated to a new version of its quest; it has no file until saved under a name.
  TUpdatePlan UpdateSource(const QString& questFile);

  // Writing files. Saves name the project's file; exports relink first (a change, though not the
  // user's, when "<Empty>" references are resolved).
  void SaveAs(const QString& fileName);
  void Save();  // to FileName(); std::logic_error when the project has none
  void ExportSourceQuest(const QString& fileName) const;
  void ExportTranslatedQuest(const QString& fileName) const;
  void WriteMessages(const QString& fileName);
  // The project's translations as a translation memory (TMX).
  void ExportTmx(const QString& fileName) const;
  // A file for translation tools (PO or XLIFF, by its extension) for the target language of the
  // project's setting, named after ProjectOrQuestFileName(); raises for a file of another kind.
  void ExportForTools(const QString& fileName);
  // Raises, naming the file, unless it is a PO or XLIFF file by its extension.
  static void RequireToolsFile(const QString& fileName);
  // The target language a first export proposes: the spelling language's ("en_US" gives "en-US"),
  // else the workspace's, else `locale`'s; empty for the C locale.
  QString ProposedLanguage(const QLocale& locale) const;
  // A project setting changed by a command (the target language asked at the first export).
  void SetSetting(const std::u16string& key, const std::u16string& value);

  // Reading translations: one undo step each (texts, review marks, notes), recorded even when a
  // later part fails; `report` receives what the file's reader reported. An exchange file that is
  // not Unicode text is refused before anything is read: the refusal is returned (empty when the
  // file was read), and the relinking after it still runs.
  QString LoadMessages(const QString& fileName, TConversionReport& report);
  void ImportFromTools(const QString& fileName, TConversionReport& report);
  // How many messages the last import gave another translation.
  int ImportedTranslations() const { return importedTranslations_; }

  // The shown message: the window tells the session what it shows. A move starts a new typing run.
  void ShowMessage(int32_t message);
  // The position that shows `message`: its own, or the nearest before it for a message without one.
  int PositionToShow(int32_t message) const;
  // The translation box's text stored for the shown `message`. `typed` is the user's typing (merged
  // into one undo step per run); otherwise the window showed a text, and what storing it changes
  // (its trimmed form) is a change without a step, unless a recorded command is under way.
  void StoreShownText(int32_t message, const std::u16string& text, bool typed);
  void CopySource(int32_t message);   // the source into the translation, one step
  void MarkDeleted(int32_t message);  // the deleted-message text, one step
  // Typing on an untranslated message replaces its text (the copy of the source) instead of going
  // on after it: the window selects the whole translation on arrival.
  bool TypingReplaces(int32_t message) const;
  // The translation box of `message` is emptied for typing: nothing is stored until the translator
  // types, and a box left blank keeps the message's text (Mark as Deleted stores the
  // deleted-message text instead): an emptied box stores that text again. A move ends it. False,
  // and nothing to empty, for no message or a linked duplicate (it follows its question).
  bool ClearForTyping(int32_t message);
  void ToggleReview(int32_t message);
  void ClearReview(int32_t message);  // one step when the mark was on
  // Done with the message: clears its review mark and, when its translation equals its source,
  // marks it translated as is; one step when either changed.
  void Finish(int32_t message);
  void SetNote(int32_t message, const std::u16string& note);  // no undo step, but a change to save
  // A replace in translations as one step; false when the plan changes nothing.
  bool Replace(std::vector<TReplacement> plan);

  // Reusing translations.
  TReuseSession& Reuse() { return reuse_; }
  // Fills the memory again from the project (done by every operation that replaces it).
  void RebuildMemory();
  // What the last fill met reading attached files, one problem each; empty when all were read.
  const std::vector<std::string>& MemoryProblems() const { return memoryProblems_; }
  // A suggestion of `percent` similarity inserted as the translation of `message`, one step; below
  // 100% it marks the message for review.
  void InsertSuggestion(int32_t message, const std::u16string& translation, int percent);
  // How many untranslated messages share the source of `message`, and filling them (flagged for
  // review) as one step.
  std::size_t SameSourceUntranslated(int32_t message) const;
  void FillSameTranslation(int32_t message);
  // Pre-translation of the untranslated messages from the memory (with a workspace open, its other
  // quests too): what it would store, and storing it as one step (texts, review marks, notes).
  // Returns the counts of the plan stored; no step when it fills nothing.
  TPretranslation PlanPretranslation(int minimumPercent) const;
  TPretranslationCounts Pretranslate(int minimumPercent);
  // The attached TMX files; a change is saved with the project and fills the memory again. False
  // when nothing changed.
  bool SetMemoryFiles(const std::vector<std::string>& files);

  // Glossaries: read again by every operation that replaces the project.
  void ReadGlossaries();
  const TGlossarySession& Glossaries() const { return glossaries_; }
  // What the last reading met, one problem per glossary file that could not be read.
  const std::vector<std::string>& GlossaryProblems() const { return glossaryProblems_; }
  // The project's glossary files; a change is saved with the project and reads them again. False
  // when nothing changed.
  bool SetGlossaryFiles(const std::vector<std::string>& files);
  // The terms of the glossaries for the project's languages now; nullptr when they have none.
  const TTermMatcher* TermMatcher() { return glossaries_.Matcher(*project_); }
  // `entry` written into the glossary `file`, which is made when it does not exist and joins the
  // project's glossaries when it is not one of them yet.
  void AddTerm(const std::string& file, const TGlossaryEntry& entry);

  // The open workspace: a folder whose projects are the quests of one game (empty: none), and their
  // summaries in the order of the folder. Opening reads the folder and writes nothing into it; a
  // folder that cannot be read raises EInOutError naming it, and the workspace stays as it was. The
  // project is not replaced.
  const QString& WorkspaceFolder() const { return workspaceFolder_; }
  const std::vector<TWorkspaceProject>& WorkspaceProjects() const { return workspace_.Projects; }
  // The texts of each project, beside WorkspaceProjects(): the open project's as last saved.
  const std::vector<TQuestTexts>& WorkspaceQuests() const { return workspace_.Quests; }
  // With a workspace open, the memory holds the translations of its other quests too, each named
  // by its quest.
  void OpenWorkspace(const QString& folder);
  // The settings of the open workspace (workspace.ini; defaults without it or without a workspace):
  // its memory files join the memory, its glossaries the project's, and its language is the target
  // where the project sets none. A file that cannot be read leaves the defaults, and why is in
  // WorkspaceSettingsProblem() (empty when read).
  const TWorkspaceSettings& WorkspaceSettings() const { return workspaceSettings_; }
  const QString& WorkspaceSettingsProblem() const { return workspaceSettingsProblem_; }
  // Writes workspace.ini (raising EWorkspaceSettingsError, changing nothing, when it cannot be
  // written) and puts the settings to use.
  void SetWorkspaceSettings(const TWorkspaceSettings& settings);
  // The workspace's project the open project's file is: its index in WorkspaceProjects(), or -1.
  int OpenQuestIndex() const;
  // The translations of the workspace's other quests for the check "inconsistent" (nullptr when no
  // workspace is open), and the name the open project is checked under.
  const TConsistencyIndex* ConsistencyIndex() const { return consistency_.get(); }
  const std::u16string& ConsistencyQuest() const { return consistencyQuest_; }
  // The "inconsistent" findings of `message`; none without a workspace.
  std::vector<TCheckFinding> InconsistentFindings(int32_t message) const;

  // Undo and redo come back through these (TEditTarget).
  void PutTranslation(int32_t message, const std::u16string& text, bool asIs) override;
  void PutTranslations(const std::vector<TTextChange>& changes, const std::vector<TStateChange>& states,
                       bool after) override;
  void PutNeedsReview(int32_t message, bool on) override;
  void PutFinished(int32_t message, bool needsReview, bool asIs) override;

 signals:
  // The project was replaced (new, open, update, or emptied by a failed one): show it from the start.
  void ProjectReplaced();
  // Texts or states changed under the shown message: `message` (0: possibly many, and positions may
  // have moved). The window shows the current message again, storing what its box shows.
  void MessagesChanged(int32_t message);
  // A replace changed the shown message's translation: shown again as stored, without storing.
  void ShownTextReplaced();
  // An undo or redo concerns `message`: the window shows it before the change is put back.
  void ShowRequested(int32_t message);
  // The project's file name changed (open, save as, new, update).
  void FileNameChanged();
  // HasUnsavedChanges() may have changed.
  void ModifiedChanged();
  // The glossaries or their terms changed (not with the project: ProjectReplaced says that).
  void GlossariesChanged();
  // A workspace was opened, or the summary of one of its projects changed with a save.
  void WorkspaceChanged();

 private:
  class TRecording;
  std::vector<std::u16string> TargetTexts() const;
  std::vector<TTextChange> ChangesSince(const std::vector<std::u16string>& before) const;
  // `change` made as one undo step of texts and states, recorded even when it raises; `translations`
  // receives how many translations it changed.
  void RecordChanges(const QString& label, const std::function<void()>& change, int& translations);
  void RecordImport(const QString& label, const std::function<void(TConversionReport&)>& load,
                    TConversionReport& report);
  void PushTranslationStep(int32_t message, std::u16string before, bool asIsBefore, const QString& label);
  void PutFills(const std::vector<TFilledMessage>& fills, bool after);
  void PushFills(std::vector<TFilledMessage> fills, const QString& label);
  void SetReviewRecorded(int32_t message, bool on);
  void RelinkForExport();
  void ForgetEdits();
  void RememberSaved();
  void SetFileName(const QString& fileName);
  // The summary of the project's file read again when it is a project of the workspace.
  void RefreshWorkspaceProject();
  // A project saved into the workspace's folder under a name it had no row for gets its row.
  void AddSavedProjectToWorkspace();
  void FollowNewProjectJournal();
  void RecordInJournal(const std::vector<TTextChange>& changes, const std::vector<TStateChange>& states);
  void StartTypingRun() { ++typingRun_; }

  const TBlockParJD& catalogue_;
  std::unique_ptr<TtxgProject> project_;
  TProjectSizes sizes_;
  QUndoStack* edits_;
  TReuseSession reuse_;
  std::vector<std::string> memoryProblems_;
  TGlossarySession glossaries_;
  std::vector<std::string> glossaryProblems_;
  QString fileName_;
  QString questFileName_;
  // The project file an update replaced, until the updated project is saved.
  QString replacedFileName_;
  int importedTranslations_ = 0;
  bool unrecordedChange_ = false;
  // Typing merges into one undo step while the run number stays the same.
  int typingRun_ = 1;
  // The message whose box ClearForTyping emptied (0: none): its blank box stores nothing.
  int32_t clearedForTyping_ = 0;
  std::u16string textBeforeClearing_;
  std::unique_ptr<TSessionJournal> journal_;
  QString workspaceFolder_;
  TWorkspaceContents workspace_;
  TWorkspaceSettings workspaceSettings_;
  QString workspaceSettingsProblem_;
  std::unique_ptr<TConsistencyIndex> consistency_;
  std::u16string consistencyQuest_;
  // Above zero while an operation records its own step: what the window stores meanwhile (showing
  // the texts the operation changed) is part of that step.
  int recordingDepth_ = 0;
};
