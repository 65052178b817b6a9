#pragma once
// The checks of a translation's wording, as against its markup: numbers, words mixing Cyrillic and
// Latin letters, quotation marks and brackets, length, and the case of the first letter. Used by
// CheckTranslation only (checks/TranslationChecks.h is the interface); shared here with the
// markup checks are the text read once into tokens and the way findings are added and worded.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "checks/TranslationChecks.h"
#include "quest/QuestMarkup.h"

inline constexpr TCheckCode NumbersCheck{"numbers", "The numbers differ from the source"};
inline constexpr TCheckCode MixedScriptCheck{"mixedscript", "A word mixes Cyrillic and Latin letters"};
inline constexpr TCheckCode QuotesCheck{"quotes", "Quotation marks or brackets are unbalanced"};
inline constexpr TCheckCode LengthCheck{"length", "The translation is much longer or shorter than the source"};
inline constexpr TCheckCode CapitalCheck{"capital", "The first letter's case differs from the source"};

// A text read once: its tokens, and the part between the blanks at its ends.
struct TReadText {
  explicit TReadText(std::u16string_view text);
  bool Inner(const TMarkupToken& token) const { return token.Begin >= InnerBegin && token.End <= InnerEnd; }
  std::u16string_view Text;
  std::vector<TMarkupToken> Tokens;
  std::size_t InnerBegin = 0;
  std::size_t InnerEnd = 0;
};

TCheckFinding& AddFinding(std::vector<TCheckFinding>& findings, const TCheckCode& check);

// "missing A, B; extra C" for pieces kept on one side only.
std::u16string MissingAndExtra(const std::vector<std::u16string_view>& missing,
                               const std::vector<std::u16string_view>& extra);

void CheckNumbers(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings);
void CheckMixedScript(const TReadText& target, std::vector<TCheckFinding>& findings);
void CheckQuotes(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings);
void CheckLength(const TReadText& source, const TReadText& target, const TLengthLimits& limits,
                 std::vector<TCheckFinding>& findings);
void CheckCapital(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings);
