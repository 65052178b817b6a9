#pragma once
// Checks of one message's translation against its source: broken tags and formulas, colour tags,
// blanks, line breaks, doubled spaces and words, final punctuation, numbers, words mixing scripts,
// unpaired quotation marks, length, the first letter's case, untranslated texts. Every part of the
// program (window, xgtool) asks these functions; none keeps a rule of its own.
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

// The range a translation's letters may take, as a share of its source's ("length"), for a source
// of more than 20 letters.
struct TLengthLimits {
  double Shortest = 0.4;
  double Longest = 2.5;
};
// The limits of a language pair by language codes ("ru", "en_US", "zh-Hans": the language before
// "_", "-", "." or "@" counts, in any case); the default for a pair without limits of its own.
TLengthLimits LengthLimits(std::string_view sourceLanguage, std::string_view targetLanguage);

// Every check but "unchanged" on a source and its translation, as texts.
std::vector<TCheckFinding> CheckTranslation(std::u16string_view source, std::u16string_view target,
                                            const TLengthLimits& limits = {});

// The findings of message n (1..SourceCount) of a project: none for a message holding the
// deleted-message text; only "unchanged" (when the source has letters) for one not edited yet;
// otherwise CheckTranslation with the length limits of the quests' source language and the
// project's "language" setting. A number outside the table has no findings.
std::vector<TCheckFinding> CheckMessage(const TtxgProject& project, int32_t n);

// The messages with findings, in message order, one per position (a linked duplicate is checked
// through the message it folds into).
struct TMessageFindings {
  int32_t Message = 0;
  std::vector<TCheckFinding> Findings;
};
std::vector<TMessageFindings> CheckProject(const TtxgProject& project);
