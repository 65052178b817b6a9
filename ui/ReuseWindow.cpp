// Reusing translations in the window: the suggestions beside the texts, the propagation offer when
// a message is left with a new translation, Tools → Update source quest…, Tools → Translation
// memory… and the list of unused translations. Each command is a call of the memory library; the
// window only shows its results and records its fills as undo steps.
#include <QDockWidget>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>

#include <memory>

#include "memory/ProjectMemory.h"
#include "memory/ProjectUpdate.h"
#include "memory/Propagation.h"
#include "memory/UnusedTranslations.h"
#include "project/ProjectClass.h"
#include "ui/MainMenu.h"
#include "ui/MemoryFilesDialog.h"
#include "ui/ReuseSession.h"
#include "ui/SuggestionsPanel.h"
#include "ui/UnusedTranslationsDialog.h"
#include "ui/XGTranslator.h"

namespace {

QString FromWide(const std::u16string& text) { return QString::fromStdU16String(text); }

constexpr int SuggestionsWidth = 300;

}  // namespace

void TForm1::CreateReuse() {
  Reuse = std::make_unique<TReuseSession>();
  auto* dock = new QDockWidget(CatalogueText(u"SuggestionsDockTitle"), this);
  dock->setObjectName(QStringLiteral("SuggestionsDock"));
  dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  Suggestions = new TSuggestionsPanel(CatalogueLookup(*Catalogue), dock);
  Suggestions->OnInsert = [this](const std::u16string& translation) { InsertSuggestion(translation); };
  // A fixed width: the central area keeps the sizes its layout rules are written for.
  Suggestions->setFixedWidth(SuggestionsWidth);
  dock->setWidget(Suggestions);
  addDockWidget(Qt::RightDockWidgetArea, dock);

  UpdateSourceDialog.Name = QStringLiteral("UpdateSourceDialog");
  UpdateSourceDialog.Kind = TFileDialog::Open;
  UpdateSourceDialog.Filter = QStringLiteral("Xengrav|*.xg");
  UpdateSourceDialog.DefaultExt = QStringLiteral("xg");
  UpdateSourceDialog.Title = CatalogueText(u"UpdateSourceDialogTitle");

  // Project-wide tools: before the spelling language, which CreateCheckMenus put there.
  QAction* spelling = Menu->Tools->actions().value(0);
  Menu->Tools->insertAction(
      spelling, Menu->Add(Menu->Tools, CatalogueText(u"MenuUpdateSource"), {}, [this] { UpdateSourceQuestClick(); }));
  Menu->Tools->insertAction(
      spelling, Menu->Add(Menu->Tools, CatalogueText(u"MenuMemoryFiles"), {}, [this] { MemoryFilesClick(); }));
  Menu->Tools->insertSeparator(spelling);
  Menu->Add(Menu->View, CatalogueText(u"MenuUnusedTranslations"), {}, [this] { UnusedTranslationsClick(); });
  Menu->AddSeparator(Menu->Edit);
  for (int i = 0; i < TSuggestionsPanel::MaxSuggestions; ++i)
    Menu->Add(Menu->Edit, CatalogueText(u"MenuInsertSuggestion").arg(i + 1),
              {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i))}, [this, i] { InsertSuggestionClick(i); });
}

void TForm1::RebuildMemory() {
  if (!Reuse) return;
  const std::vector<std::string> problems = Reuse->Rebuild(*Project);
  if (problems.empty()) return;
  QString text = CatalogueText(u"MemoryReadProblems");
  for (const std::string& problem : problems) text += QLatin1Char('\n') + QString::fromStdString(problem);
  dialogs_.ShowMessage(this, text);
}

void TForm1::ShowReuse() {
  if (!Reuse || offeringFill_) return;
  const int32_t left = Reuse->MessageShown(*Project, Project->CurrentMessage, *Suggestions);
  // Undo and redo move between messages too, and so do New and Open (to no message): only the
  // translator's own move to another message is offered.
  if (left == 0 || recordingDepth_ != 0 || Project->CurrentMessage < 1) return;
  const std::size_t others = PropagationTargets(*Project, left).size();
  if (others == 0) return;
  offeringFill_ = true;
  const bool fill = dialogs_.AskYesNo(this, CatalogueText(u"FillSameQuestion").arg(others));
  offeringFill_ = false;
  if (!fill) return;
  std::vector<TFilledMessage> fills = FillSameTranslation(*Project, left);
  // The message moved to may be one of those filled.
  ++recordingDepth_;
  TargetMemo->SetText(FromWide(Project->GetTargetText(Project->CurrentMessage)));
  --recordingDepth_;
  StartTypingRun();
  Edits->push(new TFillCommand([this](const std::vector<TFilledMessage>& f, bool after) { PutFills(f, after); },
                               std::move(fills), CatalogueText(u"FillSameStep")));
  ProcessEnabledControls();
}

void TForm1::PutFills(const std::vector<TFilledMessage>& fills, bool after) {
  ++recordingDepth_;
  PutFilled(*Project, fills, after);
  TargetMemo->SetText(FromWide(Project->GetTargetText(Project->CurrentMessage)));
  --recordingDepth_;
  StartTypingRun();
  ProcessEnabledControls();
}

void TForm1::InsertSuggestion(const std::u16string& translation) {
  const int32_t message = Project->MessageAtPosition(MessagesListTrackBar->Position());
  std::vector<TFilledMessage> fills = FillSuggestion(*Project, message, translation);
  if (fills.empty()) return;
  ++recordingDepth_;
  TargetMemo->SetText(FromWide(Project->GetTargetText(message)));
  --recordingDepth_;
  StartTypingRun();
  Edits->push(new TFillCommand([this](const std::vector<TFilledMessage>& f, bool after) { PutFills(f, after); },
                               std::move(fills), CatalogueText(u"InsertSuggestionStep")));
  ProcessEnabledControls();
}

void TForm1::InsertSuggestionClick(int index) { Suggestions->InsertSuggestion(index); }

void TForm1::UpdateSourceQuestClick() {
  if (Project->SourceCount == 0) return;
  if (!dialogs_.ExecuteFileDialog(this, UpdateSourceDialog)) return;
  auto fresh = std::make_unique<TtxgProject>(*Catalogue);
  const TUpdatePlan plan = UpdateProject(*Project, FileNameForLibrary(UpdateSourceDialog.FileName), *fresh);
  // The window's panels hold this project object: it takes the update over instead of being replaced.
  Project->TakeOver(*fresh);
  fresh.reset();
  ForgetEdits();
  PrepareFormForProject();
  // The updated project is no file yet: saving asks for a name, so the old project stays as it was.
  QuickSaveProjectButton->setEnabled(false);
  questFileName_ = UpdateSourceDialog.FileName;
  MarkUnrecordedChange();
  dialogs_.ShowMessage(this, UpdateSummary(plan));
}

void TForm1::MemoryFilesClick() {
  TMemoryFilesDialog dialog(dialogs_, CatalogueLookup(*Catalogue), AttachedMemoryFiles(*Project), this);
  if (!dialogs_.ExecuteDialog(this, dialog)) return;
  if (dialog.Files() == AttachedMemoryFiles(*Project)) return;
  SetAttachedMemoryFiles(*Project, dialog.Files());
  MarkUnrecordedChange();
  RebuildMemory();
}

void TForm1::UnusedTranslationsClick() {
  TUnusedTranslationsDialog dialog(UnusedTranslations(*Project), CatalogueLookup(*Catalogue), this);
  dialogs_.ExecuteDialog(this, dialog);
}
