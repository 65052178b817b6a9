#include "bench/FullProject.h"

#include <stdexcept>
#include <string>

#include "project/ProjectClass.h"
#include "support/JD_BlockPar.h"

const TBlockParJD& BenchCatalogue() {
  static const std::unique_ptr<TBlockParJD> catalogue = [] {
    auto block = std::make_unique<TBlockParJD>();
    block->LoadFromFile(std::string(XG_DATA_DIR) + "/msg_cfg.txt", false);
    return block;
  }();
  return *catalogue;
}

std::unique_ptr<TtxgProject> FullProject(const TBlockParJD& catalogue, const FullQuestOptions& options) {
  auto project = std::make_unique<TtxgProject>(catalogue);
  BuildFullQuest(project->SourceGame, options);
  project->TargetGame.Assign(project->SourceGame);
  project->RebuildMessageTable();
  if (project->SourceCount != FullQuestMessageCount) throw std::runtime_error("the full quest lost messages");
  return project;
}

void MakeNextVersion(TGame& quest) {
  for (int32_t i = 1; i <= quest.LocationCount; i += 10) quest.Location(i).Text(1).Text += u" Изменено.";
  for (int32_t i = 1; i <= quest.PathCount; i += 10) quest.Path(i).Number += 1000;
  quest.LocationCount -= 20;
}
