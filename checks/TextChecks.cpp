#include "checks/TextChecks.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TTextSpan SpanOf(bool inSource, uint32_t begin, uint32_t end) {
  return {inSource, static_cast<int32_t>(begin), static_cast<int32_t>(end)};
}

// A letter run glued to a digit or an underscore ("P1", "x2", "L12"): an id, not a word.
bool IsId(const TReadText& text, std::size_t word) {
  auto gluing = [&text](const TMarkupToken& token) {
    return token.Kind == TMarkupKind::Number || (token.Kind == TMarkupKind::Other && text.Text[token.Begin] == u'_');
  };
  return (word > 0 && gluing(text.Tokens[word - 1])) ||
         (word + 1 < text.Tokens.size() && gluing(text.Tokens[word + 1]));
}

// ----- numbers -----

// A number as a text writes it, with the values it can mean: "2,5" and "2.5" mean 2.5; "1,000" means
// 1000 or 1 (a thousands separator or a decimal comma); "1 000", "1,000,000" and "1.000,5" group
// thousands. Values are digits with at most one ".", without leading or trailing zeros.
struct TNumber {
  uint32_t Begin = 0;
  uint32_t End = 0;
  std::u16string Value;
  std::u16string Other;  // the second reading, or empty
};

std::u16string Canonical(std::u16string_view whole, std::u16string_view fraction) {
  const std::size_t first = std::min(whole.find_first_not_of(u'0'), whole.size());
  std::u16string value = first == whole.size() ? u"0" : std::u16string(whole.substr(first));
  const std::size_t last = fraction.find_last_not_of(u'0');
  if (last != std::u16string_view::npos) value.append(u".").append(fraction.substr(0, last + 1));
  return value;
}

// Reads digits with "." and "," between them (the blanks of "1 000" taken out).
void ReadValue(const std::u16string& written, TNumber& number) {
  std::vector<std::u16string_view> groups;
  std::u16string separators;
  const std::u16string_view all(written);
  std::size_t start = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (IsDigit(all[i])) continue;
    groups.push_back(all.substr(start, i - start));
    separators += all[i];
    start = i + 1;
  }
  groups.push_back(all.substr(start));
  if (separators.empty()) {
    number.Value = Canonical(all, {});
    return;
  }
  auto joined = [&groups](std::size_t count) {
    std::u16string digits;
    for (std::size_t i = 0; i < count; ++i) digits += groups[i];
    return digits;
  };
  auto thousands = [&groups](std::size_t count) {
    if (groups[0].size() > 3) return false;
    return std::all_of(groups.begin() + 1, groups.begin() + static_cast<std::ptrdiff_t>(count),
                       [](std::u16string_view group) { return group.size() == 3; });
  };
  const bool oneKind = separators.find_first_not_of(separators[0]) == std::u16string::npos;
  if (oneKind && separators.size() == 1) {
    number.Value = Canonical(groups[0], groups[1]);
    if (thousands(2)) number.Other = Canonical(joined(2), {});
  } else if (oneKind) {
    // Thousands separators, or a date or a version compared as written.
    number.Value = thousands(groups.size()) ? Canonical(joined(groups.size()), {}) : written;
  } else {
    // The last separator is the decimal one, the others group thousands.
    const std::u16string_view head = std::u16string_view(separators).substr(0, separators.size() - 1);
    const bool grouped = head.find(separators.back()) == std::u16string_view::npos &&
                         head.find_first_not_of(head[0]) == std::u16string_view::npos && thousands(groups.size() - 1);
    number.Value = grouped ? Canonical(joined(groups.size() - 1), groups.back()) : written;
  }
}

// One blank between digit groups: space, no-break space, narrow no-break space or thin space.
bool IsGroupBlank(const TReadText& text, const TMarkupToken& token) {
  if (token.End - token.Begin != 1) return false;
  const char16_t c = text.Text[token.Begin];
  return c == u' ' || c == u'\u00A0' || c == u'\u202F' || c == u'\u2009';
}

bool StartsWithGroupOfThree(std::u16string_view digits) {
  return digits.size() >= 3 && IsDigit(digits[0]) && IsDigit(digits[1]) && IsDigit(digits[2]) &&
         (digits.size() == 3 || !IsDigit(digits[3]));
}

