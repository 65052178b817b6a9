// make_full_quest OUT.xg: writes the full-capacity quest the benchmarks use, so that whole-process
// figures (time, peak memory of xgtool) can be taken on it.
#include <exception>
#include <iostream>
#include <memory>

#include "common/FullQuest.h"
#include "quest/GameContent.h"
#include "support/JD_BlockPar.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_full_quest CATALOGUE OUT.xg\n";
    return 2;
  }
  try {
    TBlockParJD catalogue;
    catalogue.LoadFromFile(argv[1], false);
    auto game = std::make_unique<TGame>(catalogue);
    BuildFullQuest(*game);
    game->SaveToFile(argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "make_full_quest: " << error.what() << '\n';
    return 3;
  }
  return 0;
}
