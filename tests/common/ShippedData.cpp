#include "common/ShippedData.h"

#include <memory>

#include "support/JD_BlockPar.h"

const TBlockParJD& ShippedCatalogue() {
  static const std::unique_ptr<TBlockParJD> catalogue = [] {
    auto block = std::make_unique<TBlockParJD>();
    block->LoadFromFile(std::string(XG_DATA_DIR) + "/msg_cfg.txt", false);
    return block;
  }();
  return *catalogue;
}

std::string SampleQuestPath() { return std::string(XG_DATA_DIR) + "/sample.xg"; }
