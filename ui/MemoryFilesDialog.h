#pragma once
// Tools → Translation memory…: the TMX files attached to the project, added and removed.
#include "ui/FileListDialog.h"

class TMemoryFilesDialog : public TFileListDialog {
 public:
  TMemoryFilesDialog(TWindowDialogs& dialogs, const TCatalogueText& text, const std::vector<std::string>& files,
                     QWidget* parent = nullptr, const char16_t* hint = u"MemoryDialogHint");
};
