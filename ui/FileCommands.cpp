#include "ui/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QWidget>

#include "project/ConversionReport.h"
#include "project/ProjectClass.h"
#include "ui/FileDrop.h"
#include "ui/QtText.h"
#include "ui/SessionJournal.h"
#include "ui/TranslationSession.h"

TFileCommands::TFileCommands(TTranslationSession& session, TWindowDialogs& dialogs, QWidget* window)
    : session_(session), dialogs_(dialogs), window_(window), journalOffer_(session, dialogs, window) {
  // Titles follow the catalogue's naming: the dialog's name, then "Title".
  for (TFileDialog* dialog : Dialogs())
    if (const std::u16string key = ToWide(dialog->Name + QStringLiteral("Title")); session_.HasText(key))
      dialog->Title = session_.Text(key.c_str());
  QObject::connect(&session_, &TTranslationSession::ProjectReplaced, window, [this] { ForgetChosenNames(); });
  QObject::connect(&session_.Journal(), &TSessionJournal::WriteFailed, window, [this](const QString& error) {
    dialogs_.ShowError(window_, Text(u"JournalWriteFailed").arg(error), TErrorPlace());
  });
}

void TFileCommands::ForgetChosenNames() {
  for (TFileDialog* dialog : Dialogs()) {
    if (dialog->Kind != TFileDialog::Save || dialog->FileName.isEmpty()) continue;
    dialog->Folder = QFileInfo(dialog->FileName).absolutePath();
    dialog->FileName.clear();
  }
}

bool TFileCommands::ExecuteSaveDialog(TFileDialog& dialog) {
  if (dialog.FileName.isEmpty()) {
    const QFileInfo suggested(session_.SuggestedFileName(dialog.DefaultExt));
    if (!suggested.fileName().isEmpty())
      dialog.FileName =
          QDir(dialog.Folder.isEmpty() ? suggested.absolutePath() : dialog.Folder).filePath(suggested.fileName());
  }
  return dialogs_.ExecuteFileDialog(window_, dialog);
}

std::vector<TFileDialog*> TFileCommands::Dialogs() {
  return {&SourceOpenDialog,  &ProjectOpenDialog,  &LoadMsgsOpenDialog, &SourceSaveDialog,  &TargetSaveDialog,
          &ProjectSaveDialog, &SaveMsgsSaveDialog, &ToolsExportDialog,  &ToolsImportDialog, &TmxSaveDialog};
}

QString TFileCommands::Text(const char16_t* key) const { return session_.Text(key); }

bool TFileCommands::MayDiscardChanges() {
  if (!session_.HasUnsavedChanges()) return true;
  const TSaveChangesAnswer answer = dialogs_.AskSaveChanges(window_);
  if (answer == TSaveChangesAnswer::Discard) session_.DiscardChanges();
  if (answer != TSaveChangesAnswer::Save) return answer == TSaveChangesAnswer::Discard;
  Save();
  // A cancelled save dialog keeps the changes, and with them the window.
  return !session_.HasUnsavedChanges();
}

void TFileCommands::NewProject() {
  if (MayDiscardChanges() && dialogs_.ExecuteFileDialog(window_, SourceOpenDialog))
    NewProjectFromFile(SourceOpenDialog.FileName);
}

void TFileCommands::NewProjectFromFile(const QString& fileName) {
  if (BeforeProjectReplaced) BeforeProjectReplaced();
  // Changes wait while a journal left for this project is offered.
  const auto hold = session_.Journal().Hold();
  session_.NewFromQuest(fileName);
  if (FileUsed) FileUsed(fileName);
  journalOffer_.OfferWaiting();
}

void TFileCommands::OpenProject() {
  if (MayDiscardChanges() && dialogs_.ExecuteFileDialog(window_, ProjectOpenDialog))
    LoadProjectFromFile(ProjectOpenDialog.FileName);
}

void TFileCommands::LoadProjectFromFile(const QString& fileName) {
  if (BeforeProjectReplaced) BeforeProjectReplaced();
  const auto hold = session_.Journal().Hold();
  session_.Open(fileName);
  ProjectSaveDialog.FileName = fileName;
  if (FileUsed) FileUsed(fileName);
  journalOffer_.OfferWaiting();
  // The quests loaded; what the damaged end of the file held is gone, and the user hears it once.
  const std::string& warning = session_.Project().LoadWarning();
  if (!warning.empty()) dialogs_.ShowMessage(window_, QString::fromStdString(warning));
}

void TFileCommands::OfferNeverSavedJournals() {
  journalOffer_.OfferNeverSaved([this](const QString& quest) {
    if (!MayDiscardChanges()) return false;
    if (BeforeProjectReplaced) BeforeProjectReplaced();
    SourceOpenDialog.FileName = quest;
    session_.NewFromQuest(quest);
    if (FileUsed) FileUsed(quest);
    return true;
  });
}

void TFileCommands::OpenFile(const QString& fileName) {
  if (DroppedKind(fileName) == TDroppedKind::Project) {
    ProjectOpenDialog.FileName = fileName;
    LoadProjectFromFile(fileName);
  } else {
    SourceOpenDialog.FileName = fileName;
    NewProjectFromFile(fileName);
  }
}

