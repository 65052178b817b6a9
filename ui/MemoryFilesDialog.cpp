#include "ui/MemoryFilesDialog.h"

TMemoryFilesDialog::TMemoryFilesDialog(TWindowDialogs& dialogs, const TCatalogueText& text,
                                       const std::vector<std::string>& files, QWidget* parent, const char16_t* hint)
    : TFileListDialog(
          dialogs, text, files, {u"MemoryDialogTitle", hint, u"MemoryAddButton", u"MemoryRemoveButton"},
          MakeFileDialog("MemoryOpenDialog", TFileDialog::Open, QStringLiteral("Translation memory|*.tmx"), "tmx"),
          parent) {
  setObjectName(QStringLiteral("MemoryFilesDialog"));
  OpenDialog.Title = text(u"MemoryOpenDialogTitle");
}
