#pragma once
// Update of a translation project to a new version of its source quest: which translation each
// position of the new quest takes from the old project, by the first rule that applies.
#include <cstdint>
#include <string>
#include <vector>

class TtxgProject;

enum class UpdateRule {
  Kept,     // same id, same source: translation, review flag and note as they were
  Changed,  // same id, other source: translation carried, needs review, old source kept as previous
  Moved,    // id unknown to the old project, identical source translated there: carried, needs review
  New,      // nothing to carry
};

struct TUpdateStep {
  int32_t NewMessage = 0;
  UpdateRule Rule = UpdateRule::New;
  int32_t OldMessage = 0;  // the old message it takes from; for New the old message of the same id and
                           // source, whose note is kept, or 0
};

struct TUpdatePlan {
  std::vector<TUpdateStep> Steps;       // one per position of the new project, in position order
  std::vector<int32_t> UnusedMessages;  // translated old positions (their messages) nobody took from
  int32_t Kept = 0;
  int32_t Changed = 0;
  int32_t Moved = 0;
  int32_t New = 0;
};

// `fresh` is a project just made from the new quest; `old` is the translated project.
TUpdatePlan PlanUpdate(const TtxgProject& old, const TtxgProject& fresh);

// Makes `fresh` a project of the quest file `newQuestFile` and carries into it from `old` what the
// plan says: kept messages keep translation, review flag, note and previous source; changed ones
// keep translation and note, are flagged and remember the old source; moved ones take the
// translation and are flagged; a new message of the same id and source keeps the note, the flag
// and a deleted mark. Settings and the unused translations of `old` go along, with the newly
// unused ones after them. A quest that cannot be read raises with `fresh` left empty.
TUpdatePlan UpdateProject(const TtxgProject& old, const std::string& newQuestFile, TtxgProject& fresh);
