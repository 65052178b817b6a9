#include "ui/WorkspaceCommands.h"

#include <QSpinBox>
#include <QStatusBar>

#include "project/ProjectClass.h"
#include "ui/MainMenu.h"
#include "ui/PretranslateDialog.h"
#include "ui/TranslationSession.h"
#include "ui/WindowDialogs.h"
#include "ui/XGTranslator.h"

TWorkspaceCommands::TWorkspaceCommands(TForm1& window, TWindowDialogs& dialogs, QObject* parent)
    : QObject(parent), window_(window), dialogs_(dialogs) {
  TMainMenu& m = *window.Menu;
  m.Add(m.Tools, window.Session->Text(u"MenuPretranslate"), {}, [this] { Pretranslate(); });
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
