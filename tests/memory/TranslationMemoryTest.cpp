// The memory's suggestions: the indexed search gives what comparing every entry would give; and
// the concordance search of its entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "memory/Concordance.h"
#include "memory/MemoryWords.h"
#include "memory/TranslationMemory.h"
#include "support/Utf8.h"

namespace {

// The slow reference: similarity against every entry, best first, earlier entries first on ties.
std::vector<TSuggestion> SuggestByComparingAll(const TTranslationMemory& memory,
                                               const std::vector<std::vector<std::u16string_view>>& entryWords,
                                               std::u16string_view source, std::size_t limit, int minimumPercent) {
  struct Scored {
    std::size_t kept, longer;
    bool identical;
    std::size_t entry;
    int percent;
  };
  std::vector<Scored> all;
  const auto query = WordsOf(source);
  for (std::size_t i = 0; i < memory.Size(); ++i) {
    const std::u16string& other = memory.Entry(i).Source;
    const auto& words = entryWords[i];
    const std::size_t longer = std::max(query.size(), words.size());
    const std::size_t distance = WordEditDistance(query, words);
    const int percent = SimilarityPercent(other == source, distance, query.size(), words.size());
    if (percent < minimumPercent || longer == 0) continue;
    all.push_back({longer - distance, longer, other == source, i, percent});
  }
  std::stable_sort(all.begin(), all.end(), [](const Scored& a, const Scored& b) {
    if (a.kept * b.longer != b.kept * a.longer) return a.kept * b.longer > b.kept * a.longer;
    return a.identical && !b.identical;
  });
  std::vector<TSuggestion> best;
  for (std::size_t i = 0; i < all.size() && i < limit; ++i) best.push_back({all[i].entry, all[i].percent});
  return best;
}

std::u16string RandomText(std::mt19937& random) {
  static const std::vector<std::u16string> vocabulary = {u"the",   u"door",     u"opens",   u"ключ",         u"карта",
                                                         u"<clr>", u"<clrEnd>", u"[p1]",    u"{[p2] div 3}", u",",
                                                         u".",     u"Ranger",   u"station", u"кредитов",     u"!"};
  std::uniform_int_distribution<std::size_t> length(0, 9);
  std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
  std::u16string text;
  for (std::size_t n = length(random); n > 0; --n) text += vocabulary[pick(random)] + u" ";
  return text;
}

TEST(TranslationMemory, IndexedSuggestionsEqualComparingEveryEntry) {
  std::mt19937 random(20261208);
  TTranslationMemory memory;
  for (int i = 0; i < 600; ++i) memory.Add({RandomText(random), u"перевод " + Utf8ToUtf16(std::to_string(i)), u""});
  std::vector<std::vector<std::u16string_view>> entryWords;
  for (std::size_t i = 0; i < memory.Size(); ++i) entryWords.push_back(WordsOf(memory.Entry(i).Source));
  struct Case {
    std::size_t limit;
    int minimumPercent;
  };
  const std::vector<Case> cases = {{5, 1}, {5, 75}, {1, 1}, {12, 40}, {5, 100}};
  for (int query = 0; query < 100; ++query) {
    // Half the queries are texts the memory holds, the rest new ones.
    const std::u16string source =
        query % 2 == 0 ? memory.Entry(static_cast<std::size_t>(query) % memory.Size()).Source : RandomText(random);
    for (const Case& c : cases) {
      const auto indexed = memory.Suggest(source, c.limit, c.minimumPercent);
      const auto reference = SuggestByComparingAll(memory, entryWords, source, c.limit, c.minimumPercent);
      ASSERT_EQ(indexed.size(), reference.size()) << Utf16ToUtf8(source);
      for (std::size_t i = 0; i < indexed.size(); ++i) {
        EXPECT_EQ(indexed[i].Entry, reference[i].Entry) << Utf16ToUtf8(source) << " rank " << i;
        EXPECT_EQ(indexed[i].Percent, reference[i].Percent) << Utf16ToUtf8(source) << " rank " << i;
      }
    }
  }
}

TEST(TranslationMemory, RanksIdenticalFirstAndKeepsOnePairOnce) {
  TTranslationMemory memory;
  EXPECT_EQ(memory.Add({u"Open  the door", u"Открой дверь!", u"L(1).Text(1)"}), 0u);
  EXPECT_EQ(memory.Add({u"Open the gate", u"Открой ворота", u"L(1).Text(2)"}), 1u);
  EXPECT_EQ(memory.Add({u"Open the door", u"Открой дверь", u"L(2).Text(1)"}), 2u);
  // The same pair again is not a second entry: the window would show it twice.
  EXPECT_EQ(memory.Add({u"Open the door", u"Открой дверь", u"L(3).Text(1)"}), 2u);
  EXPECT_EQ(memory.Entry(2).Origin, u"L(2).Text(1)");
  ASSERT_EQ(memory.Size(), 3u);

  const auto best = memory.Suggest(u"Open the door");
  ASSERT_EQ(best.size(), 3u);
  EXPECT_EQ(best[0].Entry, 2u);
  EXPECT_EQ(best[0].Percent, 100);
  EXPECT_EQ(best[1].Entry, 0u);  // other blanks only
  EXPECT_EQ(best[1].Percent, 99);
  EXPECT_EQ(best[2].Entry, 1u);
  EXPECT_EQ(best[2].Percent, 66);

  EXPECT_TRUE(memory.Suggest(u"Nothing alike").empty());
  EXPECT_TRUE(memory.Suggest(u"Open the door", 0).empty());
  memory.Clear();
  EXPECT_EQ(memory.Size(), 0u);
  EXPECT_TRUE(memory.Suggest(u"Open the door").empty());
}

// A memory the size of a few quests, with common and rare words as in real texts: a high minimum
// looks only at entries holding a rare word of the query, and must still find every match.
TEST(TranslationMemory, RareWordSearchFindsWhatComparingEveryEntryFinds) {
  std::mt19937 random(20261209);
  std::vector<double> weights;  // word i about 1 / (i + 1) as often as word 0
  for (int i = 1; i <= 400; ++i) weights.push_back(1.0 / i);
  std::discrete_distribution<int> pick(weights.begin(), weights.end());
  auto word = [&] { return u"w" + Utf8ToUtf16(std::to_string(pick(random))) + u" "; };
  auto text = [&] {
    std::u16string made;
    for (auto n = random() % 12 + 1; n > 0; --n) made += word();
    return made;
  };
  TTranslationMemory memory;
  for (int i = 0; i < 6000; ++i) memory.Add({text(), u"t" + Utf8ToUtf16(std::to_string(i)), u""});
  std::vector<std::vector<std::u16string_view>> entryWords;
  for (std::size_t i = 0; i < memory.Size(); ++i) entryWords.push_back(WordsOf(memory.Entry(i).Source));
  auto ranks = [](const std::vector<TSuggestion>& found) {
    std::vector<std::pair<std::size_t, int>> pairs;
    for (const TSuggestion& suggestion : found) pairs.emplace_back(suggestion.Entry, suggestion.Percent);
    return pairs;
  };
  const std::vector<std::pair<std::size_t, int>> cases = {{5, 75}, {1, 75}, {5, 50}, {3, 90}, {5, 100}};
  for (int query = 0; query < 60; ++query) {
    // Stored texts, stored texts with a word added, and new texts with a word the memory lacks.
    std::u16string source = memory.Entry(random() % memory.Size()).Source;
    if (query % 3 == 1) source = word() + source;
    if (query % 3 == 2) source = u"unknown " + text();
    for (const auto& [limit, minimum] : cases) {
      SCOPED_TRACE(Utf16ToUtf8(source) + " min " + std::to_string(minimum));
      EXPECT_EQ(ranks(memory.Suggest(source, limit, minimum)),
                ranks(SuggestByComparingAll(memory, entryWords, source, limit, minimum)));
    }
  }
}

}  // namespace

