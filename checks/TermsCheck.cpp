#include "checks/TermsCheck.h"

#include <algorithm>

#include "checks/TextChecks.h"
#include "glossary/TermMatcher.h"
#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"

namespace {

bool IsWordCharacter(char16_t c) { return IsMarkupLetter(c) || (c >= u'0' && c <= u'9'); }

// `term` as it is written, as a whole word (or words) of `text`.
bool KeepsAsIs(std::u16string_view text, std::u16string_view term) {
  if (term.empty()) return true;
  for (std::size_t at = text.find(term); at != std::u16string_view::npos; at = text.find(term, at + 1)) {
    const std::size_t end = at + term.size();
    if ((at == 0 || !IsWordCharacter(text[at - 1])) && (end == text.size() || !IsWordCharacter(text[end]))) return true;
  }
  return false;
}

}  // namespace

std::vector<TCheckFinding> CheckTerms(const TTermMatcher& matcher, std::u16string_view source,
                                      std::u16string_view target) {
  std::vector<TCheckFinding> findings;
  const std::vector<TGlossaryEntry>& entries = matcher.Entries();
  const std::vector<TTermMatch> translated = matcher.FindTargetTerms(target);
  // One finding per entry, marking each place of its term in the source.
  std::vector<std::size_t> reported;
  for (const TTermMatch& match : matcher.FindSourceTerms(source)) {
    const TGlossaryEntry& entry = entries[match.Entry];
    const TTextSpan span{true, match.Begin, match.End};
    const auto earlier = std::find(reported.begin(), reported.end(), match.Entry);
    if (earlier != reported.end()) {
      findings[static_cast<std::size_t>(earlier - reported.begin())].Spans.push_back(span);
      continue;
    }
    std::u16string expected;
    if (entry.Status == TTermStatus::DoNotTranslate) {
      if (KeepsAsIs(target, entry.Source)) continue;
      expected = entry.Source;
    } else if (entry.Status != TTermStatus::Forbidden && !entry.Targets.empty()) {
      if (std::any_of(translated.begin(), translated.end(),
                      [&match](const TTermMatch& found) { return found.Entry == match.Entry; }))
        continue;
      expected = entry.Targets.front();
    } else {
      continue;  // nothing to expect: a forbidden entry is about the translation alone
    }
    TCheckFinding& finding = AddFinding(findings, TermsCheck);
    finding.Detail = entry.Source + u" → " + expected;
    finding.Spans.push_back(span);
    reported.push_back(match.Entry);
  }
  // Every use of a forbidden translation, whatever the source says.
  TTextSpan previous{false, -1, -1};
  for (const TTermMatch& found : translated) {
    if (entries[found.Entry].Status != TTermStatus::Forbidden) continue;
    const TTextSpan span{false, found.Begin, found.End};
    if (span == previous) continue;  // two forbidden terms stemming alike
    previous = span;
    TCheckFinding& finding = AddFinding(findings, TermsCheck);
    finding.Detail = u"forbidden: " + std::u16string(target.substr(static_cast<std::size_t>(found.Begin),
                                                                   static_cast<std::size_t>(found.End - found.Begin)));
    finding.Spans.push_back(span);
  }
  return findings;
}

std::vector<TCheckFinding> CheckMessageTerms(const TtxgProject& project, int32_t n, const TTermMatcher& matcher) {
  if (n < 1 || n > project.SourceCount || n > project.TargetCount || project.IsNotEdited(n)) return {};
  return CheckTerms(matcher, project.GetSourceText(n), project.GetTargetText(n));
}