// The numbers outside markup; with `joinGroups`, "1 000 000" is one number, otherwise three.
std::vector<TNumber> Numbers(const TReadText& text, bool joinGroups) {
  std::vector<TNumber> numbers;
  const std::vector<TMarkupToken>& tokens = text.Tokens;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].Kind != TMarkupKind::Number) continue;
    TNumber& number = numbers.emplace_back();
    number.Begin = tokens[i].Begin;
    std::u16string written(tokens[i].In(text.Text));
    bool grouping = joinGroups && written.size() <= 3 && std::all_of(written.begin(), written.end(), IsDigit);
    while (grouping && i + 2 < tokens.size() && IsGroupBlank(text, tokens[i + 1]) &&
           tokens[i + 2].Kind == TMarkupKind::Number && StartsWithGroupOfThree(tokens[i + 2].In(text.Text))) {
      i += 2;
      written += tokens[i].In(text.Text);
      grouping = tokens[i].End - tokens[i].Begin == 3;  // a decimal part ends the number
    }
    number.End = tokens[i].End;
    ReadValue(written, number);
  }
  return numbers;
}

bool SameNumber(const TNumber& a, const TNumber& b) {
  return a.Value == b.Value || (!b.Other.empty() && a.Value == b.Other) ||
         (!a.Other.empty() && (a.Other == b.Value || a.Other == b.Other));
}

// Pairs the numbers of two texts, first by their first readings, then by any; true when all pair.
bool PairNumbers(const std::vector<TNumber>& a, const std::vector<TNumber>& b, std::vector<bool>& takenA,
                 std::vector<bool>& takenB) {
  takenA.assign(a.size(), false);
  takenB.assign(b.size(), false);
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      for (std::size_t j = 0; j < b.size() && !takenA[i]; ++j) {
        if (takenB[j] || !(pass == 0 ? a[i].Value == b[j].Value : SameNumber(a[i], b[j]))) continue;
        takenA[i] = true;
        takenB[j] = true;
      }
    }
  }
  return a.size() == b.size() && std::all_of(takenA.begin(), takenA.end(), [](bool taken) { return taken; });
}

// True when both texts write the same numbers in the same order (most translations): they pair.
bool SameNumbersInOrder(const TReadText& a, const TReadText& b) {
  auto nextNumber = [](const TReadText& text, std::size_t& i) {
    while (i < text.Tokens.size() && text.Tokens[i].Kind != TMarkupKind::Number) ++i;
    return i < text.Tokens.size();
  };
  std::size_t i = 0;
  std::size_t j = 0;
  for (;; ++i, ++j) {
    const bool inA = nextNumber(a, i);
    if (inA != nextNumber(b, j)) return false;
    if (!inA) return true;
    if (a.Tokens[i].In(a.Text) != b.Tokens[j].In(b.Text)) return false;
  }
}

// ----- quotation marks and brackets -----

enum TMarkFamily { DoubleQuotes, Brackets, SingleQuotes, FamilyCount };

// The positions of the marks left without their pair, per family.
using TUnpairedMarks = std::array<std::vector<uint32_t>, FamilyCount>;

bool OpensBeforeQuote(char16_t c) { return std::u16string_view(u"(«„“\"—–-/").find(c) != std::u16string_view::npos; }

