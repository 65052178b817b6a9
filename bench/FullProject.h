#pragma once
// What the benchmarks and the file makers share: the shipped catalogue, the full-capacity quest as
// a fresh project, and the next version of a quest for the update.
#include <memory>

#include "common/FullQuest.h"

class TBlockParJD;
class TGame;
class TtxgProject;

// data/msg_cfg.txt of the source tree, loaded once.
const TBlockParJD& BenchCatalogue();

// A new project of the full-capacity quest: the target a copy of the source, the message table
// built, every text untranslated. Raises when the quest lost messages on the way.
std::unique_ptr<TtxgProject> FullProject(const TBlockParJD& catalogue, const FullQuestOptions& options = {});

// A later version of the quest for the update: every tenth location's first text edited, every
// tenth path renumbered, the last 20 locations gone.
void MakeNextVersion(TGame& quest);
