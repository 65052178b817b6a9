#include "ui/StartUp.h"

#include <exception>

#include "ui/FileCommands.h"
#include "ui/WindowSettings.h"

std::unique_ptr<TForm1> StartTranslator(TWindowDialogs& dialogs, const QStringList& arguments,
                                        const QStringList& catalogueCandidates) {
  std::unique_ptr<TForm1> form;
  try {
    form = std::make_unique<TForm1>(dialogs, catalogueCandidates);
  } catch (const std::exception& error) {
    dialogs.ShowError(nullptr, QString::fromUtf8(error.what()), ErrorPlaceOf(error));
    return nullptr;
  }
  form->setWindowIcon(QIcon(QStringLiteral(":/icons/xgtranslator.svg")));
  RestoreWindowSettings(*form, form->FileDialogs(), [&form](const QFont& font) { form->ApplyFont(font); });
  form->show();
  // Unsaved work a session left behind comes first; opening the named file then asks about it.
  form->RunGuarded([&form] { form->Files->OfferNeverSavedJournals(); });
  if (arguments.size() > 1) {
    const QString fileName = arguments.at(1);
    form->RunGuarded([&form, &fileName] { form->Files->OpenRecentFile(fileName); });
  }
  return form;
}
