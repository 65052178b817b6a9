// Quest reading over arbitrary bytes: a clean exception or a successful read, then a save of
// whatever was read must work.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "quest/GameContent.h"
#include "support/BlockFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static auto game = std::make_unique<TGame>(fuzzsupport::Catalogue());
  TBlockFileReader reader(std::vector<uint8_t>(data, data + size));
  try {
    game->ReadFrom(reader);
  } catch (const std::exception&) {
    return 0;
  }
  TBlockFileWriter writer;
  game->WriteTo(writer);
  game->Messages();
  return 0;
}
