#pragma once
// Automation input for tests: `xgtranslator --automation INPUT FILE` performs the lines of INPUT (a
// script file, a FIFO, or "-" for standard input) in the window, the way a user would: the message
// picked as in the message list, keys pressed in the translation box and the note, the review box
// clicked, the project saved, the window closed. After each command it writes "done LINE" to its
// output and flushes, so a test driving the real program knows when the change was made; a command
// that fails writes "failed LINE: WHY" instead. Blank lines and lines starting with '#' are skipped.
//
//   show N       the message numbered N, ready for typing
//   type TEXT    TEXT typed into the translation box, key by key
//   review       the needs-review box clicked
//   note [TEXT]  the note's text selected and TEXT typed over it (nothing: the note cleared)
//   glossary FILE  FILE added to the project's glossaries (as Tools → Glossaries… adds it)
//   open FILE    FILE opened as a recent file is (a project after the save question, or a folder)
//   save         Save of the project to its file
//   quit         the window closed, asking about unsaved changes as for the user
//
// Reading never blocks the event loop, and one command runs per turn of it: what the window does
// between keystrokes (timers, its other threads' results) happens between commands too.
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

class QSocketNotifier;
class QWidget;
class TForm1;

struct TAutomationCommand {
  enum TKind { Show, Type, Review, Note, Glossary, Open, Save, Quit };
  TKind Kind = Show;
  int32_t Message = 0;  // show
  std::string Text;     // type, note, glossary (UTF-8)
  bool operator==(const TAutomationCommand&) const = default;
};

// One line of the input; nothing for a blank line or a comment. std::invalid_argument for a line
// that is no command, with one of the texts
//   Unknown command "WORD"
//   "show" needs a message number
//   "type" needs a text
//   "glossary" needs a file
//   "WORD" takes no argument
std::optional<TAutomationCommand> ParseAutomationLine(std::string_view line);

class TAutomation : public QObject {
 public:
  // Starts reading `input`; raises std::runtime_error "Cannot read the automation input INPUT: WHY".
  TAutomation(TForm1& window, const QString& input, std::ostream& out);
  ~TAutomation() override;

 private:
  void ReadAvailable();
  void RunNext();
  void Perform(const TAutomationCommand& command);
  void ShowMessage(int32_t message);
  void TypeNote(const QString& text);

  TForm1& window_;
  std::ostream& out_;
  int descriptor_ = -1;
  bool ownsDescriptor_ = false;
  QSocketNotifier* notifier_ = nullptr;
  std::string partialLine_;
  int lineNumber_ = 0;
  std::deque<std::pair<int, std::string>> lines_;  // read, not yet performed, with their numbers
  bool runScheduled_ = false;
};

// Keys typed into `target` as a keyboard delivers them: a press and a release per character.
void TypeKeys(QWidget* target, const QString& text);
