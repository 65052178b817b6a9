// Speed of the window on the full-capacity quest (about 26,000 messages), offscreen. Goals in the
// optimised build: opening the quest until it is shown at most 500 ms, a keystroke in the target
// box at most 2 ms, undo of a whole exchange import at most 150 ms, the window's part of journalling
// one typed message (its state taken, encoded and handed to the journal's thread) well under 0.2 ms.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "common/FullQuest.h"
#include "project/ProjectClass.h"
#include "support/JD_BlockPar.h"
#include "ui/FileCommands.h"
#include "ui/SessionJournal.h"
#include "ui/TranslationSession.h"
#include "ui/XGTranslator.h"

namespace {

// Every question is answered without a box: the benchmarks never cancel or confirm anything.
class SilentDialogs : public TWindowDialogs {
 public:
  bool ExecuteFileDialog(QWidget*, TFileDialog&) override { return false; }
  bool ExecuteFontDialog(QWidget*, TFontDialog&) override { return false; }
  void ShowMessage(QWidget*, const QString&) override {}
  void ShowErrorBox(QWidget*, const QString&, const QString&) override {}
  void ShowError(QWidget*, const QString& text, const TErrorPlace&) override {
    throw std::runtime_error(text.toStdString());
  }
  TSaveChangesAnswer AskSaveChanges(QWidget*) override { return TSaveChangesAnswer::Discard; }
  bool AskNumber(QWidget*, const QString&, const QString&, int, int, int&) override { return false; }
};

QTemporaryDir& Scratch() {
  static QTemporaryDir folder;
  return folder;
}

// The full quest as a file, written once.
QString FullQuestFile() {
  static const QString file = [] {
    const QString name = Scratch().filePath(QStringLiteral("full.xg"));
    TBlockParJD catalogue;
    catalogue.LoadFromFile(std::string(XG_DATA_DIR) + "/msg_cfg.txt", false);
    TtxgProject project(catalogue);
    BuildFullQuest(project.SourceGame);
    project.SourceGame.SaveToFile(FileNameForLibrary(name));
    return name;
  }();
  return file;
}

std::unique_ptr<TForm1> Window(SilentDialogs& dialogs) {
  auto form = std::make_unique<TForm1>(dialogs, QStringList{QStringLiteral(XG_DATA_DIR "/msg_cfg.txt")});
  form->show();
  QApplication::processEvents();
  return form;
}

void BM_OpenFullQuestInWindow(benchmark::State& state) {
  SilentDialogs dialogs;
  auto form = Window(dialogs);
  const QString quest = FullQuestFile();
  for (auto _ : state) {
    form->Files->OpenFile(quest);
    QApplication::processEvents();  // until it is shown
  }
  if (form->Session->Project().SourceCount != FullQuestMessageCount) state.SkipWithError("the quest lost messages");
  state.counters["messages"] = form->Session->Project().SourceCount;
}
BENCHMARK(BM_OpenFullQuestInWindow)->Unit(benchmark::kMillisecond);

// One typed character, then one deleted: each runs the target box's change, the store, the undo
// step (merged), the colour, the review mark and the counts of the status bar.
void BM_KeystrokeInTarget(benchmark::State& state) {
  SilentDialogs dialogs;
  auto form = Window(dialogs);
  form->Files->OpenFile(FullQuestFile());
  form->MessagesListTrackBar->SetPosition(form->MessagesListTrackBar->Max() / 2);
  form->FocusTranslation();
  for (auto _ : state) {
    form->TargetMemo->insertPlainText(QStringLiteral("x"));
    QTextCursor cursor = form->TargetMemo->textCursor();
    cursor.deletePreviousChar();
  }
  state.SetItemsProcessed(state.iterations() * 2);  // the time shown is for two keystrokes
}
BENCHMARK(BM_KeystrokeInTarget)->Unit(benchmark::kMicrosecond);

// An exchange file that changes every message, read once; then undo (timed) and redo (not timed).
void BM_UndoWholeImport(benchmark::State& state) {
  SilentDialogs dialogs;
  auto form = Window(dialogs);
  form->Files->OpenFile(FullQuestFile());
  const QString exchange = Scratch().filePath(QStringLiteral("all.txt"));
  {
    // Every body of the written file gets a word more: the import changes every message.
    form->Session->Project().SaveMessages(FileNameForLibrary(exchange));
    QFile file(exchange);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("no exchange file");
    const QByteArray bytes = file.readAll();
    file.close();
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    text.replace(QStringLiteral("\r\n<End>"), QStringLiteral(" (translated)\r\n<End>"));
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("exchange file not writable");
    file.write("\xFF\xFE", 2);
    file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  }
  form->Files->LoadMessagesFromFile(exchange);
  if (form->Session->Edits().count() != 1)
    state.SkipWithError(("the import is not one step: " + std::to_string(form->Session->Edits().count())).c_str());
  for (auto _ : state) {
    form->Session->Edits().undo();
    state.PauseTiming();
    form->Session->Edits().redo();
    state.ResumeTiming();
  }
  state.counters["translated"] = form->Session->Project().TranslatedPositions();
}
BENCHMARK(BM_UndoWholeImport)->Unit(benchmark::kMillisecond);

// What the window's thread spends on the journal for one typed message: its state taken, encoded
// and queued for the journal's thread, which appends and flushes it meanwhile (not timed).
void BM_JournalTypedMessage(benchmark::State& state) {
  SilentDialogs dialogs;
  auto form = Window(dialogs);
  form->Files->OpenFile(FullQuestFile());
  form->MessagesListTrackBar->SetPosition(form->MessagesListTrackBar->Max() / 2);
  form->FocusTranslation();
  form->TargetMemo->insertPlainText(QString(300, QChar(0x0436)));
  TSessionJournal& journal = form->Session->Journal();
  const int32_t message = form->Session->Project().CurrentMessage;
  journal.Wait();
  for (auto _ : state) {
    journal.Record(message);
    journal.Flush();
  }
  journal.Wait();
}
// A fixed count: the journal's thread flushes every record to disk, so the queue must stay short.
BENCHMARK(BM_JournalTypedMessage)->Unit(benchmark::kMicrosecond)->Iterations(20000);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Open Recent writes into the settings: never the user's.
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(Scratch().path()));
  // And the journals of projects never saved go to the scratch folder.
  qputenv("XDG_DATA_HOME", QFile::encodeName(Scratch().path()));
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
