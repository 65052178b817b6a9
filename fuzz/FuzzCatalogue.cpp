// Block-parameter parsing from memory, comments kept and dropped.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>

#include "support/JD_BlockPar.h"
#include "support/JD_Buf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > (1u << 20)) return 0;
  for (bool keepComments : {false, true}) {
    TBufJD buffer;
    buffer.SetSize(static_cast<int32_t>(size));
    if (size > 0) std::memcpy(buffer.Data(), data, size);
    TBlockParJD block;
    try {
      block.LoadFromBuf(buffer, keepComments);
      (void)block.Par_Get(u"DefaultProgramTitle");
    } catch (const std::exception&) {
    }
  }
  return 0;
}