// «» and „“ pair in order, as do “” and "" (a “ closes a „, a ” closes either); ( ) pair; ' opens
// a quote at a word's start (after a blank, a line break or an opening mark) and a later ' after a
// word closes it; other apostrophes (players') are no marks.
TUnpairedMarks UnpairedMarks(const TReadText& text) {
  TUnpairedMarks unpaired;
  std::vector<std::pair<char16_t, uint32_t>> quotes;
  std::vector<uint32_t> brackets;
  std::vector<uint32_t> singles;
  const std::vector<TMarkupToken>& tokens = text.Tokens;
  auto top = [&quotes] { return quotes.empty() ? u'\0' : quotes.back().first; };
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].Kind != TMarkupKind::Other) continue;
    const uint32_t at = tokens[i].Begin;
    const char16_t c = text.Text[at];
    if (c == u'«' || c == u'„' || (c == u'“' && top() != u'„') || (c == u'"' && top() != u'"')) {
      quotes.emplace_back(c, at);
    } else if ((c == u'»' && top() == u'«') || (c == u'“' && top() == u'„') ||
               (c == u'”' && (top() == u'“' || top() == u'„')) || c == u'"') {
      quotes.pop_back();
    } else if (c == u'»' || c == u'”') {
      unpaired[DoubleQuotes].push_back(at);
    } else if (c == u'(') {
      brackets.push_back(at);
    } else if (c == u')') {
      if (brackets.empty())
        unpaired[Brackets].push_back(at);
      else
        brackets.pop_back();
    } else if (c == u'\'') {
      const TMarkupKind before = i == 0 ? TMarkupKind::Blank : tokens[i - 1].Kind;
      const bool opening = (before == TMarkupKind::Blank || before == TMarkupKind::LineBreak ||
                            (before == TMarkupKind::Other && OpensBeforeQuote(text.Text[tokens[i - 1].Begin]))) &&
                           i + 1 < tokens.size() &&
                           (tokens[i + 1].Kind == TMarkupKind::Word || tokens[i + 1].Kind == TMarkupKind::Number);
      const bool afterText = before != TMarkupKind::Blank && before != TMarkupKind::LineBreak;
      if (opening)
        singles.push_back(at);
      else if (afterText && !singles.empty())
        singles.pop_back();
    }
  }
  for (const auto& [mark, at] : quotes) unpaired[DoubleQuotes].push_back(at);
  unpaired[Brackets].insert(unpaired[Brackets].end(), brackets.begin(), brackets.end());
  unpaired[SingleQuotes] = std::move(singles);
  return unpaired;
}

bool HasMarks(const TReadText& text) {
  return std::any_of(text.Tokens.begin(), text.Tokens.end(), [&text](const TMarkupToken& token) {
    return token.Kind == TMarkupKind::Other &&
           std::u16string_view(u"«»„“”\"()'").find(text.Text[token.Begin]) != std::u16string_view::npos;
  });
}

// ----- letters -----

// A word token holds letters and the apostrophes between them.
bool IsWordApostrophe(char16_t c) { return c == u'\'' || c == u'\u2019'; }

int32_t Letters(const TReadText& text) {
  int32_t letters = 0;
  for (const TMarkupToken& token : text.Tokens) {
    if (token.Kind != TMarkupKind::Word) continue;
    letters += static_cast<int32_t>(token.End - token.Begin);
    for (uint32_t k = token.Begin; k < token.End; ++k) letters -= IsWordApostrophe(text.Text[k]);
  }
  return letters;
}

// The script of a character of a word token, without asking whether it is a letter.
TMarkupScript WordScript(char16_t c) {
  if (c < 0x250) return IsWordApostrophe(c) ? TMarkupScript::Other : TMarkupScript::Latin;
  if (c >= 0x400 && c < 0x530) return TMarkupScript::Cyrillic;
  return c >= 0x1E00 && c < 0x1F00 ? TMarkupScript::Latin : TMarkupScript::Other;
}

bool IsCapital(char16_t c) { return FoldMarkupCase(c) != c; }

enum class TFirstCase { None, Small, Capital };

// The case of a text's first word, after blanks and punctuation. None when markup or a number
// comes first, and for a first letter without case, an id, an abbreviation in capitals ("NASA"), a
// word with capitals inside ("iPhone") or a text in capitals.
TFirstCase FirstCase(const TReadText& text) {
  for (std::size_t i = 0; i < text.Tokens.size(); ++i) {
    const TMarkupToken& token = text.Tokens[i];
    if (token.Kind == TMarkupKind::Blank || token.Kind == TMarkupKind::LineBreak || token.Kind == TMarkupKind::Other)
      continue;
    if (token.Kind != TMarkupKind::Word || IsId(text, i)) return TFirstCase::None;
    const std::u16string_view word = token.In(text.Text);
    const auto rest = word.substr(1);
    if (IsMarkupSmall(word[0]))
      return std::none_of(rest.begin(), rest.end(), IsCapital) ? TFirstCase::Small : TFirstCase::None;
    if (!IsCapital(word[0])) return TFirstCase::None;
    if (std::any_of(rest.begin(), rest.end(), IsMarkupSmall)) return TFirstCase::Capital;
    if (std::any_of(rest.begin(), rest.end(), IsMarkupLetter)) return TFirstCase::None;
    // One capital letter ("I", "Я"), unless the next word is in capitals too: a text in capitals.
    for (std::size_t j = i + 1; j < text.Tokens.size(); ++j) {
      if (text.Tokens[j].Kind != TMarkupKind::Word) continue;
      const std::u16string_view next = text.Tokens[j].In(text.Text);
      return std::any_of(next.begin(), next.end(), IsMarkupSmall) ? TFirstCase::Capital : TFirstCase::None;
    }
    return TFirstCase::Capital;
  }
  return TFirstCase::None;
}

