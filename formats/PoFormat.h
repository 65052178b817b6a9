#pragma once
// gettext PO files, read by gettext's own libgettextpo and written in its syntax (checked by
// gettext's tools in the tests). One entry per position:
// msgctxt = the message id (made unique, see OutgoingUnits), msgid = the source text, msgstr = the
// translation or empty while untranslated, "#." = the kind, "#, fuzzy" = needs review, "#" = the
// note, "#| msgid" = the previous source text. gettext writes no fuzzy flag on an untranslated
// entry: an untranslated message that needs review has the line "needs review" in its "#."
// comment. Texts, notes and previous sources go through PortableText.
#include <string>
#include <vector>

#include "formats/TranslationUnits.h"

class TtxgProject;

void SavePo(const TtxgProject& project, const std::string& fileName, const TExportOptions& options);
// The file's units, read without the project (ReadPoUnits), then applied to it (LoadPo).
// Raises EFormatParseError (file, line, what) for a file gettext cannot parse, a charset other than
// UTF-8 or bytes that are not UTF-8, before the project changes.
std::vector<TIncomingUnit> ReadPoUnits(const std::string& fileName);
void LoadPo(TtxgProject& project, const std::string& fileName, TConversionReport& report);
