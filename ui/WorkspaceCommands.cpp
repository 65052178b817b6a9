#include "ui/WorkspaceCommands.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>

#include "project/ProjectClass.h"
#include "ui/MainMenu.h"
#include "ui/PretranslateDialog.h"
#include "ui/ReuseView.h"
#include "ui/SuggestionsPanel.h"
#include "ui/TranslationSession.h"
#include "ui/WindowDialogs.h"
#include "ui/WorkspaceSettingsDialog.h"
#include "ui/XGTranslator.h"

TWorkspaceCommands::TWorkspaceCommands(TForm1& window, TWindowDialogs& dialogs, QObject* parent)
    : QObject(parent), window_(window), dialogs_(dialogs) {
  TMainMenu& m = *window.Menu;
  m.Add(m.Tools, window.Session->Text(u"MenuPretranslate"), {}, [this] { Pretranslate(); });
  m.Add(m.Tools, window.Session->Text(u"MenuWorkspaceSettings"), {},
        [this] { window_.RunGuarded([this] { EditSettings(); }); });
  m.Add(m.Edit, window.Session->Text(u"MenuConcordance"), {Qt::CTRL | Qt::SHIFT | Qt::Key_K},
        [this] { FocusConcordance(); });
  window.Suggestions->OnConcordanceCopied = [&window](const QString& translation) {
    window.statusBar()->showMessage(window.Session->Text(u"ConcordanceCopied").arg(translation), 5000);
  };
}

void TWorkspaceCommands::FocusConcordance() {
  window_.SuggestionsDock->show();
  window_.SuggestionsDock->raise();
  window_.Suggestions->ConcordanceEdit->setFocus();
  window_.Suggestions->ConcordanceEdit->selectAll();
}

void TWorkspaceCommands::Pretranslate() {
  TTranslationSession& session = *window_.Session;
  if (session.Project().SourceCount == 0) return;
  TPretranslateDialog dialog(
      CatalogueLookup(session.Catalogue()),
      [&session](int minimumPercent) { return session.PlanPretranslation(minimumPercent).Counts; }, &window_);
  if (!dialogs_.ExecuteDialog(&window_, dialog)) return;
  const TPretranslationCounts counts = session.Pretranslate(dialog.Minimum->value());
  const int filled = counts.Exact + counts.Fuzzy();
  window_.statusBar()->showMessage(
      filled == 0 ? session.Text(u"PretranslateNothing")
                  : session.Text(u"PretranslateDone").arg(filled).arg(counts.Exact).arg(counts.Fuzzy()),
      10000);
}

void TWorkspaceCommands::EditSettings() {
  TTranslationSession& session = *window_.Session;
  if (session.WorkspaceFolder().isEmpty()) return dialogs_.ShowMessage(&window_, session.Text(u"NoWorkspaceOpen"));
  TWorkspaceSettingsDialog dialog(dialogs_, CatalogueLookup(session.Catalogue()), session.WorkspaceSettings(),
                                  &window_);
  if (!dialogs_.ExecuteDialog(&window_, dialog)) return;
  session.SetWorkspaceSettings(dialog.Settings());
  window_.Reuse->ShowMemoryProblems();
}

void TWorkspaceCommands::ShowSettingsProblem() {
  const TTranslationSession& session = *window_.Session;
  if (session.WorkspaceSettingsProblem().isEmpty()) return;
  dialogs_.ShowMessage(
      &window_, session.Text(u"WorkspaceSettingsProblem") + QLatin1Char('\n') + session.WorkspaceSettingsProblem());
}
