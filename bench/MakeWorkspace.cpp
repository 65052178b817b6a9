// Writes the quests of a made-up game as a workspace folder, for the whole-process timings of
// `xgtool pretranslate` and `xgtool stats DIR` (scripts/workspace-speed.sh).
//   make_workspace DIR [CATALOGUE]
#include <cstdio>
#include <exception>
#include <string>

#include "bench/FullProject.h"
#include "bench/GeneratedWorkspace.h"
#include "support/JD_BlockPar.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: make_workspace DIR [CATALOGUE]\n");
    return 2;
  }
  try {
    TBlockParJD catalogue;
    if (argc == 3) catalogue.LoadFromFile(argv[2], false);
    WriteGeneratedWorkspace(argc == 3 ? catalogue : BenchCatalogue(), argv[1]);
    std::printf("%d quests written to %s\n", GeneratedQuestCount, argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_workspace: %s\n", error.what());
    return 3;
  }
  return 0;
}
