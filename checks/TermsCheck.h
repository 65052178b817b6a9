#pragma once
// The check "terms": a translation against the project's glossaries. A finding for
//  - a source term whose translations are all missing from the translation (in any inflection):
//    detail "TERM → EXPECTED", the glossary's source term and its preferred translation;
//  - a forbidden translation used: detail "forbidden: TERM", the term as the translation has it;
//  - a do-not-translate term the translation does not keep as it is: detail "TERM → TERM".
// The spans mark the term in the source, or the forbidden term in the translation.
#include <cstdint>
#include <string_view>
#include <vector>

#include "checks/TranslationChecks.h"

class TTermMatcher;
class TtxgProject;

inline constexpr TCheckCode TermsCheck{"terms", "A glossary term is not translated as the glossary says"};

std::vector<TCheckFinding> CheckTerms(const TTermMatcher& matcher, std::u16string_view source,
                                      std::u16string_view target);

// The terms findings of message n of a project, on the messages CheckMessage checks (none for a
// deleted or not yet edited message).
std::vector<TCheckFinding> CheckMessageTerms(const TtxgProject& project, int32_t n, const TTermMatcher& matcher);
