#pragma once
// TMX 1.4 files for the translation memory, read and written with libxml2.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "memory/TranslationMemory.h"
#include "support/JD_Error.h"

// A file that is no well-formed TMX: what() is "not a TMX file: CAUSE", the context names the file
// and, for XML that does not parse, the line.
class ETmxError : public std::runtime_error, public TFileErrorContext {
 public:
  ETmxError(const std::string& fileName, int64_t line, const std::string& cause);
};

struct TTmxLanguages {
  std::string Source = "und";  // srclang of the header and the language of the first variant
  std::string Target = "und";
};

// One <tu> per entry, its tuid the entry's origin when there is one. Characters XML cannot hold
// are escaped by support/XmlText.h's rule, as in XLIFF, and ReadTmx turns them back: every text
// comes back whole. Saved through TBlockFileWriter, so a failed write leaves an old file as it was.
void WriteTmx(const std::string& fileName, const std::vector<TMemoryEntry>& entries,
              const TTmxLanguages& languages = {});

// Every <tu> with a source and a translation: the source is the variant in the header's srclang
// (the first variant when none is), the translation the first other variant. The origin of each
// entry is the file name. Escapes are read as XmlText.h says; a file of other tools or of an
// earlier version (which wrote U+FFFD for those characters) holds none. Raises EInOutError when the file cannot be
// read, ETmxError otherwise.
std::vector<TMemoryEntry> ReadTmx(const std::string& fileName);
