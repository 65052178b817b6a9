#include "ui/TranslationSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QUndoStack>

#include <algorithm>
#include <future>
#include <limits>
#include <stdexcept>
#include <utility>

#include "formats/Formats.h"
#include "journal/JournalReplay.h"
#include "memory/Pretranslation.h"
#include "memory/ProjectMemory.h"
#include "memory/ProjectUpdate.h"
#include "memory/Propagation.h"
#include "memory/WorkspaceMemory.h"
#include "project/CatalogueKeys.h"
#include "project/ConversionReport.h"
#include "project/ExchangeFormat.h"
#include "project/MessageSearch.h"
#include "project/ProjectClass.h"
#include "quest/TextFieldClass.h"
#include "support/JD_BlockPar.h"
#include "support/Utf8.h"
#include "ui/ReplaceCommand.h"
#include "ui/SessionJournal.h"

namespace {

std::string LibraryName(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

// The messages that hold a state (review mark, note, previous source, translated as is), by
// increasing number; linked
// duplicates share their message's. Most messages hold none, so the snapshot stays small.
using TStateSnapshot = std::vector<std::pair<int32_t, TMessageStateValues>>;

TStateSnapshot MessageStates(const TtxgProject& project) {
  TStateSnapshot states;
  for (int32_t n = 1; n <= project.SourceCount; ++n) {
    if (project.StateMessage(n) != n) continue;
    TMessageStateValues values{project.NeedsReview(n), project.Note(n), project.PreviousSource(n),
                               project.TranslatedAsIs(n)};
    if (values != TMessageStateValues{}) states.emplace_back(n, std::move(values));
  }
  return states;
}

std::vector<TStateChange> StateChangesSince(const TtxgProject& project, const TStateSnapshot& before) {
  const TStateSnapshot after = MessageStates(project);
  std::vector<TStateChange> changes;
  constexpr int32_t End = std::numeric_limits<int32_t>::max();
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < before.size() || j < after.size()) {
    const int32_t was = i < before.size() ? before[i].first : End;
    const int32_t is = j < after.size() ? after[j].first : End;
    if (was == is) {
      if (before[i].second != after[j].second) changes.push_back({was, before[i].second, after[j].second});
      ++i;
      ++j;
    } else if (was < is) {
      changes.push_back({was, before[i++].second, {}});
    } else {
      changes.push_back({is, {}, after[j++].second});
    }
  }
  return changes;
}

// PO and XLIFF only: the exchange file has commands of its own.
// "NAME-2.txg" beside "NAME.txg", "NAME-3.txg" beside "NAME-2.txg": the first such name no file has.
QString FreeNumberedFileName(const QString& fileName) {
  const QFileInfo info(fileName);
  QString base = info.completeBaseName();
  int number = 2;
  static const QRegularExpression numbered(QStringLiteral("^(.+)-(\\d{1,6})$"));
  if (const QRegularExpressionMatch match = numbered.match(base); match.hasMatch()) {
    base = match.captured(1);
    number = match.captured(2).toInt() + 1;
  }
  QString candidate;
  do {
    candidate = info.dir().filePath(QStringLiteral("%1-%2.%3").arg(base).arg(number++).arg(info.suffix()));
  } while (QFileInfo::exists(candidate));
  return candidate;
}

const TFormat& ToolsFormatOf(const QString& fileName) {
  const TFormat* format = FormatForFile(LibraryName(fileName));
  if (format == nullptr || !format->ForTranslationTools)
    throw std::runtime_error(LibraryName(fileName) + ": not a file for translation tools (" +
                             TranslationToolsFilesText() + ")");
  return *format;
}

}  // namespace

// Holds an operation's recording open while the window shows what it changed.
class TTranslationSession::TRecording {
 public:
  explicit TRecording(TTranslationSession& session) : depth_(session.recordingDepth_) { ++depth_; }
  ~TRecording() { --depth_; }
  TRecording(const TRecording&) = delete;
  TRecording& operator=(const TRecording&) = delete;

 private:
  int& depth_;
};

TTranslationSession::TTranslationSession(const TBlockParJD& catalogue, QObject* parent)
    : QObject(parent),
      catalogue_(catalogue),
      project_(std::make_unique<TtxgProject>(catalogue)),
      sizes_(*project_),
      edits_(new QUndoStack(this)),
      journal_(std::make_unique<TSessionJournal>(*project_, [this] { return HasUnsavedChanges(); })) {
  connect(edits_, &QUndoStack::cleanChanged, this, [this] { emit ModifiedChanged(); });
}