uint32_t FirstWordBegin(const TReadText& text) {
  for (const TMarkupToken& token : text.Tokens)
    if (token.Kind == TMarkupKind::Word) return token.Begin;
  return 0;
}

}  // namespace

TLengthLimits LengthLimits(std::string_view sourceLanguage, std::string_view targetLanguage) {
  // Chinese, Japanese and Korean write a word in one to three characters.
  struct TPairLimits {
    std::string_view Source;
    std::string_view Target;
    TLengthLimits Limits;
  };
  static constexpr std::array<TPairLimits, 3> Table = {{
      {"ru", "zh", {0.1, 1.0}},
      {"ru", "ja", {0.15, 1.2}},
      {"ru", "ko", {0.15, 1.2}},
  }};
  auto language = [](std::string_view code) {
    std::string primary(code.substr(0, code.find_first_of("_-.@")));
    for (char& c : primary) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return primary;
  };
  const std::string source = language(sourceLanguage);
  const std::string target = language(targetLanguage);
  for (const TPairLimits& row : Table)
    if (row.Source == source && row.Target == target) return row.Limits;
  return {};
}

void CheckNumbers(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  if (SameNumbersInOrder(source, target)) return;
  const std::vector<TNumber> a = Numbers(source, true);
  const std::vector<TNumber> b = Numbers(target, true);
  std::vector<bool> takenA;
  std::vector<bool> takenB;
  if (PairNumbers(a, b, takenA, takenB)) return;
  // "5 100" may be two numbers, as the translation writes them.
  std::vector<bool> unusedA;
  std::vector<bool> unusedB;
  if (PairNumbers(Numbers(source, false), Numbers(target, false), unusedA, unusedB)) return;
  TCheckFinding& finding = AddFinding(findings, NumbersCheck);
  std::vector<std::u16string_view> missing;
  std::vector<std::u16string_view> extra;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (takenA[i]) continue;
    missing.push_back(source.Text.substr(a[i].Begin, a[i].End - a[i].Begin));
    finding.Spans.push_back(SpanOf(true, a[i].Begin, a[i].End));
  }
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (takenB[j]) continue;
    extra.push_back(target.Text.substr(b[j].Begin, b[j].End - b[j].Begin));
    finding.Spans.push_back(SpanOf(false, b[j].Begin, b[j].End));
  }
  finding.Detail = MissingAndExtra(missing, extra);
}

