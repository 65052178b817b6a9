// Editing the translation in the window: typing, Copy, Clear and imports, each recorded as one
// undo step; undo and redo coming back; the keyboard's moves between messages.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTextCursor>
#include <QUndoStack>

#include <algorithm>
#include <limits>
#include <utility>

#include "project/ConversionReport.h"
#include "project/Navigation.h"
#include "project/ProjectClass.h"
#include "quest/TextFieldClass.h"
#include "support/JD_BlockPar.h"
#include "ui/ReviewPanel.h"
#include "ui/StatusBar.h"
#include "ui/XGTranslator.h"

namespace {

QString FromWide(const std::u16string& text) { return QString::fromStdU16String(text); }

// Holds a command's recording open while the target box's change events run inside it.
class TRecording {
 public:
  explicit TRecording(int& depth) : depth_(depth) { ++depth_; }
  ~TRecording() { --depth_; }
  TRecording(const TRecording&) = delete;
  TRecording& operator=(const TRecording&) = delete;

 private:
  int& depth_;
};

// The messages that hold a state (review mark, note, previous source), by increasing number; linked
// duplicates share their message's. Most messages hold none, so the snapshot stays small.
using TStateSnapshot = std::vector<std::pair<int32_t, TMessageStateValues>>;

TStateSnapshot MessageStates(const TtxgProject& project) {
  TStateSnapshot states;
  for (int32_t n = 1; n <= project.SourceCount; ++n) {
    if (project.StateMessage(n) != n) continue;
    TMessageStateValues values{project.NeedsReview(n), project.Note(n), project.PreviousSource(n)};
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

}  // namespace

void TForm1::TargetMemoChange() {
  const int32_t message = Project->MessageAtPosition(MessagesListTrackBar->Position());
  std::u16string before = message >= 1 ? Project->GetTargetText(message) : std::u16string();
  Project->StoreTranslation(message, TrimQuestText(TargetMemo->Text().toStdU16String()));
  if (message >= 1) {
    std::u16string after = Project->GetTargetText(message);
    if (after != before) RecordTranslationChange(message, std::move(before), std::move(after));
  }
  ProcessEnabledControls();
}

void TForm1::RecordTranslationChange(int32_t message, std::u16string before, std::u16string after) {
  if (TargetMemo->UserEditing()) {
    Edits->push(new TTranslationCommand(*this, {message, std::move(before), std::move(after)},
                                        CatalogueText(u"TypingStep"), typingRun_));
  } else if (recordingDepth_ == 0) {
    // Showing a message stores its trimmed form: a change, but no step of the user's.
    MarkUnrecordedChange();
  }
}

void TForm1::CopyImageClick() {
  const int32_t message = Project->MessageAtPosition(MessagesListTrackBar->Position());
  std::u16string before = message >= 1 ? Project->GetTargetText(message) : std::u16string();
  {
    TRecording recording(recordingDepth_);
    TargetMemo->SetText(SourceMemo->Text());
  }
  StartTypingRun();
  if (message >= 1 && Project->GetTargetText(message) != before)
    Edits->push(new TTranslationCommand(*this, {message, std::move(before), Project->GetTargetText(message)},
                                        CatalogueText(u"CopySourceStep")));
}

void TForm1::ClearImageClick() {
  const int32_t message = Project->MessageAtPosition(MessagesListTrackBar->Position());
  std::u16string before = message >= 1 ? Project->GetTargetText(message) : std::u16string();
  {
    TRecording recording(recordingDepth_);
    TargetMemo->SetText(QString());
    Project->StoreTranslation(message, std::u16string());
  }
  StartTypingRun();
  if (message >= 1 && Project->GetTargetText(message) != before)
    Edits->push(new TTranslationCommand(*this, {message, std::move(before), Project->GetTargetText(message)},
                                        CatalogueText(u"ClearTranslationStep")));
}

void TForm1::ImportRecorded(const QString& label, const std::function<void(TConversionReport&)>& load) {
  // The import with the resolving and relinking after it is one step, recorded even when a later
  // part fails, since what was read stays in the project.
  const std::vector<std::u16string> before = CurrentTargetTexts();
  const TStateSnapshot statesBefore = MessageStates(*Project);
  auto record = [this, &before, &statesBefore, &label] {
    std::vector<TTextChange> changes = ChangesSince(before);
    std::vector<TStateChange> states = StateChangesSince(*Project, statesBefore);
    StartTypingRun();
    if (!changes.empty() || !states.empty())
      Edits->push(new TImportCommand(*this, std::move(changes), std::move(states), label));
  };
  TConversionReport report;
  try {
    TRecording recording(recordingDepth_);
    load(report);
    Project->Relink();
    KeepShownMessageInView();
    TargetMemo->SetText(FromWide(Project->GetTargetText(Project->CurrentMessage)));
    SourceMemo->SetText(FromWide(Project->GetSourceText(Project->CurrentMessage)));
  } catch (...) {
    record();
    throw;
  }
  record();
  // The review mark and note of the shown message may have come with the file.
  ProcessEnabledControls();
  if (!report.Empty())
    dialogs_.ShowReport(this, CatalogueText(u"ImportErrorsCaption"), report,
                        [this](const std::u16string& id) { RunGuarded([this, &id] { ShowMessageWithId(id); }); });
}

// ---------------------------------------------------------------------------------------------
// Undo and redo

void TForm1::ShowMessageOf(int32_t message) {
  StartTypingRun();
  if (Project->CurrentMessage == message) return;
  const int position = PositionToShow(message);
  if (position != MessagesListTrackBar->Position()) MessagesListTrackBar->SetPosition(position);
}

void TForm1::PutTranslation(int32_t message, const std::u16string& text) {
  TRecording recording(recordingDepth_);
  ShowMessageOf(message);
  Project->SetTargetText(message, text);
  if (Project->CurrentMessage == message) TargetMemo->SetText(FromWide(text));
  ProcessEnabledControls();
}

void TForm1::PutTranslations(const std::vector<TTextChange>& changes, const std::vector<TStateChange>& states,
                             bool after) {
  TRecording recording(recordingDepth_);
  StartTypingRun();
  // Every enumerated text as it was, linked duplicates included; the links follow the texts.
  for (const TTextChange& change : changes)
    Project->TargetTexts[static_cast<std::size_t>(change.Message)]->Text = after ? change.After : change.Before;
  Project->LinkDuplicatePaths();
  for (const TStateChange& change : states) {
    const TMessageStateValues& values = after ? change.After : change.Before;
    Project->SetNeedsReview(change.Message, values.NeedsReview);
    Project->SetNote(change.Message, values.Note);
    Project->SetPreviousSource(change.Message, values.PreviousSource);
  }
  KeepShownMessageInView();
  TargetMemo->SetText(FromWide(Project->GetTargetText(Project->CurrentMessage)));
  SourceMemo->SetText(FromWide(Project->GetSourceText(Project->CurrentMessage)));
  ProcessEnabledControls();
}

void TForm1::PutNeedsReview(int32_t message, bool on) {
  TRecording recording(recordingDepth_);
  ShowMessageOf(message);
  Project->SetNeedsReview(message, on);
  ProcessEnabledControls();
}

// ---------------------------------------------------------------------------------------------
// Review mark and note

void TForm1::ShowMessageState(int32_t message) {
  const bool markable = message >= 1 && !Project->IsLinked(message);
  const bool flagged = message >= 1 && Project->NeedsReview(message);
  ReviewPanel->Show(markable, flagged, message >= 1 ? FromWide(Project->Note(message)) : QString());
  // The coloured box says "look again" where the translator is looking.
  QPalette palette = TargetMemo->palette();
  palette.setColor(QPalette::Base,
                   flagged ? QColor(255, 236, 196) : QApplication::palette(TargetMemo).color(QPalette::Base));
  TargetMemo->setPalette(palette);
  Status->ShowProgress(Project->TranslatedPositions(), Project->PositionCount, Project->ReviewPositions());
}

void TForm1::SetNeedsReviewRecorded(int32_t message, bool on, const QString& label) {
  Project->SetNeedsReview(message, on);
  StartTypingRun();
  Edits->push(new TReviewCommand(*this, message, on, label));
  ProcessEnabledControls();
}

void TForm1::ToggleReviewClick() {
  const int32_t message = Project->MessageAtPosition(MessagesListTrackBar->Position());
  if (message >= 1 && !Project->IsLinked(message)) {
    const bool on = !Project->NeedsReview(message);
    SetNeedsReviewRecorded(message, on, on ? CatalogueText(u"MarkReviewStep") : CatalogueText(u"ClearReviewStep"));
  } else {
    ProcessEnabledControls();  // the box of the panel goes back to what the project holds
  }
}

void TForm1::DoneAndNextClick() {
  const int32_t message = Project->MessageAtPosition(MessagesListTrackBar->Position());
  if (message >= 1 && !Project->IsLinked(message) && Project->NeedsReview(message))
    SetNeedsReviewRecorded(message, false, CatalogueText(u"ClearReviewStep"));
  NextUnfinishedClick();
}

void TForm1::NoteEdited() {
  const int32_t message = Project->MessageAtPosition(MessagesListTrackBar->Position());
  if (message < 1) return;
  Project->SetNote(message, ReviewPanel->Note->text().toStdU16String());
  // Notes are kept out of the undo history, but they are a change to save.
  MarkUnrecordedChange();
}

// ---------------------------------------------------------------------------------------------
// Keyboard commands

void TForm1::FocusTranslation() {
  TargetMemo->setFocus(Qt::ShortcutFocusReason);
  TargetMemo->moveCursor(QTextCursor::End);
}

void TForm1::SaveClick() {
  if (QuickSaveProjectButton->isEnabled())
    QuickSaveProjectButtonClick();
  else
    SaveProjectButtonClick();
}

void TForm1::PreviousMessageClick() {
  BackImageMouseDown();
  FocusTranslation();
}

void TForm1::NextMessageClick() {
  ForwardImageMouseDown();
  FocusTranslation();
}

void TForm1::PreviousUnfinishedClick() { GoToUnfinished(-1); }

void TForm1::NextUnfinishedClick() { GoToUnfinished(+1); }

void TForm1::GoToUnfinished(int direction) {
  const int32_t found = FindUnfinished(*Project, MessagesListTrackBar->Position(), direction);
  if (found >= 1)
    MessagesListTrackBar->SetPosition(found);
  else
    dialogs_.ShowMessage(this, CatalogueText(u"CannotFindNotEditedMessage"));
  FocusTranslation();
}

void TForm1::GoToMessageClick() {
  if (MessagesListTrackBar->Max() < 1) return;
  int position = std::max(1, MessagesListTrackBar->Position());
  if (!dialogs_.AskNumber(this, CatalogueText(u"GoToMessageTitle"),
                          CatalogueText(u"GoToMessageLabel").arg(MessagesListTrackBar->Max()), 1,
                          MessagesListTrackBar->Max(), position))
    return;
  MessagesListTrackBar->SetPosition(std::clamp(position, 1, MessagesListTrackBar->Max()));
  FocusTranslation();
}
