#pragma once
// The formats a project goes out in and comes back from, each a pair of plain functions
// registered by name and extension (the exchange file, PO, XLIFF).
#include <string>
#include <vector>

#include "formats/TranslationUnits.h"

class TtxgProject;

struct TFormat {
  std::string Name;       // "po", "xliff", "exchange"
  std::string Extension;  // ".po", ...
  void (*Save)(const TtxgProject& project, const std::string& fileName, const TExportOptions& options);
  void (*Load)(TtxgProject& project, const std::string& fileName, TConversionReport& report);
  // Reads the file's units without the project, so a caller may read while the project loads;
  // nullptr for a format that needs the project to read (the exchange file). Load is Read and
  // ApplyIncomingUnits.
  std::vector<TIncomingUnit> (*Read)(const std::string& fileName);
};

const std::vector<TFormat>& Formats();
// nullptr when no format has that name.
const TFormat* FindFormat(const std::string& name);
// The format whose extension the file name ends with (case ignored), or nullptr.
const TFormat* FormatForFile(const std::string& fileName);

// The quest file name an export names (PO's Project-Id-Version, XLIFF's original). The quest a
// project was made from is not recorded, so it is the project file's name with ".txg" replaced by
// ".xg"; a quest's own name stays as it is; the folder is dropped.
std::string QuestNameOf(const std::string& fileName);
