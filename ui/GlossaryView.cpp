#include "ui/GlossaryView.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QTextCursor>

#include "glossary/Glossary.h"
#include "project/ProjectClass.h"
#include "ui/AddTermDialog.h"
#include "ui/GlossariesDialog.h"
#include "ui/MainMenu.h"
#include "ui/MessageChecks.h"
#include "ui/QtText.h"
#include "ui/TermsView.h"
#include "ui/TranslationSession.h"
#include "ui/XGTranslator.h"

TGlossaryView::TGlossaryView(TForm1& window, TWindowDialogs& dialogs)
    : QObject(&window),
      NewGlossaryDialog(MakeFileDialog("NewGlossaryDialog", TFileDialog::Save, QStringLiteral("TBX|*.tbx"), "tbx")),
      window_(window),
      dialogs_(dialogs) {
  TTranslationSession& session = *window.Session;
  const TCatalogueText text = CatalogueLookup(session.Catalogue());
  NewGlossaryDialog.Title = text(u"NewGlossaryDialogTitle");

  Panel = new TTermsPanel(text);
  Panel->OnInsert = [this](const std::u16string& translation) { InsertTerm(translation); };
  Dock = new QDockWidget(text(u"TermsDockTitle"), &window);
  Dock->setObjectName(QStringLiteral("TermsDock"));
  Dock->setWidget(Panel);
  window.addDockWidget(Qt::RightDockWidgetArea, Dock);
  // Under the suggestions: both are about the message shown, and the editor keeps its width.
  window.splitDockWidget(window.SuggestionsDock, Dock, Qt::Vertical);
  // The suggestions are the longer texts: they keep two thirds of the height.
  window.resizeDocks({window.SuggestionsDock, Dock}, {2, 1}, Qt::Vertical);

  window.Checks->TermMatcher = [&session] { return session.TermMatcher(); };
  connect(window.SourceMemo, &QPlainTextEdit::textChanged, this, [this] { ShowTerms(); });
  connect(&session, &TTranslationSession::GlossariesChanged, this, [this, &session] {
    ShowTerms();
    window_.Checks->Refresh(&session.Project(), session.Project().CurrentMessage);
  });
  connect(&session, &TTranslationSession::ProjectReplaced, this, [this] {
    ShowTerms();
    ShowProblems();
  });

  TMainMenu& m = *window.Menu;
  m.AddSeparator(m.Edit);
  m.Add(m.Edit, text(u"MenuAddTerm"), {Qt::CTRL | Qt::Key_T}, [this] { AddTerm(); });
  for (int i = 0; i < TTermsPanel::ShortcutRows; ++i)
    m.Add(m.Edit, text(u"MenuInsertTerm").arg(i + 1), {Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + i)},
          [this, i] { Panel->InsertTerm(i); });
  Dock->toggleViewAction()->setText(text(u"TermsPanelAction"));
  m.AddAction(m.View, Dock->toggleViewAction(), {});
  m.Add(m.Tools, text(u"MenuGlossaries"), {}, [this] { EditGlossaries(); });
}

void TGlossaryView::ShowTerms() {
  TTranslationSession& session = *window_.Session;
  const int32_t message = session.Project().CurrentMessage;
  if (message < 1 || message > session.Project().SourceCount) return Panel->Clear();
  Panel->ShowTerms(session.TermMatcher(), session.Project().GetSourceText(message));
}

void TGlossaryView::ShowProblems() {
  const TTranslationSession& session = *window_.Session;
  if (session.GlossaryProblems().empty()) return;
  QString text = session.Text(u"GlossaryReadProblems");
  for (const std::string& problem : session.GlossaryProblems())
    text += QLatin1Char('\n') + QString::fromStdString(problem);
  dialogs_.ShowMessage(&window_, text);
}

void TGlossaryView::EditGlossaries() {
  TTranslationSession& session = *window_.Session;
  TGlossariesDialog dialog(dialogs_, CatalogueLookup(session.Catalogue()), ProjectGlossaryFiles(session.Project()),
                           &window_);
  if (dialogs_.ExecuteDialog(&window_, dialog) && session.SetGlossaryFiles(dialog.Files())) ShowProblems();
}

void TGlossaryView::AddTerm() {
  TTranslationSession& session = *window_.Session;
  const TtxgProject& project = session.Project();
  if (project.SourceCount == 0) return;
  // An untranslated message's box holds the source, selected for typing over: no translation yet.
  const QString target =
      project.IsTranslated(project.CurrentMessage) ? window_.TargetMemo->textCursor().selectedText() : QString();
  TAddTermDialog dialog(CatalogueLookup(session.Catalogue()), window_.SourceMemo->textCursor().selectedText(), target,
                        &window_);
  if (!dialogs_.ExecuteDialog(&window_, dialog)) return;
  std::string file = session.Glossaries().WritableFile();
  if (file.empty()) {
    if (!dialogs_.AskYesNo(&window_, session.Text(u"NewGlossaryQuestion"))) return;
    NewGlossaryDialog.FileName = session.SuggestedFileName(QStringLiteral("tbx"));
    if (!dialogs_.ExecuteFileDialog(&window_, NewGlossaryDialog)) return;
    file = FileNameForLibrary(NewGlossaryDialog.FileName);
  }
  session.AddTerm(file, dialog.Entry());
}

void TGlossaryView::InsertTerm(const std::u16string& translation) {
  TMemo* box = window_.TargetMemo;
  if (box->isReadOnly() || !box->isEnabled()) return;
  QTextCursor cursor = box->textCursor();
  cursor.insertText(FromWide(translation));
  box->setTextCursor(cursor);
  box->setFocus(Qt::OtherFocusReason);
}
