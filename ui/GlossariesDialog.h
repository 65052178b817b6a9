#pragma once
// Tools → Glossaries…: the TBX files of the project's glossaries, added, removed and put in order.
// New terms go into the first of them that can be written.
#include "ui/FileListDialog.h"

class TGlossariesDialog : public TFileListDialog {
 public:
  TGlossariesDialog(TWindowDialogs& dialogs, const TCatalogueText& text, const std::vector<std::string>& files,
                    QWidget* parent = nullptr, const char16_t* hint = u"GlossariesDialogHint");
};
