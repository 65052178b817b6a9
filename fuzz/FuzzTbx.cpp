// Glossary files on arbitrary bytes, read as TBX and as a CSV list: an EGlossaryError or a
// glossary, never a crash or another exception. What was read is saved and read again: it must
// come back as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "glossary/Glossary.h"

namespace {

template <typename Read>
void ReadAndSaveAgain(const std::string& scratch, Read read) {
  TGlossaryReport report;
  TGlossary glossary;
  try {
    glossary = read(report);
  } catch (const EGlossaryError&) {
    return;
  }
  if (report.Entries != glossary.Entries.size()) std::abort();
  const std::string saved = scratch + ".tbx";
  SaveTbx(glossary, saved);
  TGlossaryReport again;
  if (LoadTbx(saved, again).Entries != glossary.Entries || again.WithoutSource != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string& file = fuzzsupport::WriteScratchFile(data, size);
  ReadAndSaveAgain(file, [&](TGlossaryReport& report) { return LoadTbx(file, report); });
  ReadAndSaveAgain(file, [&](TGlossaryReport& report) { return ImportGlossaryCsv(file, "ru", "en", report); });
  return 0;
}
