#pragma once
// Checks of one message's translation against its source: broken tags and formulas, colour tags,
// blanks, line breaks, doubled spaces and words, final punctuation, untranslated texts. Every part
// of the program (window, xgtool) asks these functions; none keeps a rule of its own.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TtxgProject;

// A stretch of the source or the translation, in code units (end exclusive).
struct TTextSpan {
  bool InSource = false;
  int32_t Begin = 0;
  int32_t End = 0;
  bool operator==(const TTextSpan&) const = default;
};

struct TCheckFinding {
  std::string_view Code;         // stable: "tags", "formulas", ... (see CheckCodes)
  std::string_view Description;  // short English text of the check
  std::u16string Detail;         // what was found: the tags, the formulas, the word, ...
  std::vector<TTextSpan> Spans;
  // Final punctuation: the mark the translation ends with (empty for none) and the source's, so a
  // window can word the finding its own way.
  std::u16string Found;
  std::u16string Expected;
};

struct TCheckCode {
  std::string_view Code;
  std::string_view Description;
};

// Every check in the order its findings are listed.
const std::vector<TCheckCode>& CheckCodes();

// Every check but "unchanged" on a source and its translation, as texts.
std::vector<TCheckFinding> CheckTranslation(std::u16string_view source, std::u16string_view target);

// The findings of message n (1..SourceCount) of a project: none for a message holding the
// deleted-message text; only "unchanged" (when the source has letters) for one not edited yet;
// otherwise CheckTranslation. A number outside the table has no findings.
std::vector<TCheckFinding> CheckMessage(const TtxgProject& project, int32_t n);

// The messages with findings, in message order, one per position (a linked duplicate is checked
// through the message it folds into).
struct TMessageFindings {
  int32_t Message = 0;
  std::vector<TCheckFinding> Findings;
};
std::vector<TMessageFindings> CheckProject(const TtxgProject& project);
