// Spelling with the system's Russian and English Hunspell dictionaries: misspelled words are
// found, markup is skipped, suggestions are offered, added words are kept per user.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "checks/Spelling.h"
#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "support/JD_Str.h"

namespace {

const std::vector<std::string> SystemFolders = {"/usr/share/hunspell"};

std::vector<std::string> MisspelledWords(TSpellChecker& speller, const std::u16string& text) {
  std::vector<std::string> words;
  for (const TTextSpan& span : speller.Misspelled(text))
    words.push_back(
        WideToAnsi(text.substr(static_cast<std::size_t>(span.Begin), static_cast<std::size_t>(span.End - span.Begin))));
  return words;
}

TEST(Spelling, MisspelledWordsAreFoundOutsideTheMarkup) {
  struct Case {
    std::string language;
    std::u16string text;
    std::vector<std::string> misspelled;
  };
  const std::vector<Case> cases = {
      {"ru_RU", u"Станция закрыта на карантинн.", {"карантинн"}},
      {"ru_RU", u"Доставьте туда три ящика сыворотки, пока не закрылись шлюзы.", {}},
      {"ru_RU", u"<Деньгии> [p1] {[п2]*ошибкка} 12 кредитов", {}},
      {"ru_RU", u"<clr>Здоровъе<clrEnd>: <>%", {"Здоровъе"}},
      {"en_US", u"The statoin is closed for quarantine.", {"statoin"}},
      {"en_US", u"You don't have <Mony> credits, [p3] {[p1]+xyzzy} 3.5 left.", {}},
      {"en_US", u"Wrold\r\nand <b>hte</b> end", {"Wrold", "hte"}},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language + ": " + WideToAnsi(c.text));
    TSpellChecker speller(c.language, SystemFolders, folder.File("words.txt"));
    EXPECT_EQ(MisspelledWords(speller, c.text), c.misspelled);
  }
}

TEST(Spelling, SuggestionsAreOffered) {
  const std::vector<std::tuple<std::string, std::u16string, std::u16string>> cases = {
      {"ru_RU", u"карантинн", u"карантин"},
      {"ru_RU", u"сывортка", u"сыворотка"},
      {"en_US", u"statoin", u"station"},
      {"en_US", u"qurantine", u"quarantine"},
  };
  ScratchFolder folder;
  for (const auto& [language, word, expected] : cases) {
    TSpellChecker speller(language, SystemFolders, folder.File("words.txt"));
    EXPECT_FALSE(speller.IsCorrect(word));
    const std::vector<std::u16string> suggestions = speller.Suggestions(word);
    EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), expected), suggestions.end()) << WideToAnsi(word);
  }
}

TEST(Spelling, LanguagesResolveToDictionariesAndUnknownOnesNameThoseThatExist) {
  ScratchFolder folder;
  EXPECT_EQ(TSpellChecker("ru", SystemFolders, folder.File("w.txt")).Dictionary(), "ru_RU");
  EXPECT_EQ(TSpellChecker("en_US", SystemFolders, folder.File("w.txt")).Dictionary(), "en_US");

  // Only complete pairs of files count.
  std::filesystem::copy_file("/usr/share/hunspell/en_US.aff", folder.File("xx_YY.aff"));
  std::filesystem::copy_file("/usr/share/hunspell/en_US.dic", folder.File("xx_YY.dic"));
  std::ofstream(folder.File("zz_ZZ.aff")) << "SET UTF-8\n";
  const std::vector<std::string> folders = {folder.Path(), folder.File("missing")};
  EXPECT_EQ(AvailableDictionaries(folders), std::vector<std::string>{"xx_YY"});
  EXPECT_EQ(TSpellChecker("xx", folders, folder.File("w.txt")).Dictionary(), "xx_YY");
  for (const std::string language : {"ru", "zz_ZZ", "", "xx_ZZ"}) {
    try {
      TSpellChecker speller(language, folders, folder.File("w.txt"));
      ADD_FAILURE() << language;
    } catch (const ESpellingError& error) {
      EXPECT_EQ(std::string(error.what()), "Unknown spelling language: " + language + " (dictionaries: xx_YY)");
    }
  }
  try {
    TSpellChecker speller("qq", SystemFolders, folder.File("w.txt"));
    ADD_FAILURE();
  } catch (const ESpellingError& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find("en_US"), std::string::npos) << text;
    EXPECT_NE(text.find("ru_RU"), std::string::npos) << text;
  }
}

TEST(Spelling, AddedWordsAreKeptInTheUsersWordList) {
  ScratchFolder folder;
  const std::string list = folder.File("data/xgtranslator/words-ru_RU.txt");
  {
    TSpellChecker speller("ru_RU", SystemFolders, list);
    EXPECT_EQ(MisspelledWords(speller, u"Квестопедия и Вегапорт"),
              (std::vector<std::string>{"Квестопедия", "Вегапорт"}));
    speller.AddToDictionary(u"Квестопедия");
    speller.AddToDictionary(u"Квестопедия");
    EXPECT_EQ(MisspelledWords(speller, u"Квестопедия и Вегапорт"), std::vector<std::string>{"Вегапорт"});
  }
  TSpellChecker later("ru_RU", SystemFolders, list);
  EXPECT_TRUE(later.IsCorrect(u"Квестопедия"));
  later.AddToDictionary(u"Вегапорт");
  std::ifstream file(list);
  const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "Квестопедия\nВегапорт\n");
}

TEST(Spelling, TheUsersWordListLivesInTheXdgDataFolder) {
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string saved = old != nullptr ? old : "";
  setenv("XDG_DATA_HOME", "/tmp/xg-data", 1);
  EXPECT_EQ(UserWordListPath("en_US"), "/tmp/xg-data/xgtranslator/words-en_US.txt");
  setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored, as the XDG rules say
  EXPECT_EQ(UserWordListPath("en_US"), std::string(std::getenv("HOME")) + "/.local/share/xgtranslator/words-en_US.txt");
  if (old != nullptr)
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}

TEST(Spelling, OnlyTranslatedMessagesAreSpellChecked) {
  ScratchFolder folder;
  TSpellChecker speller("en_US", SystemFolders, folder.File("words.txt"));
  TtxgProject project(ShippedCatalogue());
  project.NewFromSource(SampleQuestPath());
  EXPECT_TRUE(CheckSpelling(project, 2, speller).empty());  // still Russian
  project.SetTargetText(2, u"You saved Vegaport. The government pays you <Money> credits, [p1] of them in advanse.");
  const std::vector<TCheckFinding> findings = CheckSpelling(project, 2, speller);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].Code, "spelling");
  EXPECT_EQ(WideToAnsi(findings[0].Detail), "Vegaport");
  EXPECT_EQ(WideToAnsi(findings[1].Detail), "advanse");
  project.SetTargetText(2, project.DeletedMessageText());
  EXPECT_TRUE(CheckSpelling(project, 2, speller).empty());
  EXPECT_TRUE(CheckSpelling(project, 0, speller).empty());
  project.SetTargetText(2, project.GetSourceText(2));
  project.SetTranslatedAsIs(2, true);  // translated, but in the source's words
  EXPECT_TRUE(project.IsTranslated(2) && CheckSpelling(project, 2, speller).empty());
}

}  // namespace
