// PO import into a project made from the sample quest: a parse error or a report, never a crash,
// and a refused file leaves the target as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "formats/PoFormat.h"
#include "project/ProjectClass.h"

// libgettextpo keeps a few bytes of every syntax error it reports: not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libgettextpo\n"; }

// Files are read as the programs read them.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ReadPoFilesAsBytes();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzsupport::ImportIntoSample(data, size, LoadPo);
}