TTranslationSession::~TTranslationSession() {
  journal_->Closing(HasUnsavedChanges());
  // The undo stack is a child and would announce its clearing to a session that is half gone.
  edits_->disconnect(this);
}

QString TTranslationSession::Text(const char16_t* key) const {
  return QString::fromStdU16String(CatalogueValue(catalogue_, key));
}

bool TTranslationSession::HasText(const std::u16string& key) const {
  const std::vector<std::u16string>& keys = CatalogueKeys();
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

QString TTranslationSession::KindText(int32_t message) const {
  if (message < 1) return {};
  const std::size_t index = static_cast<std::size_t>(message);
  const TMessageType type = DecodeMessageType(index < project_->SourceTypes.size() ? project_->SourceTypes[index] : 0);
  const char16_t* key = project_->IsLinked(message) ? u"EmptyPathLabelTitleAddon" : MessageKindKey(type.Kind);
  QString text = key != nullptr ? Text(key) : QString();
  if (!text.isEmpty() && type.Number > 0) text += QStringLiteral(" ( N %1 )").arg(type.Number);
  return text;
}

QString TTranslationSession::ProjectOrQuestFileName() const { return HasFile() ? fileName_ : questFileName_; }

QString TTranslationSession::Title() const {
  QString file;
  if (HasFile())
    file = QString::fromStdU16String(TrimQuestText(fileName_.toStdU16String()));
  else if (project_->SourceCount > 0)
    file = Text(u"UnsavedProjectTitle").arg(QFileInfo(questFileName_).fileName());
  else
    return Text(u"DefaultProgramTitle");
  return file + QStringLiteral("[*]") + Text(u"CommonProgramTitle");
}

QString TTranslationSession::SuggestedFileName(const QString& extension) const {
  const QString from = ProjectOrQuestFileName();
  if (from.isEmpty()) return {};
  const QFileInfo info(from);
  return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + extension);
}

QString TTranslationSession::SuggestedProjectFileName() const {
  if (HasFile()) return fileName_;
  if (!replacedFileName_.isEmpty()) return FreeNumberedFileName(replacedFileName_);
  return SuggestedFileName(QStringLiteral("txg"));
}

bool TTranslationSession::HasUnsavedChanges() const { return !edits_->isClean() || unrecordedChange_; }

void TTranslationSession::MarkUnrecordedChange() {
  unrecordedChange_ = true;
  emit ModifiedChanged();
}

void TTranslationSession::DiscardChanges() { journal_->DiscardOnClose(); }

void TTranslationSession::RememberSaved() {
  edits_->setClean();
  unrecordedChange_ = false;
  emit ModifiedChanged();
}

void TTranslationSession::ForgetEdits() {
  edits_->clear();
  clearedForTyping_ = 0;
  RememberSaved();
}

void TTranslationSession::SetFileName(const QString& fileName) {
  fileName_ = fileName;
  emit FileNameChanged();
}

// ---------------------------------------------------------------------------------------------
// Replacing the project

void TTranslationSession::NewFromQuest(const QString& questFile) {
  replacedFileName_.clear();
  journal_->Close();
  auto pause = journal_->Pause();
  project_->Clear();
  ForgetEdits();
  SetFileName(QString());
  try {
    project_->NewFromSource(LibraryName(questFile));
  } catch (...) {
    // The project is empty again; the views must not offer the old messages.
    RebuildMemory();
    ReadGlossaries();
    emit ProjectReplaced();
    throw;
  }
  questFileName_ = questFile;
  pause.End();
  FollowNewProjectJournal();
  // A new project starts at its first message.
  project_->CurrentMessage = project_->MessageAtPosition(1);
  RebuildMemory();
  ReadGlossaries();
  emit ProjectReplaced();
  RememberSaved();
}