namespace {

TEST(Concordance, FindsTheTextInSourcesAndTranslationsIgnoringCase) {
  TTranslationMemory memory;
  for (const auto& [source, translation] : std::vector<std::pair<std::u16string, std::u16string>>{
           {u"Станция «Вега-7» закрыта", u"Vega-7 station is closed"},
           {u"Доставьте ящики на станцию", u"Deliver the crates to the STATION"},
           {u"Награда: <Money> кредитов", u"Reward: <Money> credits"},
           {u"СТАНЦИЯ", u"Station"}})
    memory.Add({source, translation, u"id"});
  struct Case {
    std::u16string text;
    std::size_t limit;
    std::vector<std::size_t> entries;
    std::size_t total;
  };
  const std::vector<Case> cases = {
      {u"станци", 10, {0, 1, 3}, 3},    // Cyrillic case, inside a word
      {u"station", 10, {0, 1, 3}, 3},   // in the translation only
      {u"station", 2, {0, 1}, 3},       // the first ones, all counted
      {u"to the station", 10, {1}, 1},  // a phrase
      {u"<money>", 10, {2}, 1},         // markup as it is written, not an expression
      {u"v.ga", 10, {}, 0},
      {u"  ", 10, {}, 0},
  };
  for (const Case& c : cases) {
    const TConcordance found = FindInMemory(memory, c.text, c.limit);
    EXPECT_EQ(found.Entries, c.entries) << Utf16ToUtf8(c.text);
    EXPECT_EQ(found.Total, c.total) << Utf16ToUtf8(c.text);
  }
}

}  // namespace
