#pragma once
// The quests of one made-up game for the workspace benchmarks and `make_workspace`: 100 quests of
// about 2,000 messages each. About 30% of each quest's texts come from a pool the whole game shares
// (names, set phrases, formulas), a fifth of those with a number changed, as quests of one game
// repeat each other; about 70% of each quest's positions are translated.
#include <memory>
#include <string>
#include <vector>

class TBlockParJD;
class TtxgProject;

constexpr int GeneratedQuestCount = 100;

// Quest `index` (0..GeneratedQuestCount-1) as a project; the same index always gives the same
// project.
std::unique_ptr<TtxgProject> GeneratedQuest(const TBlockParJD& catalogue, int index);

// The file name of quest `index` below the workspace's folder ("chapter3/quest042.txg": ten
// subfolders of ten quests).
std::string GeneratedQuestFile(int index);

// Writes every quest below `folder` (created when missing).
void WriteGeneratedWorkspace(const TBlockParJD& catalogue, const std::string& folder);
