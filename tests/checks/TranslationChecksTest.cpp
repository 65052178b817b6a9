// The translation checks: each fixture pair trips exactly its own check, near misses and the
// sample quest's messages under markup-keeping translations trip none, and the message rules
// (untranslated, deleted) come from the project.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "checks/TranslationChecks.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/JD_Str.h"

namespace {

std::string Codes(const std::vector<TCheckFinding>& findings) {
  std::string codes;
  for (const TCheckFinding& finding : findings) codes += (codes.empty() ? "" : " ") + std::string(finding.Code);
  return codes;
}

std::u16string SpanText(std::u16string_view source, std::u16string_view target, const TTextSpan& span) {
  const std::u16string_view text = span.InSource ? source : target;
  return std::u16string(
      text.substr(static_cast<std::size_t>(span.Begin), static_cast<std::size_t>(span.End - span.Begin)));
}

struct TrippingPair {
  std::u16string source;
  std::u16string target;
  std::string code;
  std::u16string detail;
  std::vector<std::u16string> spans;  // the texts the spans cover, in order
};

TEST(TranslationChecks, EachFixturePairTripsExactlyItsOwnCheck) {
  const std::vector<TrippingPair> pairs = {
      {u"Награда: <Money> кр.",
       u"Reward: <money> cr.",
       "tags",
       u"missing <Money>; extra <money>",
       {u"<Money>", u"<money>"}},
      {u"<ToStar> закрыта.", u"Closed.", "tags", u"missing <ToStar>", {u"<ToStar>"}},
      {u"Топливо: <>", u"Fuel: <> <>", "tags", u"extra <>", {u"<>"}},
      {u"Иди <Money>.", u"Go <Money.", "tags", u"missing <Money>; extra <Money.", {u"<Money>", u"<Money."}},
      // A stray ">" counts with the text before it, as the exchange import reads it.
      {u"a > b", u"a b", "tags", u"missing a >", {u"a >"}},
      {u"Осталось [p3] ч.", u"Left: [p4] h.", "formulas", u"missing [p3]; extra [p4]", {u"[p3]", u"[p4]"}},
      {u"Сумма {[p1]+2}.",
       u"Sum {[p1] + 3}.",
       "formulas",
       u"missing {[p1]+2}; extra {[p1] + 3}",
       {u"{[p1]+2}", u"{[p1] + 3}"}},
      {u"Сумма {[p1]+2}.",
       u"Sum {[p1]+2 .",
       "formulas",
       u"missing {[p1]+2}; extra {[p1]+2 .",
       {u"{[p1]+2}", u"{[p1]+2 ."}},
      {u"<clr>а<clrEnd> и <clr>б<clrEnd>",
       u"<clr>a and <clr>b<clrEnd><clrEnd>",
       "color",
       u"nested differently",
       {u"<clr>", u"<clr>", u"<clrEnd>", u"<clrEnd>"}},
      {u"<clr>Внимание<clrEnd>!", u"<clrEnd>Attention<clr>!", "color", u"unbalanced", {u"<clrEnd>", u"<clr>"}},
      {u"Привет ", u"Hello", "whitespace", u"trailing", {u""}},
      {u"\r\nПривет", u" Hello", "whitespace", u"leading", {u" "}},
      {u" Привет\r\n", u"Hello\n", "whitespace", u"leading and trailing", {u"", u"\n"}},
      {u"Первая строка.\r\nВторая.", u"First line. Second.", "lines", u"0 instead of 1", {}},
      {u"Один.", u"One.\r\nTwo.", "lines", u"1 instead of 0", {u"\r\n"}},
      {u"Слово за словом.", u"Word  by   word.", "doublespace", u"at 5", {u"  ", u"   "}},
      {u"Он ушёл.", u"He left left.", "doubleword", u"left", {u"left left"}},
      {u"Это он.", u"It is\tIS him.", "doubleword", u"is", {u"is\tIS"}},
      {u"Кто вы?", u"Who are you.", "punctuation", u"\".\" instead of \"?\"", {u"."}},
      {u"Подождите...", u"Wait.", "punctuation", u"\".\" instead of \"…\"", {u"."}},
      {u"Подождите…", u"Wait", "punctuation", u"\"\" instead of \"…\"", {u"t"}},
      {u"Внимание: <clr>всем<clrEnd>!",
       u"Attention: <clr>everyone<clrEnd>;",
       "punctuation",
       u"\";\" instead of \"!\"",
       {u";"}},
      {u"Награда: 250 кредитов.", u"Reward: 25 credits.", "numbers", u"missing 250; extra 25", {u"250", u"25"}},
      {u"Курс 2,5 к <Money>.", u"Rate 2.5 to 3 <Money>.", "numbers", u"extra 3", {u"3"}},
      {u"Осталось [p3] из 1\u00A0000 ч.",
       u"Left: [p3] of 100 h.",
       "numbers",
       u"missing 1\u00A0000; extra 100",
       {u"1\u00A0000", u"100"}},
      {u"Вы заплатили 5 и ещё 5.", u"You paid 5 and 6 more.", "numbers", u"missing 5; extra 6", {u"5", u"6"}},
      // The Latin "a" in a Russian word, the Cyrillic "а" in English ones.
      {u"Летим к Веге.", u"Летим к Вегa.", "mixedscript", u"Вег[a]", {u"Вегa"}},
      {u"На <ToPlanet> и Марс.",
       u"To <ToPlanet> and Mаrs, Eаrth.",
       "mixedscript",
       u"M[а]rs, E[а]rth",
       {u"Mаrs", u"Eаrth"}},
      {u"Он сказал: «Бегите!»", u"He said: “Run!", "quotes", u"unpaired “", {u"“"}},
      {u"Капитан (он же <Ranger>) ушёл.", u"The captain (that is, <Ranger> left.", "quotes", u"unpaired (", {u"("}},
      {u"Надпись: \"Стой\".", u"The sign: \"Stop.", "quotes", u"unpaired \"", {u"\""}},
      {u"Ответ: «да».", u"The answer: 'yes.", "quotes", u"unpaired '", {u"'"}},
      {u"Вы стоите у шлюза станции, в руке <clr>ключ-карта<clrEnd>.",
       u"At the <clr>lock<clrEnd>.",
       "length",
       u"9 letters to the source's 35",
       {u"At the <clr>lock<clrEnd>."}},
      {u"Вы стоите у шлюза станции [p1] раз.",
       u"You are standing in front of the old airlock of the station for the [p1] time, thinking about home.",
       "length",
       u"75 letters to the source's 24",
       {u"You are standing in front of the old airlock of the station for the [p1] time, thinking about home."}},
      {u"Вы прибыли на <ToPlanet>.",
       u"you arrived at <ToPlanet>.",
       "capital",
       u"small letter where the source has a capital",
       {u"В", u"y"}},
      {u"— и тогда он ушёл.",
       u"— And then he left.",
       "capital",
       u"capital where the source has a small letter",
       {u"и", u"A"}},
      {u"Я <clr>здесь<clrEnd>.",
       u"i am <clr>here<clrEnd>.",
       "capital",
       u"small letter where the source has a capital",
       {u"Я", u"i"}},
  };
  for (const TrippingPair& pair : pairs) {
    SCOPED_TRACE(WideToAnsi(pair.source) + " -> " + WideToAnsi(pair.target));
    const std::vector<TCheckFinding> findings = CheckTranslation(pair.source, pair.target);
    ASSERT_EQ(Codes(findings), pair.code);
    EXPECT_EQ(WideToAnsi(findings[0].Detail), WideToAnsi(pair.detail));
    std::vector<std::u16string> spans;
    for (const TTextSpan& span : findings[0].Spans) spans.push_back(SpanText(pair.source, pair.target, span));
    EXPECT_EQ(spans, pair.spans);
  }
  // Every check but "unchanged" (a message rule, below) has a pair above.
  for (const TCheckCode& check : CheckCodes()) {
    const bool covered =
        std::any_of(pairs.begin(), pairs.end(), [&](const TrippingPair& p) { return p.code == check.Code; });
    EXPECT_TRUE(covered || check.Code == "unchanged") << check.Code;
  }
}

TEST(TranslationChecks, NearMissesTripNothing) {
  const std::vector<std::pair<std::u16string, std::u16string>> pairs = {
      {u"<Money> и <ToStar>", u"<ToStar> and <Money>"},            // tags in another order
      {u"Сумма {[p1]+2} и [p2].", u"Sum [p2] and { [p1] + 2 }."},  // blanks inside formulas
      {u"Подождите...", u"Wait…"},                                 // three dots are an ellipsis
      {u"Подождите…", u"Wait..."},
      {u"<clr>Кто вы?<clrEnd>", u"<clr>Who are you?<clrEnd>"},  // the mark before a closing tag
      {u"<clr>а<clrEnd> и <clr>б<clrEnd>", u"<clr>b<clrEnd>, <clr>a<clrEnd>"},
      {u"Да да, конечно.", u"Yes yes, of course."},    // the source doubles a word too
      {u"Так  вот", u"So  then"},                      // and has double spaces
      {u"Привет", u"Hello."},                          // no mark to keep
      {u"Строка\r\nвторая\r\n", u"Line\nsecond\r\n"},  // a break is a break
      {u"  Отступ", u"  Indent"},
      {u"Число 1 1", u"Number 1 1"},  // numbers are not words
      {u"Он, он.", u"He, he."},       // a comma between the words
      {u"Топливо: <>", u"Fuel: <>"},
      // numbers: one value however it is written; numbers in formulas are the formulas check's
      {u"Цена 1000 кр.", u"Price 1,000 cr."},
      {u"Цена 1\u202F000 000 кр.", u"Price 1.000.000 cr."},
      {u"Цена 12 500,5 кр.", u"Price 12,500.50 cr."},
      {u"Курс 2,5 к 1.", u"Rate 2.5 to 1."},
      {u"В отсеке 4 200 тонн.", u"Bay 4 holds 200 tonnes."},
      {u"Налог {[p1]*10} кр., 5 из 05.", u"Tax {[p1] * 10} cr., 5 of 5."},
      {u"<clr>20-й<clrEnd> день", u"<clr>20th<clrEnd> day"},
      // mixedscript: ids, and scripts joined by a hyphen
      {u"Пришло SMS-сообщение от Яx9.", u"Пришло SMS-сообщение от Яx9."},
      // quotes: pairs of another style, apostrophes, a quotation the source leaves open too
      {u"«Стой», — сказал он (тихо).", u"“Stop,” he said (quietly)."},
      {u"Он сказал: „Привет“.", u"He said: \"Hello\"."},
      {u"Это не их вина.", u"It isn't the players' fault, rock 'n' roll."},
      {u"«Начало цитаты", u"“Start of a quote"},
      {u"Выбор: 1) да 2) нет", u"Choice: 1) yes 2) no"},
      // length: short sources, markup that is no letters, a long text within the limits
      {u"Да.", u"Yes, of course, captain, right away."},
      {u"<clr>Внимание<clrEnd>: {[p1]*100} кредитов на счету [p2].",
       u"<clr>Attention<clrEnd>: {[p1]*100} credits in the account [p2]."},
      // capital: markup or a number first, abbreviations, names with capitals inside, capitals
      {u"<Ranger>, вы прибыли.", u"welcome, <Ranger>."},
      {u"5 кредитов — это много.", u"5 credits is a lot."},
      {u"НАСА сообщает.", u"nasa reports."},
      {u"айфон пропал.", u"iPhone is gone."},
      {u"у звезды <ToStar>", u"У ЗВЕЗДЫ <ToStar>"},
      {u"«Стой!» — крикнул он.", u"\"Stop!\" he shouted."},
  };
  for (const auto& [source, target] : pairs)
    EXPECT_EQ(Codes(CheckTranslation(source, target)), "") << WideToAnsi(source) << " -> " << WideToAnsi(target);
}

// ----- messages of a project -----

class ProjectChecks : public ::testing::Test {
 protected:
  ProjectChecks() : project(ShippedCatalogue()) { project.NewFromSource(SampleQuestPath()); }
  TtxgProject project;
};

TEST_F(ProjectChecks, UntranslatedAndDeletedMessagesFollowTheProjectsRules) {
  // Message 1 has tags and letters; message 9 "Топливо на исходе: <>" too.
  ASSERT_NE(project.GetSourceText(1).find(u"<Money>"), std::u16string::npos);
  EXPECT_EQ(Codes(CheckMessage(project, 1)), "unchanged");
  const std::vector<TCheckFinding> unchanged = CheckMessage(project, 1);
  ASSERT_EQ(unchanged[0].Spans.size(), 1u);
  EXPECT_EQ(unchanged[0].Spans[0], (TTextSpan{false, 0, static_cast<int32_t>(project.GetTargetText(1).size())}));

  // The deleted-message text looks like a formula, but a deleted message has no findings.
  project.SetTargetText(1, project.DeletedMessageText());
  EXPECT_EQ(Codes(CheckMessage(project, 1)), "");
  project.SetTargetText(1, u"Deleted.");
  EXPECT_EQ(Codes(CheckMessage(project, 1)), "tags lines numbers length");
  EXPECT_EQ(Codes(CheckMessage(project, 0)), "");
  EXPECT_EQ(Codes(CheckMessage(project, project.SourceCount + 1)), "");

  // Kept as it is, the source text is a translation with nothing to report.
  project.SetTargetText(1, project.GetSourceText(1));
  project.SetTranslatedAsIs(1, true);
  EXPECT_EQ(Codes(CheckMessage(project, 1)), "");
  EXPECT_TRUE(CheckProject(project).empty() || CheckProject(project)[0].Message != 1);
}

TEST_F(ProjectChecks, AMessageWithoutLettersIsNotReportedAsUntranslated) {
  for (int32_t n = 1; n <= project.SourceCount; ++n) {
    bool letters = false;
    for (const TMarkupToken& token : TokenizeMarkup(project.GetSourceText(n)))
      letters = letters || token.Kind == TMarkupKind::Word;
    EXPECT_EQ(Codes(CheckMessage(project, n)), letters ? "unchanged" : "") << n;
  }
  project.SetTargetText(1, u"<>");
  project.SourceGame.QuestDescription.Text = u"<>";
  EXPECT_EQ(Codes(CheckMessage(project, 1)), "");
}

TEST_F(ProjectChecks, CheckProjectListsEachPositionOnceInMessageOrder) {
  const std::vector<TMessageFindings> all = CheckProject(project);
  ASSERT_EQ(static_cast<int32_t>(all.size()), project.PositionCount);
  for (std::size_t i = 0; i < all.size(); ++i)
    EXPECT_EQ(all[i].Message, project.MessageAtPosition(static_cast<int32_t>(i) + 1));
  project.SetTargetText(2, u"Saved.");
  const std::vector<TMessageFindings> after = CheckProject(project);
  EXPECT_EQ(after.size(), all.size());
  EXPECT_EQ(Codes(after[1].Findings), "tags numbers length");
}

// Translations that keep every piece of markup and only change the words.
std::u16string ChangeWords(std::u16string_view text,
                           const std::function<std::u16string(std::u16string_view, int)>& change) {
  std::u16string result;
  int index = 0;
  for (const TMarkupToken& token : TokenizeMarkup(text))
    result += token.Kind == TMarkupKind::Word ? change(token.In(text), index++) : std::u16string(token.In(text));
  return result;
}

char16_t Upper(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= u'а' && c <= u'я')) return static_cast<char16_t>(c - 0x20);
  if (c >= u'ѐ' && c <= u'џ') return static_cast<char16_t>(c - 0x50);
  return c;
}

