#pragma once
// XLIFF 1.2 files, read and written through libxml2. One <trans-unit> per position, its id the
// unit's context (see OutgoingUnits); markup of the texts goes out as <ph> elements holding the
// original, and comes back from <ph> or from plain text alike. Texts go through PortableText.
// A translated unit not flagged for review says approved="yes"; reading, approved="yes" clears the
// flag, and without it the target's state decides ("needs-review-translation" flags).
#include <string>
#include <vector>

#include "formats/TranslationUnits.h"
#include "project/ProjectClass.h"

class TtxgProject;

// The source language of every file we write.
inline constexpr const char* XliffSourceLanguage = QuestSourceLanguage;

// The language tag XML writes for a language code as PO files and locales spell it: "pt_BR",
// "sr@latin" and "de_DE.UTF-8" become "pt-BR", "sr" and "de-DE"; empty stays empty. Raises
// std::invalid_argument for a code that is no language tag.
std::string XmlLanguage(const std::string& code);

void SaveXliff(const TtxgProject& project, const std::string& fileName, const TExportOptions& options);
// The file's units, read without the project (ReadXliffUnits), then applied to it (LoadXliff).
// Raises EFormatParseError (file, line, what) for malformed XML, a root element other than
// <xliff> or text that is not UTF-8, before the project changes.
std::vector<TIncomingUnit> ReadXliffUnits(const std::string& fileName);
void LoadXliff(TtxgProject& project, const std::string& fileName, TConversionReport& report);
