#pragma once
// What PO and XLIFF share: the units a project sends out (one per position, under a context that
// is unique in the file), the kind label written beside each, and the one import rule that brings
// units back into the project and reports what did not fit.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "project/ConversionReport.h"
#include "support/JD_Error.h"

class TtxgProject;

// A file that cannot be parsed: what() says what is wrong, the context names the file and the line
// (0 when the reader gives none), so it is told as "FILE:LINE: what is wrong".
class EFormatParseError : public std::runtime_error, public TFileErrorContext {
 public:
  EFormatParseError(const std::string& fileName, std::size_t line, const std::string& what);
};

// Raises the usual EInOutError, naming the file, when it cannot be opened or read or is a folder:
// a reader library would only say that it could not parse it.
void RequireReadableFile(const std::string& fileName);

// What the caller knows that the project does not: the quest's file name and the target language.
struct TExportOptions {
  std::string QuestName;
  std::string Language;  // empty = not set
};

struct TOutgoingUnit {
  int32_t Message;         // the message number shown at this position
  std::u16string Context;  // its id; a repeated id gets "#2", "#3", ... in message order
};
// Positions in order; linked duplicates are carried by the message they follow.
std::vector<TOutgoingUnit> OutgoingUnits(const TtxgProject& project);

// The language the file is for: the caller's, else the project's setting "language".
std::string TargetLanguage(const TtxgProject& project, const TExportOptions& options);

// The message a report entry's id names: a unit's context (with its "#N" suffix) or a plain
// message id; 0 when the project has no such message.
int32_t MessageOfReportId(const TtxgProject& project, const std::u16string& id);

// The window's label of a message kind, with " (N)" for a location text of location N.
std::u16string MessageKindLabel(const TtxgProject& project, int32_t typeCode);

struct TIncomingUnit {
  std::u16string Context;
  std::u16string Source;
  std::u16string Translation;  // empty = untranslated
  bool NeedsReview = false;
  std::u16string Note;             // empty = none
  bool HasPreviousSource = false;  // false: the file does not carry one, the project's stays
  std::u16string PreviousSource;
};

// Matches every unit by its context and stores its translation, its review flag and its note (and
// its previous source when the file carries them); an empty translation turns a translated
// message back into its source text and leaves an untranslated one as it is, and a translation
// equal to its source marks the message translated as is. Unknown
// contexts, changed sources, changed tags and positions without a unit are report entries, in
// that order of meeting, the missing ones last; a translation whose tags differ from the source is
// also marked for review, whatever the unit says. Nothing is parsed here: a caller that has all its
// units has already refused a broken file, so a refused file leaves the project untouched.
void ApplyIncomingUnits(TtxgProject& project, const std::vector<TIncomingUnit>& units, TConversionReport& report);
