// Finding glossary terms in texts: stems of both languages, case, word boundaries, multi-word
// terms, markup, and which of overlapping terms wins.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glossary/TermMatcher.h"
#include "support/JD_Str.h"

namespace {

TEST(WordStemmer, FoldsCaseAndStemsByTheLanguageCode) {
  struct Case {
    std::string language;
    std::u16string word;
    std::u16string stem;
    bool stemmer;
  };
  const std::vector<Case> cases = {
      {"ru", u"карта", u"карт", true},      {"ru", u"КАРТЫ", u"карт", true},
      {"ru_RU", u"Картой", u"карт", true},  {"ru", u"Звёздная", u"звездн", true},  // ё is е
      {"ru", u"ЗВЕЗДНАЯ", u"звездн", true}, {"en", u"Maps", u"map", true},
      {"en_US", u"running", u"run", true},  {"EN-gb", u"ranger’s", u"ranger", true},  // a typographic apostrophe too
      {"de-DE", u"Häuser", u"haus", true},  {"xx", u"Ёлки", u"елки", false},          // no stemmer: case only
      {"", u"MAPS", u"maps", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language + " " + WideToAnsi(c.word));
    const TWordStemmer stemmer(c.language);
    EXPECT_EQ(stemmer.HasStemmer(), c.stemmer);
    EXPECT_EQ(WideToAnsi(stemmer.Stem(c.word)), WideToAnsi(c.stem));
  }
}

TGlossaryEntry Entry(std::u16string source, std::vector<std::u16string> targets,
                     TTermStatus status = TTermStatus::Preferred) {
  TGlossaryEntry entry;
  entry.Source = std::move(source);
  entry.Targets = std::move(targets);
  entry.Status = status;
  return entry;
}

std::vector<TGlossaryEntry> Entries() {
  return {
      Entry(u"карта", {u"map", u"chart"}),                      // 0
      Entry(u"звёздная карта", {u"star map"}),                  // 1
      Entry(u"рейнджер", {u"ranger"}),                          // 2
      Entry(u"Vega-7", {u"Vega-7"}),                            // 3
      Entry(u"чёрная дыра", {u"black hole"}),                   // 4
      Entry(u"дыра", {u"hole"}),                                // 5
      Entry(u"Карта", {u"card"}),                               // 6: the same term, listed later
      Entry(u"станция", {u"station"}, TTermStatus::Forbidden),  // 7
      Entry(u"станция", {u"outpost"}),                          // 8
      Entry(u"белый карлик", {u"white dwarf"}),                 // 9
      Entry(u"карлик звезды класса", {u"dwarf of the class"}),  // 10
      Entry(u"<clr>", {u"!"}),                                  // 11: no words, never found
      Entry(u"Гаал", {u"Gaal"}),                                // 12: stemmed "гаа", but "Гаалу" "гаал"
  };
}

// "covered text@entry.term" for each match, in order.
std::vector<std::string> Listed(std::u16string_view text, const std::vector<TTermMatch>& matches) {
  std::vector<std::string> listed;
  for (const TTermMatch& match : matches)
    listed.push_back(WideToAnsi(std::u16string(text.substr(static_cast<std::size_t>(match.Begin),
                                                           static_cast<std::size_t>(match.End - match.Begin)))) +
                     "@" + std::to_string(match.Entry) + "." + std::to_string(match.Term));
  return listed;
}

struct FindCase {
  std::u16string text;
  std::vector<std::string> found;
};

template <typename Find>
void ExpectFound(const std::vector<FindCase>& cases, Find&& find) {
  for (const FindCase& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.text));
    EXPECT_EQ(Listed(c.text, find(c.text)), c.found);
  }
}

TEST(TermMatcher, FindsSourceTermsInAnyFormOnWordBoundariesOutsideMarkup) {
  const TTermMatcher matcher(Entries(), "ru", "en");
  ExpectFound(
      {
          {u"Звёздную карту продают здесь.", {"Звёздную карту@1.0"}},
          {u"Карты, карта и картой", {"Карты@0.0", "карта@0.0", "картой@0.0"}},
          {u"ЗВЕЗДНАЯ карта", {"ЗВЕЗДНАЯ карта@1.0"}},
          {u"звёздная\r\n  карта", {"звёздная\r\n  карта@1.0"}},
          {u"звёздная, карта", {"карта@0.0"}},  // punctuation ends a term
          {u"звёздная <clr>карта<clrEnd>", {"карта@0.0"}},
          {u"<Рейнджер> [карта] {карта + 1}", {}},  // tags and formulas are never searched
          {u"рейнджер", {"рейнджер@2.0"}},
          {u"Рейнджеры-ветераны", {"Рейнджеры@2.0"}},
          {u"картограф и картоха", {}},
          {u"Летим к Vega-7!", {"Vega-7@3.0"}},
          {u"Vega-71", {}},
          {u"Чёрная дыра и дыра", {"Чёрная дыра@4.0", "дыра@5.0"}},
          {u"станция", {"станция@8.0"}},  // a forbidden entry gives way to an equally long one
          {u"белый карлик звезды класса", {"карлик звезды класса@10.0"}},  // the longer one, though later
          {u"белый карлик звезды", {"белый карлик@9.0"}},
          {u"Гаал, Гаалу и гаала", {"Гаал@12.0", "Гаалу@12.0", "гаала@12.0"}},
          {u"", {}},
      },
      [&matcher](std::u16string_view text) { return matcher.FindSourceTerms(text); });
}

// Every occurrence of the target terms, overlaps kept. The fail links find a term that starts
// inside a longer one that broke off, the output links one that ends inside another; a language
// without stemmer matches whole words in any case.
TEST(TermMatcher, FindsEveryTargetTermOverlapsKept) {
  const TTermMatcher english(Entries(), "ru", "en");
  const TTermMatcher nested({Entry(u"-", {u"a b c d", u"b c", u"c", u"b c e"})}, "", "");
  const TTermMatcher unstemmed(Entries(), "xx", "");
  const struct {
    const TTermMatcher& matcher;
    std::vector<FindCase> cases;
  } tables[] = {
      {english,
       {{u"The star maps are here", {"star maps@1.0", "maps@0.0"}},
        {u"CHARTS", {"CHARTS@0.1"}},
        {u"Black holes, a hole.", {"Black holes@4.0", "holes@5.0", "hole@5.0"}},
        {u"The <map> and [hole]", {}},
        {u"outposts and stations", {"outposts@8.0", "stations@7.0"}},
        {u"maple, mapmaker", {}}}},
      {nested,
       {{u"a b c x", {"b c@0.1", "c@0.2"}},
        {u"a b c e", {"b c@0.1", "b c e@0.3", "c@0.2"}},
        {u"a b c d", {"a b c d@0.0", "b c@0.1", "c@0.2"}},
        {u"a b a b c", {"b c@0.1", "c@0.2"}},
        {u"c, c", {"c@0.2", "c@0.2"}}}},
      {unstemmed, {{u"Map maps", {"Map@0.0"}}}},
  };
  for (const auto& table : tables)
    ExpectFound(table.cases, [&table](std::u16string_view text) { return table.matcher.FindTargetTerms(text); });
  EXPECT_EQ(Listed(u"КАРТА карты", unstemmed.FindSourceTerms(u"КАРТА карты")), std::vector<std::string>{"КАРТА@0.0"});
  EXPECT_FALSE(unstemmed.Empty());
  EXPECT_TRUE(TTermMatcher({}, "ru", "en").Empty());
  EXPECT_TRUE(TTermMatcher({}, "ru", "en").FindSourceTerms(u"карта").empty());
}

}  // namespace