// The detail shows each such word with its letters of the other script in square brackets
// ("Вег[a]"): the script of fewer letters in the word, or on a tie the one the text uses less.
void CheckMixedScript(const TReadText& target, std::vector<TCheckFinding>& findings) {
  std::vector<std::size_t> mixed;
  for (std::size_t i = 0; i < target.Tokens.size(); ++i) {
    const TMarkupToken& token = target.Tokens[i];
    if (token.Kind != TMarkupKind::Word) continue;
    bool latin = false;
    bool cyrillic = false;
    for (uint32_t k = token.Begin; k < token.End && !(latin && cyrillic); ++k) {
      const TMarkupScript script = WordScript(target.Text[k]);
      latin = latin || script == TMarkupScript::Latin;
      cyrillic = cyrillic || script == TMarkupScript::Cyrillic;
    }
    if (latin && cyrillic && !IsId(target, i)) mixed.push_back(i);
  }
  if (mixed.empty()) return;
  auto count = [](std::u16string_view text, TMarkupScript script) {
    return std::count_if(text.begin(), text.end(), [script](char16_t c) { return MarkupScript(c) == script; });
  };
  const bool latinRarerInText = count(target.Text, TMarkupScript::Latin) < count(target.Text, TMarkupScript::Cyrillic);
  TCheckFinding& finding = AddFinding(findings, MixedScriptCheck);
  for (std::size_t i : mixed) {
    const TMarkupToken& token = target.Tokens[i];
    const std::u16string_view word = token.In(target.Text);
    const auto latin = count(word, TMarkupScript::Latin);
    const auto cyrillic = count(word, TMarkupScript::Cyrillic);
    const bool latinForeign = latin != cyrillic ? latin < cyrillic : latinRarerInText;
    const TMarkupScript foreign = latinForeign ? TMarkupScript::Latin : TMarkupScript::Cyrillic;
    if (!finding.Detail.empty()) finding.Detail += u", ";
    for (std::size_t k = 0; k < word.size(); ++k) {
      const bool marked = MarkupScript(word[k]) == foreign;
      if (marked && (k == 0 || MarkupScript(word[k - 1]) != foreign)) finding.Detail += u'[';
      finding.Detail += word[k];
      if (marked && (k + 1 == word.size() || MarkupScript(word[k + 1]) != foreign)) finding.Detail += u']';
    }
    finding.Spans.push_back(SpanOf(false, token.Begin, token.End));
  }
}

// Marks the source leaves unpaired too (a quotation running over several messages) are no finding:
// a family of marks is reported when the translation leaves more of it unpaired than the source.
void CheckQuotes(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  if (!HasMarks(target)) return;
  const TUnpairedMarks inTarget = UnpairedMarks(target);
  const TUnpairedMarks inSource = UnpairedMarks(source);
  std::vector<uint32_t> reported;
  for (int family = 0; family < FamilyCount; ++family)
    if (inTarget[family].size() > inSource[family].size())
      reported.insert(reported.end(), inTarget[family].begin(), inTarget[family].end());
  if (reported.empty()) return;
  std::sort(reported.begin(), reported.end());
  TCheckFinding& finding = AddFinding(findings, QuotesCheck);
  finding.Detail = u"unpaired";
  for (std::size_t k = 0; k < reported.size(); ++k) {
    finding.Detail.append(k == 0 ? u" " : u", ") += target.Text[reported[k]];
    finding.Spans.push_back(SpanOf(false, reported[k], reported[k] + 1));
  }
}

void CheckLength(const TReadText& source, const TReadText& target, const TLengthLimits& limits,
                 std::vector<TCheckFinding>& findings) {
  const int32_t sourceLetters = Letters(source);
  if (sourceLetters <= 20) return;
  const int32_t targetLetters = Letters(target);
  const double ratio = static_cast<double>(targetLetters) / sourceLetters;
  if (ratio >= limits.Shortest && ratio <= limits.Longest) return;
  TCheckFinding& finding = AddFinding(findings, LengthCheck);
  finding.Detail = Wide(std::to_string(targetLetters) + " letters to the source's " + std::to_string(sourceLetters));
  finding.Spans.push_back(
      SpanOf(false, static_cast<uint32_t>(target.InnerBegin), static_cast<uint32_t>(target.InnerEnd)));
}

void CheckCapital(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  const TFirstCase sourceCase = FirstCase(source);
  if (sourceCase == TFirstCase::None) return;
  const TFirstCase targetCase = FirstCase(target);
  if (targetCase == TFirstCase::None || targetCase == sourceCase) return;
  TCheckFinding& finding = AddFinding(findings, CapitalCheck);
  finding.Detail = targetCase == TFirstCase::Small ? u"small letter where the source has a capital"
                                                   : u"capital where the source has a small letter";
  const uint32_t sourceAt = FirstWordBegin(source);
  const uint32_t targetAt = FirstWordBegin(target);
  finding.Spans.push_back(SpanOf(true, sourceAt, sourceAt + 1));
  finding.Spans.push_back(SpanOf(false, targetAt, targetAt + 1));
}
