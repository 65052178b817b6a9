// The window's texts come from the catalogue, through one lookup: a catalogue of the first version
// (the required keys only) starts the window with the built-in texts of every added key, a
// catalogue that has an added key wins, and no key the window asks for is missing from the list.
// The menus stand in their usual order.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "common/ShippedData.h"
#include "project/CatalogueKeys.h"
#include "support/JD_BlockPar.h"
#include "ui/MainMenu.h"
#include "ui/ReviewPanel.h"
#include "ui/StartUp.h"

using namespace uitest;

namespace {

// The required keys with their shipped texts, then `extra` lines (KEY=TEXT).
void WriteFirstVersionCatalogue(const QString& fileName, const QStringList& extra) {
  QStringList lines;
  for (const std::u16string& key : RequiredCatalogueKeys())
    lines << Wide(key) + QLatin1Char('=') + Wide(ShippedCatalogue().Par_Get(key));
  lines << extra;
  const QString text = lines.join(QStringLiteral("\r\n"));
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xFF\xFE", 2);
  file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QAction* LastAction(const QMenu* menu) {
  QAction* last = nullptr;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) last = action;
  return last;
}

QStringList ActionTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) texts << action->text();
  return texts;
}

TEST(WindowTexts, AddedKeysShowTheirBuiltInTextUnlessTheCatalogueHasThem) {
  struct Shown {
    const char* key;
    QString (*text)(const TForm1& form);
  };
  const Shown shown[] = {
      {"ListDockTitle", [](const TForm1& form) { return form.ListDock->windowTitle(); }},
      {"MenuFile", [](const TForm1& form) { return form.Menu->File->title(); }},
      {"MenuQuit", [](const TForm1& form) { return LastAction(form.Menu->File)->text(); }},
      {"ReviewCheckBox", [](const TForm1& form) { return form.ReviewPanel->NeedsReview->text(); }},
      {"SuggestionsDockTitle",
       [](const TForm1& form) {
         return form.findChild<QDockWidget*>(QStringLiteral("SuggestionsDock"))->windowTitle();
       }},
  };
  for (const bool overridden : {false, true}) {
    SCOPED_TRACE(overridden ? "catalogue texts" : "built-in texts");
    Scratch scratch;
    const QString catalogue = scratch.File(QStringLiteral("msg_cfg.txt"));
    QStringList extra;
    if (overridden)
      for (const Shown& s : shown) extra << QLatin1String(s.key) + QStringLiteral("=Übersetzt ") + QLatin1String(s.key);
    ASSERT_NO_FATAL_FAILURE(WriteFirstVersionCatalogue(catalogue, extra));
    ScriptedDialogs dialogs;
    auto form = StartTranslator(dialogs, {QStringLiteral("xgtranslator")}, {catalogue});
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
    for (const Shown& s : shown) {
      SCOPED_TRACE(s.key);
      const std::u16string key = QString::fromLatin1(s.key).toStdU16String();
      const QString expected = overridden ? QStringLiteral("Übersetzt ") + QLatin1String(s.key)
                                          : QString::fromStdU16String(CatalogueDefaultText(key));
      EXPECT_EQ(s.text(*form), expected);
      EXPECT_EQ(form->CatalogueText(key.c_str()), expected);
    }
    if (!overridden) {
      EXPECT_EQ(form->ListDock->windowTitle(), QStringLiteral("Messages"));
    }
  }
}

// Every key the window's sources name is in the list, so a catalogue check sees it and a catalogue
// without it still shows a text. Keys reach the lookup through tables and helpers too, so every
// u"Word" literal that starts with a capital letter counts, and so does a control's or dialog's
// name followed by "Hint" or "Title", which is how the window finds their hints and titles.
TEST(WindowTexts, EveryKeyTheWindowNamesIsListedAndEveryAddedKeyIsUsed) {
  const std::vector<std::u16string>& listed = CatalogueKeys();
  const QRegularExpression keyLiteral(QStringLiteral(R"re(\bu"([A-Z][A-Za-z0-9]*)")re"));
  const QRegularExpression translated(QStringLiteral(R"re(\btr\(|\btranslate\()re"));
  const QRegularExpression nameLiteral(QStringLiteral(R"re("([A-Z][A-Za-z0-9]*)")re"));
  QSet<QString> named;
  QSet<QString> names;
  int files = 0;
  QDirIterator sources(QStringLiteral(XG_UI_DIR), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
  while (sources.hasNext()) {
    const QString path = sources.next();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    ++files;
    EXPECT_FALSE(translated.match(text).hasMatch()) << path.toStdString() << ": a text outside the catalogue";
    for (auto match = nameLiteral.globalMatch(text); match.hasNext();) names.insert(match.next().captured(1));
    for (auto match = keyLiteral.globalMatch(text); match.hasNext();) {
      const QString key = match.next().captured(1);
      named.insert(key);
      EXPECT_NE(std::find(listed.begin(), listed.end(), key.toStdU16String()), listed.end())
          << path.toStdString() << ": " << key.toStdString();
    }
  }
  for (const std::u16string& key : listed)
    for (const QString& end : {QStringLiteral("Hint"), QStringLiteral("Title")})
      if (const QString text = QString::fromStdU16String(key);
          text.endsWith(end) && names.contains(text.chopped(end.size())))
        named.insert(text);
  EXPECT_GT(files, 40);
  EXPECT_GT(named.size(), 150);
  for (const TAddedCatalogueKey& added : AddedCatalogueKeys())
    EXPECT_TRUE(named.contains(QString::fromStdU16String(added.Key))) << Wide(added.Key).toStdString();
}

TEST(WindowMenus, QuitEndsFileAndTheProjectToolsAreInTools) {
  ScriptedDialogs dialogs;
  auto form = MakeWindow(dialogs);
  QAction* quit = LastAction(form->Menu->File);
  ASSERT_NE(quit, nullptr);
  EXPECT_EQ(quit->text(), form->CatalogueText(u"MenuQuit"));
  EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  const QStringList file = ActionTexts(form->Menu->File);
  const QStringList tools = ActionTexts(form->Menu->Tools);
  for (const char16_t* key : {u"MenuUpdateSource", u"MenuMemoryFiles", u"MenuSpellingLanguage"}) {
    SCOPED_TRACE(Wide(key).toStdString());
    EXPECT_TRUE(tools.contains(form->CatalogueText(key)));
    EXPECT_FALSE(file.contains(form->CatalogueText(key)));
  }
}

}  // namespace
