#include "bench/GeneratedGlossary.h"

#include <string>

namespace {

const char16_t* const RussianSyllables[] = {u"ка", u"ро", u"ми", u"ту", u"ле", u"на", u"зо", u"ви", u"ше", u"да",
                                            u"гу", u"пы", u"ре", u"со", u"ба", u"жи", u"ло", u"фе", u"ча", u"ню"};
const char16_t* const LatinSyllables[] = {u"ka", u"ro", u"mi", u"tu", u"le", u"na",  u"zo", u"vi", u"she", u"da",
                                          u"gu", u"py", u"re", u"so", u"ba", u"zhi", u"lo", u"fe", u"cha", u"nyu"};
const char16_t* const Endings[] = {u"р", u"н", u"ст", u"ль", u"ка", u"ор", u"ия", u"ан"};

// The n-th made-up word: its syllables are the digits of n in base 20, so no two are the same.
std::u16string Word(std::size_t n, const char16_t* const* syllables, bool ending) {
  std::u16string word;
  std::size_t rest = n + 400;  // at least three syllables
  while (rest > 0) {
    word += syllables[rest % 20];
    rest /= 20;
  }
  if (ending) word += Endings[n % 8];
  return word;
}

TGlossaryEntry Entry(std::u16string source, std::u16string target) {
  TGlossaryEntry entry;
  entry.Source = std::move(source);
  entry.Targets.push_back(std::move(target));
  return entry;
}

}  // namespace

TGlossary GeneratedGlossary(std::size_t terms) {
  TGlossary glossary;
  glossary.SourceLanguage = "ru";
  glossary.TargetLanguage = "en";
  glossary.Entries = {Entry(u"шлюз", u"airlock"),       Entry(u"станция", u"station"),
                      Entry(u"ключ-карта", u"keycard"), Entry(u"кредит", u"credit"),
                      Entry(u"локация", u"location"),   Entry(u"особое сообщение", u"special message")};
  for (std::size_t n = 0; glossary.Entries.size() < terms; ++n) {
    std::u16string source = Word(n, RussianSyllables, true);
    std::u16string target = Word(n, LatinSyllables, false);
    if (n % 5 == 4) {
      source = Word(n * 7 + 3, RussianSyllables, true) + u"ая " + source;
      target = Word(n * 7 + 3, LatinSyllables, false) + u" " + target;
    }
    glossary.Entries.push_back(Entry(std::move(source), std::move(target)));
  }
  glossary.Entries.resize(terms);
  return glossary;
}