void TFileCommands::OpenDroppedFile(const QString& fileName) {
  switch (DroppedKind(fileName)) {
    case TDroppedKind::Quest:
    case TDroppedKind::Project:
      if (MayDiscardChanges()) OpenFile(fileName);
      break;
    case TDroppedKind::Messages:  // nothing is thrown away: the import is one step that undo takes back
      LoadMessagesFromFile(fileName);
      break;
    case TDroppedKind::ToolsFile:
      ImportFromTools(fileName);
      break;
    case TDroppedKind::Folder:
      if (OpenFolder) OpenFolder(fileName);
      break;
    case TDroppedKind::None:
      break;
  }
}

void TFileCommands::OpenRecentFile(const QString& fileName) {
  if (DroppedKind(fileName) == TDroppedKind::Folder)
    OpenDroppedFile(fileName);
  else if (MayDiscardChanges())
    OpenFile(fileName);
}

void TFileCommands::Save() { session_.HasFile() ? QuickSave() : SaveAs(); }

void TFileCommands::SaveAs() {
  // Never the project an update replaced: accepting the proposal keeps it as it was.
  ProjectSaveDialog.FileName = session_.SuggestedProjectFileName();
  if (!dialogs_.ExecuteFileDialog(window_, ProjectSaveDialog)) return;
  session_.SaveAs(ProjectSaveDialog.FileName);
  TellDamagedCopyKept();
  if (FileUsed) FileUsed(ProjectSaveDialog.FileName);
}

void TFileCommands::QuickSave() {
  session_.Save();
  TellDamagedCopyKept();
}

void TFileCommands::TellDamagedCopyKept() {
  // The save kept the damaged file it replaced: the user hears where, once.
  const std::string& kept = session_.Project().KeptDamagedCopy();
  if (!kept.empty()) dialogs_.ShowMessage(window_, Text(u"DamagedCopyKept").arg(QFile::decodeName(kept.c_str())));
}

void TFileCommands::ExportSource() {
  if (ExecuteSaveDialog(SourceSaveDialog)) session_.ExportSourceQuest(SourceSaveDialog.FileName);
}

void TFileCommands::ExportTranslated() {
  if (ExecuteSaveDialog(TargetSaveDialog)) session_.ExportTranslatedQuest(TargetSaveDialog.FileName);
}

void TFileCommands::WriteMessages() {
  if (!ExecuteSaveDialog(SaveMsgsSaveDialog)) return;
  LoadMsgsOpenDialog.FileName = SaveMsgsSaveDialog.FileName;
  session_.WriteMessages(SaveMsgsSaveDialog.FileName);
}

void TFileCommands::LoadMessages() {
  if (dialogs_.ExecuteFileDialog(window_, LoadMsgsOpenDialog)) LoadMessagesFromFile(LoadMsgsOpenDialog.FileName);
}

void TFileCommands::LoadMessagesFromFile(const QString& fileName) {
  LoadMsgsOpenDialog.FileName = fileName;
  TConversionReport report;
  const QString refusal = session_.LoadMessages(fileName, report);
  if (!refusal.isEmpty()) {
    dialogs_.ShowMessage(window_, refusal);
    return;
  }
  ShowReport(report);
}

void TFileCommands::ShowReport(const TConversionReport& report) {
  const int imported = session_.ImportedTranslations();
  const QString heading = imported == 1 ? Text(u"ImportedOneTranslation") : Text(u"ImportedTranslations").arg(imported);
  if (report.Empty()) {
    dialogs_.ShowMessage(window_, heading);
    return;
  }
  dialogs_.ShowReport(window_, Text(u"ImportErrorsCaption"), heading, report, [this](const std::u16string& id) {
    if (ShowReportedMessage) ShowReportedMessage(id);
  });
}

void TFileCommands::ExportForTools() {
  if (ExecuteSaveDialog(ToolsExportDialog)) ExportForTools(ToolsExportDialog.FileName);
}

bool TFileCommands::EnsureTargetLanguage() {
  if (!session_.Project().Setting(u"language").empty()) return true;
  QString language = session_.ProposedLanguage(QLocale::system());
  if (!dialogs_.AskText(window_, Text(u"TargetLanguageTitle"), Text(u"TargetLanguageLabel"), language)) return false;
  // Kept with the project, so the next export does not ask; an empty answer asks again.
  session_.SetSetting(u"language", ToWide(language.trimmed()));
  return true;
}

void TFileCommands::ExportForTools(const QString& fileName) {
  TTranslationSession::RequireToolsFile(fileName);
  if (!EnsureTargetLanguage()) return;
  ToolsImportDialog.FileName = fileName;
  session_.ExportForTools(fileName);
}

void TFileCommands::ExportTmx() {
  if (ExecuteSaveDialog(TmxSaveDialog) && EnsureTargetLanguage()) session_.ExportTmx(TmxSaveDialog.FileName);
}

void TFileCommands::ImportFromTools() {
  if (dialogs_.ExecuteFileDialog(window_, ToolsImportDialog)) ImportFromTools(ToolsImportDialog.FileName);
}

void TFileCommands::ImportFromTools(const QString& fileName) {
  ToolsImportDialog.FileName = fileName;
  TConversionReport report;
  session_.ImportFromTools(fileName, report);
  ShowReport(report);
}
