#pragma once
// The formats a project goes out in and comes back from, each a pair of plain functions
// registered by name and extension (the exchange file, PO, XLIFF).
#include <string>
#include <vector>

#include "formats/TranslationUnits.h"

class TtxgProject;

struct TFormat {
  // "po", "xliff", "exchange"; xgtool's export-NAME and import-NAME for a translation tools' format.
  std::string Name;
  // ".xlf", ".xliff": every ending a file of the format may have; the first is the one it is
  // saved with.
  std::vector<std::string> Extensions;
  std::string Title;       // "XLIFF 1.2 file": what file dialogs call it
  std::string ShortTitle;  // "XLIFF": where several formats are named at once
  std::string Article;     // "an": what stands before Title in a sentence
  // PO and XLIFF; the exchange file has commands of its own (Write and Load messages).
  bool ForTranslationTools = false;
  void (*Save)(const TtxgProject& project, const std::string& fileName, const TExportOptions& options);
  void (*Load)(TtxgProject& project, const std::string& fileName, TConversionReport& report);
  // Reads the file's units without the project, so a caller may read while the project loads;
  // nullptr for a format that needs the project to read (the exchange file). Load is Read and
  // ApplyIncomingUnits.
  std::vector<TIncomingUnit> (*Read)(const std::string& fileName);
};

// Every format, the translation tools' ones first, in the order dialogs offer them.
const std::vector<TFormat>& Formats();
// nullptr when no format has that name.
const TFormat* FindFormat(const std::string& name);
// The format one of whose extensions the file name ends with (case ignored), or nullptr.
const TFormat* FormatForFile(const std::string& fileName);
// The formats of translation tools (ForTranslationTools), in registry order.
std::vector<const TFormat*> TranslationToolsFormats();

// What the window's dialogs and file drops need, in its "Name|*.ext;*.ext2|..." filter form.
// Every extension of every format, for a file drop: ".po", ".xlf", ".xliff", ".txt".
std::vector<std::string> AllFormatExtensions();
// One format's filter: "XLIFF 1.2 file|*.xlf;*.xliff".
std::string DialogFilter(const TFormat& format);
// Exporting for translation tools: each of their formats, "gettext PO file|*.po|XLIFF 1.2 file|...".
std::string ExportDialogFilter();
// Importing from translation tools: all of their files at once, then each format:
// "PO or XLIFF file|*.po;*.xlf;*.xliff|gettext PO file|*.po|XLIFF 1.2 file|*.xlf;*.xliff".
std::string ImportDialogFilter();
// The translation tools' extensions in a sentence: "a .po, .xlf or .xliff file".
std::string TranslationToolsFilesText();

// The quest file name an export names (PO's Project-Id-Version, XLIFF's original). The quest a
// project was made from is not recorded, so it is the project file's name with ".txg" replaced by
// ".xg"; a quest's own name stays as it is; the folder is dropped.
std::string QuestNameOf(const std::string& fileName);
