// Quest markup: how texts split into tags, formulas, words and numbers, and the exchange tag list,
// which must stay exactly what the exchange import has always compared.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "quest/QuestMarkup.h"
#include "support/JD_Str.h"

namespace {

// "kind:text" for every token, kinds as letters: T tag, ( colour open, ) colour close, F formula,
// f formula cut short, t tag cut short, W word, N number, _ blank, / line break, . other; blanks
// and line breaks with their length.
std::string Tokens(std::u16string_view text) {
  std::string result;
  for (const TMarkupToken& token : TokenizeMarkup(text)) {
    char kind = '.';
    switch (token.Kind) {
      case TMarkupKind::Tag:
        kind = token.Closed ? 'T' : 't';
        break;
      case TMarkupKind::ColorOpen:
        kind = '(';
        break;
      case TMarkupKind::ColorClose:
        kind = ')';
        break;
      case TMarkupKind::Formula:
        kind = token.Closed ? 'F' : 'f';
        break;
      case TMarkupKind::Word:
        kind = 'W';
        break;
      case TMarkupKind::Number:
        kind = 'N';
        break;
      case TMarkupKind::Blank:
        kind = '_';
        break;
      case TMarkupKind::LineBreak:
        kind = '/';
        break;
      case TMarkupKind::Other:
        kind = '.';
        break;
    }
    // Blanks and line breaks show their length: they are not readable in the expectations.
    const bool invisible = token.Kind == TMarkupKind::Blank || token.Kind == TMarkupKind::LineBreak;
    result += (result.empty() ? "" : " ") + std::string(1, kind) + ":" +
              (invisible ? std::to_string(token.End - token.Begin) : WideToAnsi(std::u16string(token.In(text))));
  }
  return result;
}

TEST(QuestMarkup, TextsSplitIntoTokens) {
  const std::vector<std::pair<std::u16string, std::string>> cases = {
      {u"", ""},
      {u"Награда: <Money> кр.", "W:Награда .:: _:1 T:<Money> _:1 W:кр .:."},
      {u"<clr>ключ-карта<clrEnd>", "(:<clr> W:ключ .:- W:карта ):<clrEnd>"},
      {u"<CLR><clr >", "T:<CLR> T:<clr >"},
      {u"Осталось [p3] ч.", "W:Осталось _:1 F:[p3] _:1 W:ч .:."},
      {u"{[p1]+{2}}x", "F:{[p1]+{2}} W:x"},
      {u"[[p1]] ]", "F:[[p1]] _:1 .:]"},
      // Tags are cut first: a "<" inside a formula ends the formula and starts a tag.
      {u"{[p1]<3}", "f:{[p1] t:<3}"},
      {u"{[p1]>3}", "F:{[p1]>3}"},
      {u"a <b", "W:a _:1 t:<b"},
      {u"[p1", "f:[p1"},
      {u"don't it’s 'quoted'", "W:don't _:1 W:it’s _:1 .:' W:quoted .:'"},
      {u"3,5 и 1.000.000, 7.", "N:3,5 _:1 W:и _:1 N:1.000.000 .:, _:1 N:7 .:."},
      {u"P1\tx\u00A0 y", "W:P N:1 _:1 W:x _:2 W:y"},
      {u"a\r\nb\nc\r\rd", "W:a /:2 W:b /:1 W:c /:1 /:1 W:d"},
      {u"Ελλάδα «Вега» №5 …", "W:Ελλάδα _:1 .:« W:Вега .:» _:1 .:№ N:5 _:1 .:…"},
  };
  for (const auto& [text, tokens] : cases) EXPECT_EQ(Tokens(text), tokens) << WideToAnsi(text);
}

TEST(QuestMarkup, LettersAndCaseFolding) {
  for (char16_t c : std::u16string(u"aZéÿĀжЁЯёΩωß")) EXPECT_TRUE(IsMarkupLetter(c)) << static_cast<int>(c);
  for (char16_t c : std::u16string(u"0 .,;!?«»—–…№×÷\u00A0\u2019\u3000"))
    EXPECT_FALSE(IsMarkupLetter(c)) << static_cast<int>(c);
  const std::u16string upper = u"AZÀÞЁЂЯАΑΩĀŒѢӐ×ß";
  const std::u16string lower = u"azàþёђяаαωāœѣӑ×ß";
  for (std::size_t i = 0; i < upper.size(); ++i) {
    EXPECT_EQ(FoldMarkupCase(upper[i]), lower[i]) << i;
    EXPECT_EQ(FoldMarkupCase(lower[i]), lower[i]) << i;
  }
}

// The exchange import's tag rule as it has always been written: "<" through the next ">", an
// unclosed "<" to the end, and after the last tag a stray ">" with the text before it (not at 0).
std::vector<std::u16string> ReferenceExchangeTags(const std::u16string& text) {
  std::vector<std::u16string> tags;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find(u'<', pos);
    if (open == std::u16string::npos) {
      const std::size_t close = text.find(u'>', pos);
      if (close != std::u16string::npos && close > 0) tags.push_back(text.substr(pos, close - pos + 1));
      break;
    }
    const std::size_t close = text.find(u'>', open);
    if (close == std::u16string::npos) {
      tags.push_back(text.substr(open));
      break;
    }
    tags.push_back(text.substr(open, close - open + 1));
    pos = close + 1;
  }
  return tags;
}

std::vector<std::u16string> ExchangeTags(const std::u16string& text) {
  std::vector<std::u16string_view> views;
  AppendExchangeTags(text, views);
  return std::vector<std::u16string>(views.begin(), views.end());
}

TEST(QuestMarkup, ExchangeTagsKeepTheImportsRule) {
  const std::vector<std::pair<std::u16string, std::vector<std::u16string>>> cases = {
      {u"", {}},
      {u">", {}},
      {u">>", {}},
      {u"a>>", {u"a>"}},
      {u"a>b>", {u"a>"}},
      {u"x<a>y>z>", {u"<a>", u"y>"}},
      {u"x>y<a>", {u"<a>"}},
      {u"<a<b>c", {u"<a<b>"}},
      {u"<a>[p>1]", {u"<a>", u"[p>"}},
      {u"<clr>a<clrEnd><b", {u"<clr>", u"<clrEnd>", u"<b"}},
  };
  for (const auto& [text, tags] : cases) EXPECT_EQ(ExchangeTags(text), tags) << WideToAnsi(text);

  std::mt19937 random(7);
  const std::u16string alphabet = u"<>[]{}a \r\nclrEnd";
  for (int i = 0; i < 5000; ++i) {
    std::u16string text(std::uniform_int_distribution<std::size_t>(0, 14)(random), u' ');
    for (char16_t& c : text) c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    ASSERT_EQ(ExchangeTags(text), ReferenceExchangeTags(text)) << WideToAnsi(text);
  }
}

}  // namespace