void TTranslationSession::Open(const QString& projectFile) {
  replacedFileName_.clear();
  journal_->Close();
  auto pause = journal_->Pause();
  project_->Clear();
  ForgetEdits();
  try {
    project_->LoadFromFile(LibraryName(projectFile));
  } catch (...) {
    SetFileName(QString());
    RebuildMemory();
    ReadGlossaries();
    emit ProjectReplaced();
    throw;
  }
  project_->LinkDuplicatePaths();
  pause.End();
  journal_->Follow(JournalFileFor(LibraryName(projectFile)), LibraryName(projectFile), TJournalKind::ProjectFile);
  SetFileName(projectFile);
  RebuildMemory();
  ReadGlossaries();
  emit ProjectReplaced();
  RememberSaved();
}

TUpdatePlan TTranslationSession::UpdateSource(const QString& questFile) {
  auto fresh = std::make_unique<TtxgProject>(catalogue_);
  const TUpdatePlan plan = UpdateProject(*project_, LibraryName(questFile), *fresh);
  journal_->Close();
  {
    const auto pause = journal_->Pause();
    // The views hold this project object: it takes the update over instead of being replaced.
    project_->TakeOver(*fresh);
  }
  fresh.reset();
  ForgetEdits();
  // The updated project is no file yet: saving asks for a name, so the old project stays as it was.
  if (HasFile()) replacedFileName_ = fileName_;
  SetFileName(QString());
  questFileName_ = questFile;
  FollowNewProjectJournal();
  RebuildMemory();
  ReadGlossaries();
  emit ProjectReplaced();
  MarkUnrecordedChange();
  // Nothing of the update is in any file yet: every message goes into the journal.
  journal_->Record(0);
  journal_->Flush();
  return plan;
}

// ---------------------------------------------------------------------------------------------
// Writing files

void TTranslationSession::SaveAs(const QString& fileName) {
  project_->SaveToFile(LibraryName(fileName));
  journal_->Saved(JournalFileFor(LibraryName(fileName)), LibraryName(fileName));
  replacedFileName_.clear();
  const bool moved = QFileInfo(fileName_).canonicalFilePath() != QFileInfo(fileName).canonicalFilePath();
  SetFileName(fileName);
  RememberSaved();
  if (workspaceFolder_.isEmpty()) return;
  if (OpenQuestIndex() < 0) AddSavedProjectToWorkspace();
  // Under another name the quest left behind is one of the others now, and the open one is not:
  // the memory and the consistency index are made again for the new set.
  if (moved) RebuildMemory();
  RefreshWorkspaceProject();
}

void TTranslationSession::AddSavedProjectToWorkspace() {
  const QString folder = QFileInfo(workspaceFolder_).canonicalFilePath();
  const QString file = QFileInfo(fileName_).canonicalFilePath();
  if (folder.isEmpty() || !file.startsWith(folder + QLatin1Char('/'))) return;
  const QString below = file.mid(folder.size() + 1);
  // The rule of the folder's listing: nothing below a hidden entry is a quest of the workspace.
  for (const QString& part : below.split(QLatin1Char('/')))
    if (part.startsWith(QLatin1Char('.'))) return;
  const std::string fileName = LibraryName(QDir(workspaceFolder_).filePath(below));
  // The rows stay in the order of the listing, by their path below the folder.
  const auto at = std::lower_bound(
      workspace_.Projects.begin(), workspace_.Projects.end(), fileName,
      [](const TWorkspaceProject& project, const std::string& name) { return project.FileName < name; });
  const auto index = at - workspace_.Projects.begin();
  workspace_.Projects.insert(at, SummarizeProject(LibraryName(workspaceFolder_), fileName, catalogue_));
  workspace_.Quests.insert(workspace_.Quests.begin() + index, TQuestTexts{});
}

void TTranslationSession::Save() {
  if (!HasFile()) throw std::logic_error("TTranslationSession::Save: the project has no file yet");
  project_->SaveToFile(LibraryName(fileName_));
  journal_->Saved(JournalFileFor(LibraryName(fileName_)), LibraryName(fileName_));
  RememberSaved();
  RefreshWorkspaceProject();
}

void TTranslationSession::OpenWorkspace(const QString& folder) {
  workspace_ = ReadWorkspace(LibraryName(folder), catalogue_);
  workspaceFolder_ = folder;
  workspaceSettingsProblem_.clear();
  try {
    workspaceSettings_ = ReadWorkspaceSettings(folder);
  } catch (const EWorkspaceSettingsError& error) {
    // The quests still open; the file stays as it is until the translator saves settings.
    workspaceSettings_ = {};
    workspaceSettingsProblem_ = QString::fromStdString(error.what());
  }
  RebuildMemory();
  ReadGlossaries();
  emit GlossariesChanged();
  emit WorkspaceChanged();
}

