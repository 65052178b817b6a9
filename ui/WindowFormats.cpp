// The window's translation files: the exchange file (Write and Load messages) and the files of
// translation tools (PO, XLIFF) going out and coming back, each import one undo step whose report
// is shown in the report box. Which format a file is, and every rule of it, belongs to formats/.
#include <QFileInfo>
#include <QStatusBar>

#include <stdexcept>

#include "formats/Formats.h"
#include "project/ConversionReport.h"
#include "project/ExchangeFormat.h"
#include "project/ProjectClass.h"
#include "ui/XGTranslator.h"

namespace {

// PO and XLIFF only: the exchange file has commands of its own.
const TFormat& ToolsFormatOf(const QString& fileName) {
  const TFormat* format = FormatForFile(FileNameForLibrary(fileName));
  if (format == nullptr || format->Name == "exchange")
    throw std::runtime_error(FileNameForLibrary(fileName) +
                             ": not a file for translation tools (a .po, .xlf or .xliff file)");
  return *format;
}

}  // namespace

void TWindowDialogs::ShowReport(QWidget* owner, const QString& caption, const TConversionReport& report,
                                const TReportIdHandler& /*showId*/) {
  ShowErrorBox(owner, caption, QString::fromStdU16String(report.Lines()));
}

void TForm1::RelinkForExport() {
  const std::vector<std::u16string> before = CurrentTargetTexts();
  Project->Relink();
  if (!ChangesSince(before).empty()) MarkUnrecordedChange();
  KeepShownMessageInView();
}

void TForm1::SaveMsgsButtonClick() {
  if (!dialogs_.ExecuteFileDialog(this, SaveMsgsSaveDialog)) return;
  const QString fileName = SaveMsgsSaveDialog.FileName;
  LoadMsgsOpenDialog.FileName = fileName;
  RelinkForExport();
  Project->SaveMessages(FileNameForLibrary(fileName));
}

void TForm1::LoadMsgsButtonClick() {
  if (!dialogs_.ExecuteFileDialog(this, LoadMsgsOpenDialog)) return;
  LoadMessagesFromFile(LoadMsgsOpenDialog.FileName);
}

void TForm1::LoadMessagesFromFile(const QString& fileName) {
  LoadMsgsOpenDialog.FileName = fileName;
  ImportRecorded(CatalogueText(u"LoadMessagesStep"), [this, &fileName](TConversionReport& report) {
    try {
      TExchangeFormat::Load(*Project, FileNameForLibrary(fileName), report);
    } catch (const ENotUnicodeText& refused) {
      // The file was refused before anything was read; the rest of the command still runs.
      dialogs_.ShowMessage(this, QString::fromUtf8(refused.what()));
    }
  });
}

QString TForm1::ProjectOrQuestFileName() const {
  return QuickSaveProjectButton->isEnabled() ? ProjectSaveDialog.FileName : questFileName_;
}

void TForm1::ExportForToolsClick() {
  if (!dialogs_.ExecuteFileDialog(this, ToolsExportDialog)) return;
  ExportForTools(ToolsExportDialog.FileName);
}

void TForm1::ExportForTools(const QString& fileName) {
  const TFormat& format = ToolsFormatOf(fileName);
  TExportOptions options;
  options.QuestName = QuestNameOf(FileNameForLibrary(ProjectOrQuestFileName()));
  if (Project->Setting(u"language").empty()) {
    QString language;
    if (!dialogs_.AskText(this, CatalogueText(u"TargetLanguageTitle"), CatalogueText(u"TargetLanguageLabel"), language))
      return;
    language = language.trimmed();
    // Kept with the project, so the next export does not ask; an empty answer asks again.
    if (!language.isEmpty()) {
      Project->SetSetting(u"language", language.toStdU16String());
      MarkUnrecordedChange();
    }
  }
  ToolsImportDialog.FileName = fileName;
  RelinkForExport();
  format.Save(*Project, FileNameForLibrary(fileName), options);
}

void TForm1::ImportFromToolsClick() {
  if (!dialogs_.ExecuteFileDialog(this, ToolsImportDialog)) return;
  ImportFromTools(ToolsImportDialog.FileName);
}

void TForm1::ImportFromTools(const QString& fileName) {
  const TFormat& format = ToolsFormatOf(fileName);
  ToolsImportDialog.FileName = fileName;
  // A file that cannot be parsed raises before the project is touched; the error names the file.
  ImportRecorded(CatalogueText(u"ImportStepFormat").arg(QFileInfo(fileName).fileName()),
                 [this, &format, &fileName](TConversionReport& report) {
                   format.Load(*Project, FileNameForLibrary(fileName), report);
                 });
}

bool TForm1::ShowMessageWithId(const std::u16string& id) {
  const int32_t message = MessageOfReportId(*Project, id);
  if (message < 1) {
    statusBar()->showMessage(CatalogueText(u"NoMessageWithId").arg(QString::fromStdU16String(id)), 5000);
    return false;
  }
  const int position = PositionToShow(message);
  if (position != MessagesListTrackBar->Position()) MessagesListTrackBar->SetPosition(position);
  FocusTranslation();
  return true;
}
