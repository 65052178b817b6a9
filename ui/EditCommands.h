#pragma once
// The undoable changes of a translation. Each command is recorded after the window has made its
// change through the usual path (the target box's change event), so the first redo() does
// nothing; later undo() and redo() go back to the window through TEditTarget, which first shows the
// message concerned.
#include <QUndoCommand>

#include <cstdint>
#include <string>
#include <vector>

// One message's target text before and after a change. `Message` is the index of the text among
// the target quest's enumerated texts (the project's message number). A changed text drops the mark
// of a translation kept as it is; the command puts the mark back with the text (an import keeps its
// marks with the states instead).
struct TTextChange {
  int32_t Message = 0;
  std::u16string Before;
  std::u16string After;
  bool AsIsBefore = false;
  bool AsIsAfter = false;
};

// What a translator keeps beside one message's translation (its review mark, note, previous source
// and translated-as-is mark), before and after an import changed it. `Message` holds the state (no linked duplicate).
struct TMessageStateValues {
  bool NeedsReview = false;
  std::u16string Note;
  std::u16string PreviousSource;
  bool TranslatedAsIs = false;
  bool operator==(const TMessageStateValues&) const = default;
};
struct TStateChange {
  int32_t Message = 0;
  TMessageStateValues Before;
  TMessageStateValues After;
};

class TEditTarget {
 public:
  virtual ~TEditTarget() = default;
  // Shows the message (when it is not shown) and stores `text` as its translation, kept as it is
  // or not.
  virtual void PutTranslation(int32_t message, const std::u16string& text, bool asIs) = 0;
  // Puts back many texts and states at once (an import): Before or After of each change.
  virtual void PutTranslations(const std::vector<TTextChange>& changes, const std::vector<TStateChange>& states,
                               bool after) = 0;
  // Shows the message and sets its needs-review mark.
  virtual void PutNeedsReview(int32_t message, bool on) = 0;
  // Shows the message and sets both its marks.
  virtual void PutFinished(int32_t message, bool needsReview, bool asIs) = 0;
};

// Typing, Copy and Clear. Typing commands of one typing run in one message merge into one step;
// the window starts a new run whenever another message is shown or a command is undone.
class TTranslationCommand : public QUndoCommand {
 public:
  static constexpr int TypingId = 1;
  // typingRun 0: a command of its own (Copy, Clear), never merged.
  TTranslationCommand(TEditTarget& target, TTextChange change, const QString& label, int typingRun = 0);
  void undo() override;
  void redo() override;
  int id() const override { return typingRun_ != 0 ? TypingId : -1; }
  bool mergeWith(const QUndoCommand* other) override;
  const TTextChange& Change() const { return change_; }

 private:
  TEditTarget& target_;
  TTextChange change_;
  int typingRun_;
  bool applied_ = true;
};

// A whole import (exchange file, PO, XLIFF): every text and state it changed, as one step.
class TImportCommand : public QUndoCommand {
 public:
  TImportCommand(TEditTarget& target, std::vector<TTextChange> changes, std::vector<TStateChange> states,
                 const QString& label);
  void undo() override;
  void redo() override;

 private:
  TEditTarget& target_;
  std::vector<TTextChange> changes_;
  std::vector<TStateChange> states_;
  bool applied_ = true;
};

// The needs-review mark of one message switched on or off.
class TReviewCommand : public QUndoCommand {
 public:
  TReviewCommand(TEditTarget& target, int32_t message, bool on, const QString& label);
  void undo() override;
  void redo() override;

 private:
  TEditTarget& target_;
  int32_t message_;
  bool on_;
  bool applied_ = true;
};

// A message finished (Done): its review mark cleared and, when its translation equals its source,
// marked translated as is; both marks before and after, one step.
struct TFinishMarks {
  bool NeedsReview = false;
  bool AsIs = false;
};
class TFinishCommand : public QUndoCommand {
 public:
  TFinishCommand(TEditTarget& target, int32_t message, TFinishMarks before, TFinishMarks after, const QString& label);
  void undo() override;
  void redo() override;

 private:
  TEditTarget& target_;
  int32_t message_;
  TFinishMarks before_;
  TFinishMarks after_;
  bool applied_ = true;
};
