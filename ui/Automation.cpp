#include "ui/Automation.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include "glossary/Glossary.h"
#include "project/ProjectClass.h"
#include "ui/FileCommands.h"
#include "ui/MessageNavigator.h"
#include "ui/ReviewPanel.h"
#include "ui/TranslationSession.h"
#include "ui/XGTranslator.h"

namespace {

struct TCommandName {
  std::string_view Name;
  TAutomationCommand::TKind Kind;
};
constexpr TCommandName CommandNames[] = {
    {"show", TAutomationCommand::Show},         {"type", TAutomationCommand::Type},
    {"review", TAutomationCommand::Review},     {"note", TAutomationCommand::Note},
    {"glossary", TAutomationCommand::Glossary}, {"open", TAutomationCommand::Open},
    {"save", TAutomationCommand::Save},         {"quit", TAutomationCommand::Quit},
};

void SendKey(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &release);
}

}  // namespace

std::optional<TAutomationCommand> ParseAutomationLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line.front() == '#') return std::nullopt;
  const std::size_t space = line.find(' ');
  const std::string_view word = line.substr(0, space);
  const std::string_view argument = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
  const TCommandName* name = nullptr;
  for (const TCommandName& candidate : CommandNames)
    if (candidate.Name == word) name = &candidate;
  if (name == nullptr) throw std::invalid_argument("Unknown command \"" + std::string(word) + "\"");
  TAutomationCommand command;
  command.Kind = name->Kind;
  switch (command.Kind) {
    case TAutomationCommand::Show: {
      const auto [end, error] = std::from_chars(argument.data(), argument.data() + argument.size(), command.Message);
      if (argument.empty() || error != std::errc() || end != argument.data() + argument.size() || command.Message < 1)
        throw std::invalid_argument("\"show\" needs a message number");
      break;
    }
    case TAutomationCommand::Type:
      if (argument.empty()) throw std::invalid_argument("\"type\" needs a text");
      command.Text = argument;
      break;
    case TAutomationCommand::Note:
      command.Text = argument;
      break;
    case TAutomationCommand::Glossary:
    case TAutomationCommand::Open:
      if (argument.empty()) throw std::invalid_argument("\"" + std::string(word) + "\" needs a file");
      command.Text = argument;
      break;
    default:
      if (space != std::string_view::npos)
        throw std::invalid_argument("\"" + std::string(word) + "\" takes no argument");
  }
  return command;
}

void TypeKeys(QWidget* target, const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, length);
    i += length;
    // The key a keyboard reports for a character: its upper-case form (Qt::Key_A for 'a').
    SendKey(target, length == 1 ? character.at(0).toUpper().unicode() : int(Qt::Key_unknown), character);
  }
}

TAutomation::TAutomation(TForm1& window, const QString& input, std::ostream& out) : window_(window), out_(out) {
  if (input == QStringLiteral("-")) {
    descriptor_ = STDIN_FILENO;
  } else {
    // Not blocking: a FIFO opens before anyone writes to it.
    descriptor_ = open(QFile::encodeName(input).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    ownsDescriptor_ = descriptor_ >= 0;
  }
  if (descriptor_ < 0 || fcntl(descriptor_, F_SETFL, fcntl(descriptor_, F_GETFL) | O_NONBLOCK) != 0)
    throw std::runtime_error("Cannot read the automation input " + input.toStdString() + ": " + std::strerror(errno));
  notifier_ = new QSocketNotifier(static_cast<qintptr>(descriptor_), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadAvailable(); });
}

TAutomation::~TAutomation() {
  if (ownsDescriptor_) close(descriptor_);
}

void TAutomation::ReadAvailable() {
  char buffer[4096];
  for (;;) {
    const ssize_t count = read(descriptor_, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (count <= 0) {
      // The end of the input (or a failed read): a last line without its line end counts.
      notifier_->setEnabled(false);
      if (!partialLine_.empty()) lines_.emplace_back(++lineNumber_, std::exchange(partialLine_, {}));
      break;
    }
    partialLine_.append(buffer, static_cast<std::size_t>(count));
    for (std::size_t end; (end = partialLine_.find('\n')) != std::string::npos;) {
      lines_.emplace_back(++lineNumber_, partialLine_.substr(0, end));
      partialLine_.erase(0, end + 1);
    }
  }
  if (!lines_.empty() && !runScheduled_) {
    runScheduled_ = true;
    QTimer::singleShot(0, this, [this] { RunNext(); });
  }
}

void TAutomation::RunNext() {
  runScheduled_ = false;
  if (lines_.empty()) return;
  const auto [number, line] = std::move(lines_.front());
  lines_.pop_front();
  try {
    if (const std::optional<TAutomationCommand> command = ParseAutomationLine(line)) {
      if (command->Kind != TAutomationCommand::Quit) Perform(*command);
      out_ << "done " << number << std::endl;
      // Acknowledged first: the program may end with the window.
      if (command->Kind == TAutomationCommand::Quit) window_.close();
    }
  } catch (const std::exception& error) {
    out_ << "failed " << number << ": " << error.what() << std::endl;
  }
  if (!lines_.empty()) {
    runScheduled_ = true;
    QTimer::singleShot(0, this, [this] { RunNext(); });
  }
}

void TAutomation::Perform(const TAutomationCommand& command) {
  switch (command.Kind) {
    case TAutomationCommand::Show:
      ShowMessage(command.Message);
      break;
    case TAutomationCommand::Type:
      if (window_.TargetMemo->isReadOnly()) throw std::runtime_error("The translation box takes no typing now");
      TypeKeys(window_.TargetMemo, QString::fromStdString(command.Text));
      break;
    case TAutomationCommand::Review:
      if (!window_.ReviewPanel->NeedsReview->isEnabled()) throw std::runtime_error("The review box is disabled");
      window_.ReviewPanel->NeedsReview->click();
      break;
    case TAutomationCommand::Note:
      TypeNote(QString::fromStdString(command.Text));
      break;
    case TAutomationCommand::Glossary: {
      std::vector<std::string> files = ProjectGlossaryFiles(window_.Session->Project());
      files.push_back(command.Text);
      window_.Session->SetGlossaryFiles(files);
      if (!window_.Session->GlossaryProblems().empty())
        throw std::runtime_error(window_.Session->GlossaryProblems().front());
      break;
    }
    case TAutomationCommand::Open:
      window_.Files->OpenRecentFile(QString::fromStdString(command.Text));
      break;
    case TAutomationCommand::Save:
      window_.Files->QuickSave();
      break;
    case TAutomationCommand::Quit:
      break;
  }
}

void TAutomation::ShowMessage(int32_t message) {
  // As a pick in the message list followed by Return: the message shown, the cursor in its box.
  const int32_t position = window_.Session->Project().PositionOfMessage(message);
  if (position < 1) throw std::runtime_error("No message " + std::to_string(message) + " to show");
  window_.Navigator->ShowPosition(position);
  window_.FocusTranslation();
}

void TAutomation::TypeNote(const QString& text) {
  QLineEdit* note = window_.ReviewPanel->Note;
  if (!note->isEnabled()) throw std::runtime_error("The note is disabled");
  note->selectAll();
  if (text.isEmpty())
    SendKey(note, Qt::Key_Backspace, QString());
  else
    TypeKeys(note, text);
}