void TTranslationSession::SetWorkspaceSettings(const TWorkspaceSettings& settings) {
  if (workspaceFolder_.isEmpty()) throw std::logic_error("TTranslationSession::SetWorkspaceSettings: no workspace");
  WriteWorkspaceSettings(workspaceFolder_, settings);
  workspaceSettings_ = settings;
  workspaceSettingsProblem_.clear();
  RebuildMemory();
  ReadGlossaries();
  emit GlossariesChanged();
  emit WorkspaceChanged();
}

int TTranslationSession::OpenQuestIndex() const {
  if (!HasFile() || workspaceFolder_.isEmpty()) return -1;
  const QString open = QFileInfo(fileName_).canonicalFilePath();
  for (std::size_t i = 0; i < workspace_.Projects.size(); ++i)
    if (QFileInfo(QString::fromStdString(workspace_.Projects[i].FileName)).canonicalFilePath() == open)
      return static_cast<int>(i);
  return -1;
}

void TTranslationSession::RefreshWorkspaceProject() {
  const int open = OpenQuestIndex();
  if (open < 0) return;
  const auto i = static_cast<std::size_t>(open);
  workspace_.Projects[i] = SummarizeProject(LibraryName(workspaceFolder_), workspace_.Projects[i].FileName, catalogue_);
  // What the save wrote is what the other quests' memory and searches now read, without loading
  // any quest again.
  workspace_.Quests[i] = QuestTextsOf(*project_, Utf8ToUtf16(workspace_.Projects[i].Name));
  emit WorkspaceChanged();
}

void TTranslationSession::FollowNewProjectJournal() {
  const std::string quest = LibraryName(questFileName_);
  journal_->Follow(NewProjectJournalFile(LibraryName(TSessionJournal::StateFolder()), quest), quest,
                   TJournalKind::NewProjectQuest);
}

void TTranslationSession::RecordInJournal(const std::vector<TTextChange>& changes,
                                          const std::vector<TStateChange>& states) {
  for (const TTextChange& change : changes) journal_->Record(change.Message);
  for (const TStateChange& change : states) journal_->Record(change.Message);
}

int32_t TTranslationSession::RecoverJournal(const TJournal& journal) {
  CheckJournalFits(*project_, journal);
  journal_->ContinueRecovered();
  int32_t applied = 0;
  TConversionReport unused;
  RecordImport(
      Text(u"RecoverJournalStep"),
      [this, &journal, &applied](TConversionReport&) { applied = ApplyJournal(*project_, journal); }, unused);
  journal_->Forget();
  // Records that hold what the file holds change nothing, yet the journal's changes are taken over.
  if (!HasUnsavedChanges()) MarkUnrecordedChange();
  return applied;
}

void TTranslationSession::ExportSourceQuest(const QString& fileName) const {
  project_->SourceGame.SaveToFile(LibraryName(fileName));
}

void TTranslationSession::ExportTranslatedQuest(const QString& fileName) const {
  project_->TargetGame.SaveToFile(LibraryName(fileName));
}

void TTranslationSession::RelinkForExport() {
  const std::vector<std::u16string> before = TargetTexts();
  {
    TRecording recording(*this);
    const auto pause = journal_->Pause();
    project_->Relink();
    emit MessagesChanged(0);
  }
  const std::vector<TTextChange> changes = ChangesSince(before);
  if (changes.empty()) return;
  RecordInJournal(changes, {});
  MarkUnrecordedChange();
}

void TTranslationSession::WriteMessages(const QString& fileName) {
  RelinkForExport();
  project_->SaveMessages(LibraryName(fileName));
}

void TTranslationSession::ExportTmx(const QString& fileName) const {
  ExportProjectTmx(*project_, LibraryName(fileName));
}

void TTranslationSession::RequireToolsFile(const QString& fileName) { ToolsFormatOf(fileName); }

void TTranslationSession::ExportForTools(const QString& fileName) {
  const TFormat& format = ToolsFormatOf(fileName);
  TExportOptions options;
  options.QuestName = QuestNameOf(LibraryName(ProjectOrQuestFileName()));
  RelinkForExport();
  format.Save(*project_, LibraryName(fileName), options);
}

