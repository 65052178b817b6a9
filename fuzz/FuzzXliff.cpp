// XLIFF import into a project made from the sample quest: a parse error or a report, never a
// crash, and a refused file leaves the target as it was.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "formats/XliffFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzsupport::ImportIntoSample(data, size, LoadXliff);
}
