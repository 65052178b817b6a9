#pragma once
// A small workspace for the pre-translation tests: two quests translated before (one in a
// subfolder), a damaged project file and the quest to fill, each written to a scratch folder.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "memory/UpdateFixtures.h"

namespace workspacetest {

struct Message {
  std::u16string source;
  std::u16string translation = u"";  // empty: untranslated
  std::u16string note = u"";
};

// One path question per message, each with a Value2 of its own so that none is linked.
inline std::unique_ptr<TtxgProject> ProjectOf(const std::vector<Message>& messages) {
  std::vector<updatetest::FixturePath> paths;
  for (std::size_t i = 0; i < messages.size(); ++i)
    paths.push_back({static_cast<int32_t>(101 + i), static_cast<int32_t>(1 + i), messages[i].source});
  auto project = updatetest::ProjectOf(paths);
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const int32_t n = updatetest::MessageOfPath(*project, paths[i].number);
    if (!messages[i].translation.empty()) project->StoreTranslation(n, messages[i].translation);
    if (!messages[i].note.empty()) project->SetNote(n, messages[i].note);
  }
  return project;
}

inline const std::vector<Message> Altair = {
    {u"Take the key", u"Бери ключ"},
    {u"Open the door", u"Открой дверь"},
};

inline const std::vector<Message> Vega = {
    {u"Take the key", u"Возьми ключ"},
    {u"Pay <clr>100<clrEnd> credits", u"Заплати <clr>100<clrEnd> кредитов"},
    {u"Fly to [p1] stars now", u"Лети к [p1] звёздам сейчас"},
    {u"Welcome to the station, ranger", u"Добро пожаловать на станцию, рейнджер"},
    {u"The old station keeps its doors shut for all strangers", u"Старая станция закрыта для чужаков"},
    {u"Take the <b>key</b>", u"Возьми ключ"},  // the tags lost: a fill from it fails the tags check
    {u"Not translated there"},
};

// The quest to fill; its own translation is no suggestion for the others.
inline const std::vector<Message> Open = {
    {u"Take the key"},                                          // exact, from Altair (listed first)
    {u"Pay <clr>250<clrEnd> credits", u"", u"ask the author"},  // 80%, the number carried
    {u"Welcome to the  station, ranger"},                       // 99%: blanks differ
    {u"The old station keeps its doors shut for all pilots"},   // 90%
    {u"Fly to [p2] stars now"},                                 // 80%, the formula carried
    {u"Take the <b>key</b>"},                                   // exact, fails the tags check
    {u"Something completely different"},                        // none
    {u"Leave the ship", u"Покинь корабль"},                     // translated already
};

struct Workspace {
  ScratchFolder folder;
  std::string open;
  std::string broken;
  Workspace() {
    ProjectOf(Altair)->SaveToFile(folder.File("Altair.txg"));
    std::filesystem::create_directory(folder.File("chapter1"));
    ProjectOf(Vega)->SaveToFile(folder.File("chapter1/Vega.txg"));
    open = folder.File("Open.txg");
    ProjectOf(Open)->SaveToFile(open);
    broken = folder.File("Broken.txg");
    std::ofstream(broken, std::ios::binary) << "not a project";
  }
  std::vector<std::string> Files() const {
    return {folder.File("Altair.txg"), broken, open, folder.File("chapter1/Vega.txg")};
  }
};

}  // namespace workspacetest
