#pragma once
// Old and new versions of a small quest for the update tests: unchanged, edited, renumbered,
// added and removed path questions, a linked duplicate and blanks at the ends of a text.
#include <memory>
#include <string>
#include <vector>

#include "project/ProjectTestSupport.h"

namespace updatetest {

struct FixturePath {
  int32_t number;
  int32_t value2;
  std::u16string question;
  bool translated = false;
  std::u16string note = u"";
  bool review = false;
  bool deleted = false;  // marked as deleted: no text of its own, still untranslated
};

// Old: translated paths as the flag says ("RU " + question); the linked duplicate follows its path.
inline const std::vector<FixturePath> OldPaths = {
    {101, 1, u"Open the door", true, u"formal tone"},
    {102, 2, u"Take the key", true, u"key = card"},
    {103, 3, u"Leave the station", true},  // renumbered to 110
    {104, 4, u"Fight the pirate", true},   // removed: unused
    {105, 5, u"Talk to the trader", false, u"ask the author", true},
    {106, 6, u"Sell the cargo"},  // removed, never translated
    {107, 7, u"Go back", true, u"", true},
    {108, 7, u"Go back"},  // linked to 107
    {109, 9, u"  Wait here  ", true},
    {114, 14, u"Dock", false, u"", false, true},
    {115, 15, u"Dock", true},
};

inline const std::vector<FixturePath> NewPaths = {
    {101, 1, u"Open the door"},                                       // kept
    {102, 2, u"Take the red key"},                                    // changed
    {110, 3, u"Leave the station"},                                   // moved
    {105, 5, u"Talk to the trader", false, u"ask the author", true},  // new, note kept
    {107, 7, u"Go back"},                                             // kept
    {108, 7, u"Go back"},                                             // linked
    {109, 9, u"Wait here"},                                           // kept: the quest trims blanks
    {111, 11, u"Brand new text"},                                     // new
    {112, 12, u"Open the door"},                                      // moved from 101
    {113, 13, u"Fight the pirate, again"},                            // new
    {114, 14, u"Dock", false, u"", false, true},                      // new: its own id was untranslated
    {115, 15, u"Dock"},                                               // kept
};

inline void BuildQuest(TGame& game, const std::vector<FixturePath>& paths) {
  projecttest::MakeBareQuest(game);
  for (const FixturePath& wanted : paths) {
    TPath& path = game.Path(++game.PathCount);
    path.Number = wanted.number;
    path.Value2 = wanted.value2;
    path.StartText.Text = wanted.question;
  }
}

inline int32_t MessageOfPath(const TtxgProject& project, int32_t number) {
  const std::string digits = std::to_string(number);
  return project.FindSourceId(u"Path(" + std::u16string(digits.begin(), digits.end()) + u").Start");
}

inline std::unique_ptr<TtxgProject> OldProject() {
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  BuildQuest(project->SourceGame, OldPaths);
  projecttest::OpenFromSource(*project);
  for (const FixturePath& path : OldPaths) {
    const int32_t n = MessageOfPath(*project, path.number);
    if (path.translated) project->SetTargetText(n, u"RU " + path.question);
    if (path.deleted) project->SetTargetText(n, project->DeletedMessageText());
    if (!path.note.empty() && !project->IsLinked(n)) project->SetNote(n, path.note);
    if (path.review) project->SetNeedsReview(n, true);
  }
  return project;
}

inline std::unique_ptr<TtxgProject> NewProject() {
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  BuildQuest(project->SourceGame, NewPaths);
  projecttest::OpenFromSource(*project);
  return project;
}

// The new quest as a quest file in `folder`.
// A project of these paths whose translated ones read "RU " and the question.
inline std::unique_ptr<TtxgProject> ProjectOf(const std::vector<FixturePath>& paths) {
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  BuildQuest(project->SourceGame, paths);
  projecttest::OpenFromSource(*project);
  for (const FixturePath& path : paths)
    if (path.translated) project->SetTargetText(MessageOfPath(*project, path.number), u"RU " + path.question);
  return project;
}

inline std::string WriteNewQuest(const ScratchFolder& folder) {
  const std::string file = folder.File("new.xg");
  NewProject()->SourceGame.SaveToFile(file);
  return file;
}

}  // namespace updatetest
