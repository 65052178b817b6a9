#include "memory/Pretranslation.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "checks/TranslationChecks.h"
#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/Utf8.h"

namespace {

// Tokens a translation takes over from its source unchanged, whatever the language.
bool IsCarried(const TMarkupToken& token) {
  return token.IsTag() || token.Kind == TMarkupKind::Formula || token.Kind == TMarkupKind::Number;
}

// The text with each carried token reduced to its kind, and the carried tokens' texts in order.
struct TSkeleton {
  std::u16string Rest;
  std::vector<std::u16string_view> Carried;
};

TSkeleton SkeletonOf(std::u16string_view text) {
  TSkeleton skeleton;
  for (const TMarkupToken& token : TokenizeMarkup(text)) {
    if (IsCarried(token)) {
      // U+0000 cannot appear in a quest text, so the mark never meets a character of the text.
      skeleton.Rest += u'\0';
      skeleton.Rest += static_cast<char16_t>(u'0' + static_cast<int>(token.Kind));
      skeleton.Carried.push_back(token.In(text));
    } else {
      skeleton.Rest += token.In(text);
    }
  }
  return skeleton;
}

bool FailsMarkupCheck(std::u16string_view source, std::u16string_view text) {
  for (const TCheckFinding& finding : CheckTranslation(source, text))
    if (finding.Code == "tags" || finding.Code == "formulas" || finding.Code == "color") return true;
  return false;
}

}  // namespace

std::u16string FuzzyNote(int percent, const TMemoryEntry& entry) {
  const std::u16string& from = entry.Quest.empty() ? entry.Origin : entry.Quest;
  return u"fuzzy " + Utf8ToUtf16(std::to_string(percent)) + u"% from " + from;
}

std::u16string CarryMarkup(std::u16string_view memorySource, std::u16string_view translation,
                           std::u16string_view source) {
  if (memorySource == source) return std::u16string(translation);
  const TSkeleton before = SkeletonOf(memorySource);
  const TSkeleton after = SkeletonOf(source);
  if (before.Rest != after.Rest) return std::u16string(translation);

  // The k-th occurrence of a token in the translation stands for its k-th occurrence in the
  // memory's source, wherever the translation moved it.
  std::u16string carried;
  std::unordered_map<std::u16string_view, std::size_t> seen;
  for (const TMarkupToken& token : TokenizeMarkup(translation)) {
    const std::u16string_view text = token.In(translation);
    std::size_t place = before.Carried.size();
    if (IsCarried(token)) {
      std::size_t occurrence = seen[text]++;
      for (std::size_t i = 0; i < before.Carried.size(); ++i)
        if (before.Carried[i] == text && occurrence-- == 0) {
          place = i;
          break;
        }
    }
    carried += place < after.Carried.size() ? after.Carried[place] : text;
  }
  return carried;
}

TPretranslation PlanPretranslation(const TtxgProject& project, const TTranslationMemory& memory, int minimumPercent) {
  minimumPercent = std::max(minimumPercent, 1);
  TPretranslation plan;
  struct TBest {
    bool Found = false;
    std::size_t Entry = 0;
    int Percent = 0;
  };
  std::unordered_map<std::u16string, TBest> bestOfSource;  // a text repeated in the quest is looked up once
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    if (project.IsTranslated(n)) continue;
    const std::u16string source = project.GetSourceText(n);
    auto [cached, isNew] = bestOfSource.try_emplace(source);
    if (isNew) {
      const auto suggestions = memory.Suggest(source, 1, minimumPercent);
      if (!suggestions.empty()) cached->second = {true, suggestions.front().Entry, suggestions.front().Percent};
    }
    const TBest best = cached->second;
    if (!best.Found) {
      ++plan.Counts.None;
      continue;
    }
    const int percent = best.Percent;
    ++(percent == 100  ? plan.Counts.Exact
       : percent >= 95 ? plan.Counts.From95
       : percent >= 85 ? plan.Counts.From85
                       : plan.Counts.FromMinimum);

    const TMemoryEntry& entry = memory.Entry(best.Entry);
    TPretranslationFill fill;
    fill.Message = project.StateMessage(n);
    fill.Text = CarryMarkup(entry.Source, entry.Translation, source);
    fill.Percent = percent;
    fill.Review = percent < 100 || project.NeedsReview(n) || FailsMarkupCheck(source, fill.Text);
    fill.Note = project.Note(n);
    if (percent < 100) {
      if (!fill.Note.empty()) fill.Note += u'\n';
      fill.Note += FuzzyNote(percent, entry);
    }
    plan.Fills.push_back(std::move(fill));
  }
  return plan;
}

void ApplyPretranslation(TtxgProject& project, const std::vector<TPretranslationFill>& fills) {
  for (const TPretranslationFill& fill : fills) {
    project.StoreTranslation(fill.Message, fill.Text);
    // A name the memory keeps as it is stays translated here too.
    if (fill.Text == project.GetSourceText(fill.Message)) project.SetTranslatedAsIs(fill.Message, true);
    project.SetNeedsReview(fill.Message, fill.Review);
    project.SetNote(fill.Message, fill.Note);
  }
}
