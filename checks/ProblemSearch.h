#pragma once
// Which messages have problems, for "next / previous problem" and the message list's filter. A
// problem is any finding but "unchanged" (untranslated messages have their own search), and, when
// a spell checker is given, a misspelled word; when a term matcher is given, a "terms" finding; when
// the translations of a workspace are given, an "inconsistent" one.
#include <cstdint>
#include <string_view>

class TConsistencyIndex;
class TSpellChecker;
class TTermMatcher;
class TtxgProject;

bool HasProblems(const TtxgProject& project, int32_t n, TSpellChecker* speller = nullptr,
                 const TTermMatcher* terms = nullptr, const TConsistencyIndex* consistency = nullptr,
                 std::u16string_view quest = {});

// The first position after `position` in the direction of `step` (1 forward, -1 back) whose message
// has problems, going round past either end; `position` itself comes last. -1 when none has any.
int32_t FindProblem(const TtxgProject& project, int32_t position, int step, TSpellChecker* speller = nullptr,
                    const TTermMatcher* terms = nullptr, const TConsistencyIndex* consistency = nullptr,
                    std::u16string_view quest = {});
