// Writes the full-capacity quest as a translation project for whole-process timings of xgtool:
// every second position translated, every fifth flagged for review, every tenth with a note.
// With NEW.xg it also writes the next version of that quest (see MakeNextVersion), the new quest
// of `xgtool update OUT.txg NEW.xg ...`.
//   make_full_project CATALOGUE OUT.txg [NEW.xg]
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "bench/FullProject.h"
#include "project/ProjectClass.h"
#include "support/JD_BlockPar.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: make_full_project CATALOGUE OUT.txg [NEW.xg]\n");
    return 2;
  }
  try {
    TBlockParJD catalogue;
    catalogue.LoadFromFile(argv[1], false);
    auto project = FullProject(catalogue);
    project->CurrentMessage = 1;
    for (int32_t p = 1; p <= project->PositionCount; ++p) {
      const int32_t n = project->MessageAtPosition(p);
      if (p % 2 == 0) project->StoreTranslation(n, u"Translated " + project->GetSourceText(n));
      if (p % 5 == 0) project->SetNeedsReview(n, true);
      if (p % 10 == 0) project->SetNote(n, u"note " + project->GetSourceText(n).substr(0, 8));
    }
    project->SaveToFile(argv[2]);
    std::printf("%d positions written to %s\n", project->PositionCount, argv[2]);
    if (argc == 4) {
      MakeNextVersion(project->SourceGame);
      project->SourceGame.SaveToFile(argv[3]);
      std::printf("its next version written to %s\n", argv[3]);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_full_project: %s\n", error.what());
    return 3;
  }
  return 0;
}