QString TTranslationSession::ProposedLanguage(const QLocale& locale) const {
  QString language = QString::fromStdU16String(project_->Setting(u"spelling"));
  if (language.isEmpty()) language = workspaceSettings_.Language;
  if (language.isEmpty() && locale.language() != QLocale::C) language = locale.name();
  return language.replace(QLatin1Char('_'), QLatin1Char('-'));
}

void TTranslationSession::SetSetting(const std::u16string& key, const std::u16string& value) {
  if (project_->Setting(key) == value) return;
  project_->SetSetting(key, value);
  MarkUnrecordedChange();
}

// ---------------------------------------------------------------------------------------------
// Reading translations

std::vector<std::u16string> TTranslationSession::TargetTexts() const {
  const TMessageList messages = project_->TargetGame.Messages();
  std::vector<std::u16string> result;
  result.reserve(static_cast<std::size_t>(messages.Count));
  for (int32_t n = 1; n <= messages.Count; ++n) result.push_back(messages.Texts[static_cast<std::size_t>(n)]->Text);
  return result;
}

std::vector<TTextChange> TTranslationSession::ChangesSince(const std::vector<std::u16string>& before) const {
  std::vector<TTextChange> changes;
  const std::vector<std::u16string> after = TargetTexts();
  // A failed load can leave fewer texts than before; the missing ones are not part of the step.
  const std::size_t common = std::min(before.size(), after.size());
  for (std::size_t i = 0; i < common; ++i)
    if (before[i] != after[i]) changes.push_back({static_cast<int32_t>(i + 1), before[i], after[i]});
  return changes;
}

void TTranslationSession::RecordChanges(const QString& label, const std::function<void()>& change, int& translations) {
  // The change is one step (texts, review marks, notes), recorded even when a later part of it
  // fails, since what was done stays in the project.
  const std::vector<std::u16string> before = TargetTexts();
  const TStateSnapshot statesBefore = MessageStates(*project_);
  auto record = [this, &before, &statesBefore, &label, &translations] {
    std::vector<TTextChange> changes = ChangesSince(before);
    // Linked duplicates follow their message: each translation counts once.
    translations = static_cast<int>(std::count_if(changes.begin(), changes.end(), [this](const TTextChange& change) {
      return !project_->IsLinked(change.Message);
    }));
    std::vector<TStateChange> states = StateChangesSince(*project_, statesBefore);
    RecordInJournal(changes, states);
    StartTypingRun();
    if (!changes.empty() || !states.empty())
      edits_->push(new TImportCommand(*this, std::move(changes), std::move(states), label));
  };
  try {
    TRecording recording(*this);
    const auto pause = journal_->Pause();
    change();
    // The shown message's box is filled again inside the step: what it stores belongs to it.
    emit MessagesChanged(0);
  } catch (...) {
    record();
    throw;
  }
  record();
  // The review mark and note of the shown message may have changed with it.
  emit MessagesChanged(project_->CurrentMessage);
}

void TTranslationSession::RecordImport(const QString& label, const std::function<void(TConversionReport&)>& load,
                                       TConversionReport& report) {
  // The import with the resolving and relinking after it.
  RecordChanges(
      label,
      [&] {
        load(report);
        project_->Relink();
      },
      importedTranslations_);
}

QString TTranslationSession::LoadMessages(const QString& fileName, TConversionReport& report) {
  QString refusal;
  RecordImport(
      Text(u"LoadMessagesStep"),
      [this, &fileName, &refusal](TConversionReport& into) {
        try {
          TExchangeFormat::Load(*project_, LibraryName(fileName), into);
        } catch (const ENotUnicodeText& refused) {
          refusal = QString::fromUtf8(refused.what());
        }
      },
      report);
  return refusal;
}

void TTranslationSession::ImportFromTools(const QString& fileName, TConversionReport& report) {
  const TFormat& format = ToolsFormatOf(fileName);
  // A file that cannot be parsed raises before the project is touched; the error names the file.
  RecordImport(
      Text(u"ImportStepFormat").arg(QFileInfo(fileName).fileName()),
      [this, &format, &fileName](TConversionReport& into) { format.Load(*project_, LibraryName(fileName), into); },
      report);
}

// ---------------------------------------------------------------------------------------------
// Editing

void TTranslationSession::ShowMessage(int32_t message) {
  project_->CurrentMessage = message;
  clearedForTyping_ = 0;
  StartTypingRun();
}

