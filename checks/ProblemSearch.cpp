#include "checks/ProblemSearch.h"

#include <algorithm>

#include "checks/ConsistencyCheck.h"
#include "checks/Spelling.h"
#include "checks/TermsCheck.h"
#include "checks/TranslationChecks.h"
#include "project/ProjectClass.h"

bool HasProblems(const TtxgProject& project, int32_t n, TSpellChecker* speller, const TTermMatcher* terms,
                 const TConsistencyIndex* consistency, std::u16string_view quest) {
  const std::vector<TCheckFinding> findings = CheckMessage(project, n);
  if (std::any_of(findings.begin(), findings.end(), [](const TCheckFinding& f) { return f.Code != "unchanged"; }))
    return true;
  if (terms != nullptr && !CheckMessageTerms(project, n, *terms).empty()) return true;
  if (consistency != nullptr && !CheckMessageInconsistent(project, n, *consistency, quest).empty()) return true;
  return speller != nullptr && !CheckSpelling(project, n, *speller).empty();
}

int32_t FindProblem(const TtxgProject& project, int32_t position, int step, TSpellChecker* speller,
                    const TTermMatcher* terms, const TConsistencyIndex* consistency, std::u16string_view quest) {
  const int32_t count = project.PositionCount;
  if (count <= 0) return -1;
  const int32_t direction = step < 0 ? -1 : 1;
  int32_t at = std::clamp(position, 0, count + 1);
  for (int32_t tried = 0; tried < count; ++tried) {
    at += direction;
    if (at > count) at = 1;
    if (at < 1) at = count;
    if (HasProblems(project, project.MessageAtPosition(at), speller, terms, consistency, quest)) return at;
  }
  return -1;
}
