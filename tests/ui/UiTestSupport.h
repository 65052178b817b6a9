#pragma once
// What the window tests share: dialogs answered from a script, a scratch folder and a window made
// with the shipped catalogue.
#include <QColor>
#include <QFont>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "project/ConversionReport.h"
#include "project/ProjectClass.h"
#include "support/JD_BlockPar.h"
#include "ui/CatalogueText.h"
#include "ui/FileCommands.h"
#include "ui/MessageNavigator.h"
#include "ui/TranslationSession.h"
#include "ui/XGTranslator.h"

namespace uitest {

inline QString DataFile(const char* name) { return QStringLiteral(XG_DATA_DIR "/") + QLatin1String(name); }
inline QString SampleQuest() { return DataFile("sample.xg"); }

// The texts a catalogue without any added key gives: the built-in ones (for panels made alone).
inline TCatalogueText BuiltInTexts() {
  static const TBlockParJD none;
  return CatalogueLookup(none);
}

// Answers file dialogs by name from queues (an empty queue cancels) and records every box shown.
class ScriptedDialogs : public TWindowDialogs {
 public:
  std::map<QString, std::deque<QString>> FileAnswers;
  std::vector<TFileDialog> FileDialogsShown;
  std::optional<QFont> FontAnswer;
  std::deque<TSaveChangesAnswer> SaveChangesAnswers;
  std::deque<int> NumberAnswers;  // an empty queue cancels
  int SaveChangesAsked = 0;
  std::vector<QString> Messages;
  std::vector<std::pair<QString, QString>> ErrorBoxes;
  std::vector<QString> Errors;
  std::vector<TErrorPlace> ErrorPlaces;

  void Answer(const QString& dialogName, const QString& fileName) { FileAnswers[dialogName].push_back(fileName); }

  bool ExecuteFileDialog(QWidget*, TFileDialog& dialog) override {
    FileDialogsShown.push_back(dialog);
    auto& answers = FileAnswers[dialog.Name];
    if (answers.empty()) return false;
    dialog.FileName = answers.front();
    answers.pop_front();
    return true;
  }
  bool ExecuteFontDialog(QWidget*, TFontDialog& dialog) override {
    if (!FontAnswer) return false;
    dialog.Font = *FontAnswer;
    return true;
  }
  void ShowMessage(QWidget*, const QString& text) override { Messages.push_back(text); }
  void ShowErrorBox(QWidget*, const QString& caption, const QString& text) override {
    ErrorBoxes.emplace_back(caption, text);
  }
  void ShowError(QWidget*, const QString& text, const TErrorPlace& place) override {
    Errors.push_back(text);
    ErrorPlaces.push_back(place);
  }
  // Yes-or-no questions: answered from the queue (an empty queue says no), each question kept.
  std::deque<bool> YesNoAnswers;
  std::vector<QString> YesNoAsked;
  // Runs while a yes-or-no question is open, to look at the window behind it.
  std::function<void()> WhileAskingYesNo;
  bool AskYesNo(QWidget*, const QString& text) override {
    YesNoAsked.push_back(text);
    if (WhileAskingYesNo) WhileAskingYesNo();
    if (YesNoAnswers.empty()) return false;
    const bool answer = YesNoAnswers.front();
    YesNoAnswers.pop_front();
    return answer;
  }
  // A dialog of the window's own: the script works it and says whether it was accepted.
  std::function<bool(QDialog&)> DialogScript;
  bool ExecuteDialog(QWidget*, QDialog& dialog) override { return DialogScript ? DialogScript(dialog) : false; }
  // One-line questions: answered from the queue (an empty queue cancels), each label kept.
  std::deque<QString> TextAnswers;
  std::vector<QString> TextAsked;
  std::vector<QString> TextProposed;
  bool AskText(QWidget*, const QString&, const QString& label, QString& value) override {
    TextAsked.push_back(label);
    TextProposed.push_back(value);
    if (TextAnswers.empty()) return false;
    value = TextAnswers.front();
    TextAnswers.pop_front();
    return true;
  }
  // A report is listed in ErrorBoxes as the exchange import has always written it; the report
  // and the window's handler for a picked entry are kept for the tests to work with.
  std::vector<TConversionReport> Reports;
  std::vector<QString> ReportHeadings;
  TReportIdHandler ReportShowId;
  void ShowReport(QWidget*, const QString& caption, const QString& heading, const TConversionReport& report,
                  const TReportIdHandler& showId) override {
    ErrorBoxes.emplace_back(caption, QString::fromStdU16String(report.ExchangeText()));
    Reports.push_back(report);
    ReportHeadings.push_back(heading);
    ReportShowId = showId;
  }
  // Questions about a journal of unsaved changes: answered from the queue (an empty queue says
  // Later), each question kept with the choices it offered.
  struct JournalQuestion {
    QString Text;
    bool CanRecover;
    bool CanShow;
  };
  std::deque<TJournalAnswer> JournalAnswers;
  std::vector<JournalQuestion> JournalAsked;
  TJournalAnswer AskJournal(QWidget*, const QString& text, bool canRecover, bool canShow) override {
    JournalAsked.push_back({text, canRecover, canShow});
    if (JournalAnswers.empty()) return TJournalAnswer::Later;
    const TJournalAnswer answer = JournalAnswers.front();
    JournalAnswers.pop_front();
    return answer;
  }
  bool AskNumber(QWidget*, const QString&, const QString&, int, int, int& value) override {
    if (NumberAnswers.empty()) return false;
    value = NumberAnswers.front();
    NumberAnswers.pop_front();
    return true;
  }
  TSaveChangesAnswer AskSaveChanges(QWidget*) override {
    ++SaveChangesAsked;
    if (SaveChangesAnswers.empty()) return TSaveChangesAnswer::Cancel;
    const TSaveChangesAnswer answer = SaveChangesAnswers.front();
    SaveChangesAnswers.pop_front();
    return answer;
  }
};

class Scratch {
 public:
  QString File(const QString& name) const { return folder_.filePath(name); }
  const QTemporaryDir& Folder() const { return folder_; }

 private:
  QTemporaryDir folder_;
};

inline std::unique_ptr<TForm1> MakeWindow(ScriptedDialogs& dialogs) {
  return std::make_unique<TForm1>(dialogs, QStringList{DataFile("msg_cfg.txt")});
}

// Where Qt shows "*" in the caption while translations are unsaved.
inline const QString ModifiedMarker = QStringLiteral("[*]");

// The title of a new project made from the sample quest and not saved yet.
inline QString NewSampleProjectTitle(const TForm1& form) {
  return form.CatalogueText(u"UnsavedProjectTitle").arg(QStringLiteral("sample.xg")) + ModifiedMarker +
         form.CatalogueText(u"CommonProgramTitle");
}

// What the menu bar and the status bar add to the central area.
inline QSize Chrome(const TForm1& form) { return form.size() - form.CentralArea->size(); }

inline QColor TargetColour(const TForm1& form) { return form.TargetMemo->palette().color(QPalette::Text); }

inline QString Wide(const std::u16string& text) { return QString::fromStdU16String(text); }

}  // namespace uitest
