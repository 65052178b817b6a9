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

// libgettextpo measures every character of a UTF-8 file through iconv, which takes about two thirds
// of its reading time. Its OLD_PO_FILE_INPUT switch has it read bytes instead: for UTF-8 the texts
// are the same (no byte of a multibyte character is ASCII), and ReadPoUnits checks the UTF-8 itself.
// The switch is an environment variable, which child processes inherit: call this at start-up,
// before any thread starts, in a program that runs no gettext tools.
void ReadPoFilesAsBytes();