TEST_F(ProjectChecks, TheSampleQuestUnderMarkupKeepingTranslationsHasNoFindings) {
  const std::vector<std::function<std::u16string(std::u16string_view, int)>> translations = {
      [](std::u16string_view word, int) { return std::u16string(word.rbegin(), word.rend()); },
      [](std::u16string_view word, int) {  // every letter another Latin one of the same case
        std::u16string latin(word);
        for (char16_t& c : latin) {
          const char16_t small = static_cast<char16_t>(u'a' + FoldMarkupCase(c) % 26);
          if (IsMarkupLetter(c)) c = FoldMarkupCase(c) == c ? small : static_cast<char16_t>(small - 0x20);
        }
        return latin;
      },
      [](std::u16string_view word, int) {
        std::u16string upper(word);
        std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
        return upper;
      },
  };
  int32_t clean = 0;
  for (const auto& translate : translations) {
    for (int32_t n = 1; n <= project.SourceCount; ++n) {
      const std::u16string source = project.GetSourceText(n);
      const std::u16string target = ChangeWords(source, translate);
      if (target == source) continue;  // nothing to translate: not a translated pair
      project.SetTargetText(n, target);
      EXPECT_EQ(Codes(CheckMessage(project, n)), "") << n << ": " << WideToAnsi(target);
      ++clean;
    }
  }
  EXPECT_GE(clean, 200);
}

}  // namespace
