#include "ui/ReuseView.h"

#include "memory/ProjectMemory.h"
#include "memory/UnusedTranslations.h"
#include "project/ProjectClass.h"
#include "ui/CatalogueText.h"
#include "ui/MemoryFilesDialog.h"
#include "ui/SuggestionsPanel.h"
#include "ui/TranslationSession.h"
#include "ui/UnusedTranslationsDialog.h"

namespace {

// The panel gives up width before the central area does, whose layout rules need their least size.
constexpr int LeastSuggestionsWidth = 150;

}  // namespace

QString UpdateReport(const TUpdatePlan& plan, const TCatalogueText& text) {
  QStringList lines{text(u"UpdateReportHeading")};
  for (auto [key, count] : {std::pair{u"UpdateReportKept", static_cast<qsizetype>(plan.Kept)},
                            std::pair{u"UpdateReportChanged", static_cast<qsizetype>(plan.Changed)},
                            std::pair{u"UpdateReportMoved", static_cast<qsizetype>(plan.Moved)},
                            std::pair{u"UpdateReportNew", static_cast<qsizetype>(plan.New)},
                            std::pair{u"UpdateReportUnused", static_cast<qsizetype>(plan.UnusedMessages.size())}})
    lines << text(key).arg(count);
  lines << QString() << text(u"UpdateReportNotSaved");
  return lines.join(QLatin1Char('\n'));
}

TReuseView::TReuseView(TTranslationSession& session, TWindowDialogs& dialogs, QWidget* owner)
    : QObject(owner),
      UpdateSourceDialog(MakeFileDialog("UpdateSourceDialog", TFileDialog::Open, QStringLiteral("Xengrav|*.xg"), "xg")),
      session_(session),
      dialogs_(dialogs),
      owner_(owner) {
  Panel = new TSuggestionsPanel(CatalogueLookup(session.Catalogue()));
  Panel->setMinimumWidth(LeastSuggestionsWidth);
  Panel->Memory = [this] { return &session_.Reuse().Memory(); };
  Panel->OnInsert = [this](const std::u16string& translation, int percent) {
    session_.InsertSuggestion(session_.Project().CurrentMessage, translation, percent);
  };
  UpdateSourceDialog.Title = session_.Text(u"UpdateSourceDialogTitle");
  // Opening a workspace fills the memory anew: the shown message's suggestions with it.
  connect(&session_, &TTranslationSession::WorkspaceChanged, this, &TReuseView::MessageShown);
}

void TReuseView::MessageShown() {
  if (offeringFill_) return;
  const int32_t current = session_.Project().CurrentMessage;
  const int32_t left = session_.Reuse().MessageShown(session_.Project(), current, *Panel);
  // Undo and redo move between messages too, and so do New and Open (to no message): only the
  // translator's own move to another message is offered.
  if (left == 0 || session_.Recording() || current < 1) return;
  const std::size_t others = session_.SameSourceUntranslated(left);
  if (others == 0) return;
  offeringFill_ = true;
  const bool fill = dialogs_.AskYesNo(owner_, session_.Text(u"FillSameQuestion").arg(others));
  offeringFill_ = false;
  if (fill) session_.FillSameTranslation(left);
}

void TReuseView::ShowMemoryProblems() {
  if (session_.MemoryProblems().empty()) return;
  QString text = session_.Text(u"MemoryReadProblems");
  for (const std::string& problem : session_.MemoryProblems())
    text += QLatin1Char('\n') + QString::fromStdString(problem);
  dialogs_.ShowMessage(owner_, text);
}

void TReuseView::UpdateSourceQuest() {
  if (session_.Project().SourceCount == 0 || !dialogs_.ExecuteFileDialog(owner_, UpdateSourceDialog)) return;
  const TUpdatePlan plan = session_.UpdateSource(UpdateSourceDialog.FileName);
  dialogs_.ShowMessage(owner_, UpdateReport(plan, CatalogueLookup(session_.Catalogue())));
}

void TReuseView::EditMemoryFiles() {
  TMemoryFilesDialog dialog(dialogs_, CatalogueLookup(session_.Catalogue()), AttachedMemoryFiles(session_.Project()),
                            owner_);
  if (dialogs_.ExecuteDialog(owner_, dialog) && session_.SetMemoryFiles(dialog.Files())) ShowMemoryProblems();
}

void TReuseView::ShowUnusedTranslations() {
  TUnusedTranslationsDialog dialog(UnusedTranslations(session_.Project()), CatalogueLookup(session_.Catalogue()),
                                   owner_);
  dialogs_.ExecuteDialog(owner_, dialog);
}
