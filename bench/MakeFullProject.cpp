// Writes the full-capacity quest as a translation project for whole-process timings of xgtool:
// every second position translated, every fifth flagged for review, every tenth with a note.
//   make_full_project CATALOGUE OUT.txg
#include <cstdio>
#include <memory>
#include <string>

#include "common/FullQuest.h"
#include "project/ProjectClass.h"
#include "support/JD_BlockPar.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_full_project CATALOGUE OUT.txg\n");
    return 2;
  }
  TBlockParJD catalogue;
  catalogue.LoadFromFile(argv[1], false);
  auto project = std::make_unique<TtxgProject>(catalogue);
  BuildFullQuest(project->SourceGame);
  project->TargetGame.Assign(project->SourceGame);
  project->RebuildMessageTable();
  project->CurrentMessage = 1;
  for (int32_t p = 1; p <= project->PositionCount; ++p) {
    const int32_t n = project->MessageAtPosition(p);
    if (p % 2 == 0) project->StoreTranslation(n, u"Translated " + project->GetSourceText(n));
    if (p % 5 == 0) project->SetNeedsReview(n, true);
    if (p % 10 == 0) project->SetNote(n, u"note " + project->GetSourceText(n).substr(0, 8));
  }
  project->SaveToFile(argv[2]);
  std::printf("%d positions written to %s\n", project->PositionCount, argv[2]);
  return 0;
}