int TTranslationSession::PositionToShow(int32_t message) const {
  const int32_t exact = project_->PositionOfMessage(message);
  if (exact >= 1) return exact;
  // A message without a position of its own (none, or folded into an earlier path question):
  // show the nearest position before it.
  int shown = 0;
  for (int32_t position = 1; position <= project_->PositionCount; ++position) {
    if (project_->MessageAtPosition(position) > message) break;
    shown = position;
  }
  return shown;
}

void TTranslationSession::StoreShownText(int32_t message, const std::u16string& text, bool typed) {
  std::u16string before = message >= 1 ? project_->GetTargetText(message) : std::u16string();
  const bool asIsBefore = project_->TranslatedAsIs(message);
  // Nothing typed yet into a box cleared for typing: the message keeps the text it had.
  const bool keep = message >= 1 && message == clearedForTyping_ && IsBlankText(text);
  project_->StoreTranslation(message, keep ? textBeforeClearing_ : TrimQuestText(text));
  if (message < 1) return;
  std::u16string after = project_->GetTargetText(message);
  if (after == before) return;
  if (typed) {
    edits_->push(new TTranslationCommand(
        *this, {message, std::move(before), std::move(after), asIsBefore, project_->TranslatedAsIs(message)},
        Text(u"TypingStep"), typingRun_));
  } else if (recordingDepth_ == 0) {
    // Showing a message stores its trimmed form: a change, but no step of the user's.
    MarkUnrecordedChange();
  }
}

void TTranslationSession::PushTranslationStep(int32_t message, std::u16string before, bool asIsBefore,
                                              const QString& label) {
  StartTypingRun();
  if (message >= 1 && project_->GetTargetText(message) != before)
    edits_->push(new TTranslationCommand(
        *this,
        {message, std::move(before), project_->GetTargetText(message), asIsBefore, project_->TranslatedAsIs(message)},
        label));
}

void TTranslationSession::CopySource(int32_t message) {
  std::u16string before = message >= 1 ? project_->GetTargetText(message) : std::u16string();
  const bool asIsBefore = project_->TranslatedAsIs(message);
  {
    TRecording recording(*this);
    project_->StoreTranslation(message, TrimQuestText(project_->GetSourceText(message)));
    emit MessagesChanged(message);
  }
  PushTranslationStep(message, std::move(before), asIsBefore, Text(u"CopySourceStep"));
}

bool TTranslationSession::TypingReplaces(int32_t message) const {
  return message >= 1 && !project_->IsTranslated(message);
}

bool TTranslationSession::ClearForTyping(int32_t message) {
  if (message < 1 || project_->IsLinked(message)) return false;
  clearedForTyping_ = message;
  textBeforeClearing_ = project_->GetTargetText(message);
  StartTypingRun();
  return true;
}

void TTranslationSession::MarkDeleted(int32_t message) {
  clearedForTyping_ = 0;
  std::u16string before = message >= 1 ? project_->GetTargetText(message) : std::u16string();
  const bool asIsBefore = project_->TranslatedAsIs(message);
  {
    TRecording recording(*this);
    project_->StoreTranslation(message, std::u16string());
    emit MessagesChanged(message);
  }
  PushTranslationStep(message, std::move(before), asIsBefore, Text(u"ClearTranslationStep"));
}

void TTranslationSession::SetReviewRecorded(int32_t message, bool on) {
  project_->SetNeedsReview(message, on);
  StartTypingRun();
  edits_->push(new TReviewCommand(*this, message, on, on ? Text(u"MarkReviewStep") : Text(u"ClearReviewStep")));
  emit MessagesChanged(message);
}

void TTranslationSession::ToggleReview(int32_t message) {
  if (message >= 1 && !project_->IsLinked(message))
    SetReviewRecorded(message, !project_->NeedsReview(message));
  else
    emit MessagesChanged(message);  // the review box goes back to what the project holds
}

void TTranslationSession::ClearReview(int32_t message) {
  if (message >= 1 && !project_->IsLinked(message) && project_->NeedsReview(message)) SetReviewRecorded(message, false);
}

