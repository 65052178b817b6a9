#pragma once
// The window's dialogs and message boxes as an interface, so that tests answer them from a script
// without a modal event loop, and how the window describes an error's place.
#include <QFont>
#include <QString>

#include <exception>
#include <functional>
#include <string>

#include "ui/CatalogueText.h"

class QDialog;
class QWidget;
class TConversionReport;

// A file dialog as the window configures it: the filter in "Name|*.ext" form, the extension added
// when the user types none, the title, and the file name it proposes and remembers.
struct TFileDialog {
  enum Kinds { Open, Save, ChooseFolder };  // ChooseFolder: an existing folder is chosen
  QString Name;
  Kinds Kind = Open;
  QString Filter;
  QString DefaultExt;
  QString Title;
  QString FileName;
  bool OverwritePrompt = false;
  // Where the dialog starts when FileName is empty (the folder last used with it).
  QString Folder;
};

// A dialog of `name` (the name the tests answer it by and its remembered folder's key).
TFileDialog MakeFileDialog(const char* name, TFileDialog::Kinds kind, const QString& filter, const char* extension,
                           bool overwritePrompt = false);

struct TFontDialog {
  QFont Font;
};

enum class TSaveChangesAnswer { Save, Discard, Cancel };

// What to do with the journal of unsaved changes a session left behind: apply its changes, list
// them, set the journal aside (FILE.journal.discarded), or leave it for another time.
enum class TJournalAnswer { Recover, Show, Discard, Later };

// What an error says about where it happened: its file (empty when none), the byte a failed read
// began at (-1 when it was no read), the line a text reader stopped at (0 when none), and what more
// is known of the cause.
struct TErrorPlace {
  QString FileName;
  qint64 Offset = -1;
  qint64 Line = 0;
  QString Note;
};
TErrorPlace ErrorPlaceOf(const std::exception& error);
// The error box's text: the lines of DescribeError, as xgtool prints them.
QString ErrorBoxText(const QString& text, const TErrorPlace& place);

// Called with the id of the report entry the user picked; the window shows that message.
using TReportIdHandler = std::function<void(const std::u16string& id)>;

// Every modal dialog and message box of the window goes through this interface, so tests can
// answer dialogs and read messages without a modal event loop.
class TWindowDialogs {
 public:
  virtual ~TWindowDialogs() = default;
  // The texts of the window whose catalogue is loaded (the boxes' own texts come from it).
  TCatalogueText Text;
  // True when the user chose a file; the chosen name is then in dialog.FileName.
  virtual bool ExecuteFileDialog(QWidget* owner, TFileDialog& dialog) = 0;
  virtual bool ExecuteFontDialog(QWidget* owner, TFontDialog& dialog) = 0;
  // The plain message box with one OK button.
  virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
  // A box with a caption, the error icon and an OK button (the import report).
  virtual void ShowErrorBox(QWidget* owner, const QString& caption, const QString& text) = 0;
  // The general error display for a failed command or start-up.
  virtual void ShowError(QWidget* owner, const QString& text, const TErrorPlace& place) = 0;
  // Asked before translations that were changed since the last save or load are thrown away.
  virtual TSaveChangesAnswer AskSaveChanges(QWidget* owner) = 0;
  // The journal of unsaved changes found for a project, told in `text`: Recover is offered when
  // its changes can be applied, Show when they can be read. Later by default.
  virtual TJournalAnswer AskJournal(QWidget* /*owner*/, const QString& /*text*/, bool /*canRecover*/,
                                    bool /*canShow*/) {
    return TJournalAnswer::Later;
  }
  // A number between `minimum` and `maximum` (Go to message); false when cancelled.
  virtual bool AskNumber(QWidget* owner, const QString& title, const QString& label, int minimum, int maximum,
                         int& value) = 0;
  // A yes-or-no question (the offer to fill a translation into the same texts); no by default.
  virtual bool AskYesNo(QWidget* /*owner*/, const QString& /*text*/) { return false; }
  // Runs a dialog of the window's own (memory files, unused translations); true when accepted.
  virtual bool ExecuteDialog(QWidget* /*owner*/, QDialog& /*dialog*/) { return false; }
  // One line of text (the target language), `value` proposed; false when cancelled.
  virtual bool AskText(QWidget* /*owner*/, const QString& /*title*/, const QString& /*label*/, QString& /*value*/) {
    return false;
  }
  // The report of an import (the report box): `heading` (how many translations came in), then its
  // entries grouped by kind; picking an entry calls showId with its id. By default the error box
  // lists the heading and the entries, one a line.
  virtual void ShowReport(QWidget* owner, const QString& caption, const QString& heading,
                          const TConversionReport& report, const TReportIdHandler& showId);
};
