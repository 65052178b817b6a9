#include "ui/GlossariesDialog.h"

TGlossariesDialog::TGlossariesDialog(TWindowDialogs& dialogs, const TCatalogueText& text,
                                     const std::vector<std::string>& files, QWidget* parent, const char16_t* hint)
    : TFileListDialog(dialogs, text, files,
                      {u"GlossariesDialogTitle", hint, u"GlossaryAddButton", u"GlossaryRemoveButton",
                       u"GlossaryUpButton", u"GlossaryDownButton"},
                      MakeFileDialog("GlossaryOpenDialog", TFileDialog::Open, QStringLiteral("TBX|*.tbx"), "tbx"),
                      parent) {
  setObjectName(QStringLiteral("GlossariesDialog"));
  OpenDialog.Title = text(u"GlossaryOpenDialogTitle");
}