void TTranslationSession::Finish(int32_t message) {
  if (message < 1 || project_->IsLinked(message)) return;
  const TFinishMarks before{project_->NeedsReview(message), project_->TranslatedAsIs(message)};
  project_->SetNeedsReview(message, false);
  // Equal to its source and not the deleted-message text: a translation accepted as it is.
  if (project_->IsNotEdited(message) && project_->GetTargetText(message) == project_->GetSourceText(message))
    project_->SetTranslatedAsIs(message, true);
  const TFinishMarks after{project_->NeedsReview(message), project_->TranslatedAsIs(message)};
  if (after.NeedsReview == before.NeedsReview && after.AsIs == before.AsIs) return;
  StartTypingRun();
  edits_->push(new TFinishCommand(*this, message, before, after,
                                  after.AsIs != before.AsIs ? Text(u"TranslatedAsIsStep") : Text(u"ClearReviewStep")));
  emit MessagesChanged(message);
}

void TTranslationSession::SetNote(int32_t message, const std::u16string& note) {
  if (message < 1) return;
  project_->SetNote(message, note);
  // Notes are kept out of the undo history, but they are a change to save.
  MarkUnrecordedChange();
}

bool TTranslationSession::Replace(std::vector<TReplacement> plan) {
  if (plan.empty()) return false;
  auto applied = [this](const std::vector<TReplacement>& replacements) {
    for (const TReplacement& replacement : replacements)
      if (replacement.Message == project_->CurrentMessage) {
        emit ShownTextReplaced();
        break;
      }
  };
  edits_->push(new TReplaceCommand(*project_, std::move(plan), applied, Text(u"ReplaceDialogTitle")));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Reusing translations

void TTranslationSession::RebuildMemory() {
  // The old index goes before the new one is made: a whole game's index is not held twice.
  consistency_.reset();
  // The open project's own quest is in the memory as it is now, not as the workspace last read it.
  std::vector<const TQuestTexts*> otherQuests;
  const int open = OpenQuestIndex();
  for (std::size_t i = 0; i < workspace_.Quests.size(); ++i)
    if (static_cast<int>(i) != open) otherQuests.push_back(&workspace_.Quests[i]);
  // A project from outside the folder is checked against the whole game too: it translates the same
  // texts. Only without a workspace is the check off. The index is made beside the memory, on
  // another core: both only read the quests' texts.
  std::future<std::unique_ptr<TConsistencyIndex>> index;
  if (!workspaceFolder_.isEmpty())
    index = std::async(std::launch::async, [&otherQuests] {
      auto made = std::make_unique<TConsistencyIndex>();
      for (const TQuestTexts* quest : otherQuests) AddQuestToConsistencyIndex(*quest, *made);
      return made;
    });
  memoryProblems_ = reuse_.Rebuild(*project_, otherQuests, workspaceSettings_.MemoryFiles);
  consistency_ = index.valid() ? index.get() : nullptr;
  if (consistency_)
    consistencyQuest_ = open >= 0 ? workspace_.Quests[static_cast<std::size_t>(open)].Quest
                                  : QuestNameOf(LibraryName(workspaceFolder_), LibraryName(fileName_));
}

std::vector<TCheckFinding> TTranslationSession::InconsistentFindings(int32_t message) const {
  if (!consistency_) return {};
  return CheckMessageInconsistent(*project_, message, *consistency_, consistencyQuest_);
}

void TTranslationSession::PutFills(const std::vector<TFilledMessage>& fills, bool after) {
  TRecording recording(*this);
  PutFilled(*project_, fills, after);
  StartTypingRun();
  emit MessagesChanged(project_->CurrentMessage);
}

void TTranslationSession::PushFills(std::vector<TFilledMessage> fills, const QString& label) {
  {
    // The message shown may be one of those filled.
    TRecording recording(*this);
    emit MessagesChanged(project_->CurrentMessage);
  }
  StartTypingRun();
  edits_->push(new TFillCommand([this](const std::vector<TFilledMessage>& f, bool after) { PutFills(f, after); },
                                std::move(fills), label));
}

void TTranslationSession::InsertSuggestion(int32_t message, const std::u16string& translation, int percent) {
  std::vector<TFilledMessage> fills = ::FillSuggestion(*project_, message, translation, percent);
  if (fills.empty()) return;
  PushFills(std::move(fills), Text(u"InsertSuggestionStep"));
}

std::size_t TTranslationSession::SameSourceUntranslated(int32_t message) const {
  return PropagationTargets(*project_, message).size();
}

void TTranslationSession::FillSameTranslation(int32_t message) {
  PushFills(::FillSameTranslation(*project_, message), Text(u"FillSameStep"));
}

TPretranslation TTranslationSession::PlanPretranslation(int minimumPercent) const {
  return ::PlanPretranslation(*project_, reuse_.Memory(), minimumPercent);
}

TPretranslationCounts TTranslationSession::Pretranslate(int minimumPercent) {
  const TPretranslation plan = PlanPretranslation(minimumPercent);
  if (plan.Fills.empty()) return plan.Counts;
  int translations = 0;
  RecordChanges(
      Text(u"PretranslateStep"), [&] { ApplyPretranslation(*project_, plan.Fills); }, translations);
  return plan.Counts;
}

bool TTranslationSession::SetMemoryFiles(const std::vector<std::string>& files) {
  if (files == AttachedMemoryFiles(*project_)) return false;
  SetAttachedMemoryFiles(*project_, files);
  MarkUnrecordedChange();
  RebuildMemory();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Glossaries

void TTranslationSession::ReadGlossaries() {
  glossaryProblems_ =
      glossaries_.Load(*project_, workspaceSettings_.GlossaryFiles, workspaceSettings_.Language.toStdString());
}

bool TTranslationSession::SetGlossaryFiles(const std::vector<std::string>& files) {
  if (files == ProjectGlossaryFiles(*project_)) return false;
  SetProjectGlossaryFiles(*project_, files);
  MarkUnrecordedChange();
  ReadGlossaries();
  emit GlossariesChanged();
  return true;
}

void TTranslationSession::AddTerm(const std::string& file, const TGlossaryEntry& entry) {
  // A new file declares the languages its terms are compared in.
  const TTermLanguages languages =
      ProjectTermLanguages(*project_, glossaries_.Glossaries(), workspaceSettings_.Language.toStdString());
  AddGlossaryEntry(file, entry, languages.Source, languages.Target);
  std::vector<std::string> files = ProjectGlossaryFiles(*project_);
  if (std::find(files.begin(), files.end(), file) != files.end()) {
    glossaries_.Reload(file);
    emit GlossariesChanged();
    return;
  }
  files.push_back(file);
  SetGlossaryFiles(files);
}

// ---------------------------------------------------------------------------------------------
// Undo and redo

void TTranslationSession::PutTranslation(int32_t message, const std::u16string& text, bool asIs) {
  TRecording recording(*this);
  StartTypingRun();
  if (project_->CurrentMessage != message) emit ShowRequested(message);
  project_->SetTargetText(message, text);
  project_->SetTranslatedAsIs(message, asIs);
  emit MessagesChanged(message);
}

void TTranslationSession::PutTranslations(const std::vector<TTextChange>& changes,
                                          const std::vector<TStateChange>& states, bool after) {
  TRecording recording(*this);
  auto pause = journal_->Pause();
  StartTypingRun();
  // Every enumerated text as it was, linked duplicates included; the links follow the texts.
  for (const TTextChange& change : changes)
    project_->TargetTexts[static_cast<std::size_t>(change.Message)]->Text = after ? change.After : change.Before;
  project_->LinkDuplicatePaths();
  for (const TStateChange& change : states) {
    const TMessageStateValues& values = after ? change.After : change.Before;
    project_->SetNeedsReview(change.Message, values.NeedsReview);
    project_->SetNote(change.Message, values.Note);
    project_->SetPreviousSource(change.Message, values.PreviousSource);
    project_->SetTranslatedAsIs(change.Message, values.TranslatedAsIs);
  }
  pause.End();
  RecordInJournal(changes, states);
  emit MessagesChanged(0);
}

void TTranslationSession::PutNeedsReview(int32_t message, bool on) {
  TRecording recording(*this);
  StartTypingRun();
  if (project_->CurrentMessage != message) emit ShowRequested(message);
  project_->SetNeedsReview(message, on);
  emit MessagesChanged(message);
}

void TTranslationSession::PutFinished(int32_t message, bool needsReview, bool asIs) {
  TRecording recording(*this);
  StartTypingRun();
  if (project_->CurrentMessage != message) emit ShowRequested(message);
  project_->SetNeedsReview(message, needsReview);
  project_->SetTranslatedAsIs(message, asIs);
  emit MessagesChanged(message);
}
