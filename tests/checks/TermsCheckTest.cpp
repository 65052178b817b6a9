// The check "terms": a translation against a glossary, in both languages' inflections, and the
// messages of a project it looks at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/CheckReport.h"
#include "checks/TermsCheck.h"
#include "common/ShippedData.h"
#include "glossary/TermMatcher.h"
#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/JD_Str.h"

namespace {

TGlossaryEntry Entry(std::u16string source, std::vector<std::u16string> targets,
                     TTermStatus status = TTermStatus::Preferred) {
  TGlossaryEntry entry;
  entry.Source = std::move(source);
  entry.Targets = std::move(targets);
  entry.Status = status;
  return entry;
}

std::vector<TGlossaryEntry> Glossary() {
  return {
      Entry(u"карта", {u"map", u"chart"}),
      Entry(u"звёздная карта", {u"star map"}),
      Entry(u"рейнджер", {u"ranger"}, TTermStatus::Admitted),
      Entry(u"корабль", {u"ship"}),
      Entry(u"корабль", {u"boat", u"vessel"}, TTermStatus::Forbidden),
      Entry(u"SMS", {}, TTermStatus::DoNotTranslate),
      Entry(u"Пеленг", {u"Peleng"}, TTermStatus::DoNotTranslate),
      Entry(u"топливо", {}),  // nothing to expect
  };
}

// "detail | span, span" a finding, the spans as "s:" or "t:" and the text they cover.
std::vector<std::string> Described(std::u16string_view source, std::u16string_view target,
                                   const std::vector<TCheckFinding>& findings) {
  std::vector<std::string> described;
  for (const TCheckFinding& finding : findings) {
    EXPECT_EQ(finding.Code, "terms");
    std::string line = WideToAnsi(finding.Detail) + " |";
    for (const TTextSpan& span : finding.Spans) {
      const std::u16string_view text = span.InSource ? source : target;
      line += std::string(span.InSource ? " s:" : " t:") +
              WideToAnsi(std::u16string(
                  text.substr(static_cast<std::size_t>(span.Begin), static_cast<std::size_t>(span.End - span.Begin))));
    }
    described.push_back(line);
  }
  return described;
}

TEST(TermsCheck, FindsMissingForbiddenAndChangedTerms) {
  const TTermMatcher matcher(Glossary(), "ru", "en");
  struct Case {
    std::u16string source;
    std::u16string target;
    std::vector<std::string> findings;
  };
  const std::vector<Case> cases = {
      // inflected forms on both sides
      {u"Купите карту.", u"Buy the map.", {}},
      {u"Купите карты.", u"Buy the CHARTS.", {}},
      {u"Нет карты.", u"No plan.", {"карта → map | s:карты"}},
      {u"Рейнджеры здесь.", u"The rangers are here.", {}},
      {u"Рейнджеры здесь.", u"The pilots are here.", {"рейнджер → ranger | s:Рейнджеры"}},
      // a term of two words is one term; its words alone do not stand for it
      {u"Звёздные карты тут.", u"Star maps here.", {}},
      {u"Звёздные карты тут.", u"Maps here.", {"звёздная карта → star map | s:Звёздные карты"}},
      // the edges of a text are word boundaries; markup is never a term
      {u"<clr>карта<clrEnd>", u"<clr>map<clrEnd>", {}},
      {u"Карта, карта", u"nothing", {"карта → map | s:Карта s:карта"}},
      {u"Карта, карта!", u"A map!", {}},
      // forbidden translations, with or without their term in the source
      {u"Корабль ждёт.", u"The ship waits.", {}},
      {u"Корабль ждёт.", u"The boat waits.", {"корабль → ship | s:Корабль", "forbidden: boat | t:boat"}},
      {u"Привет.", u"Vessels, boats!", {"forbidden: Vessels | t:Vessels", "forbidden: boats | t:boats"}},
      // do not translate: kept as written, as a whole word
      {u"Пришло SMS.", u"You got an SMS.", {}},
      {u"Пришло SMS.", u"You got an sms.", {"SMS → SMS | s:SMS"}},
      {u"Пришло SMS.", u"Your SMS’s text.", {}},
      {u"Пришло sms.", u"Texts.", {"SMS → SMS | s:sms"}},
      {u"Пришло SMS.", u"You got SMSes.", {"SMS → SMS | s:SMS"}},
      {u"Пеленгу привет.", u"Hello to Peleng.", {"Пеленг → Пеленг | s:Пеленгу"}},
      {u"Пеленгу привет.", u"Hello to Пеленг.", {}},
      {u"Топливо кончилось.", u"Out of gas.", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.source) + " -> " + WideToAnsi(c.target));
    EXPECT_EQ(Described(c.source, c.target, CheckTerms(matcher, c.source, c.target)), c.findings);
  }
}

TEST(ProjectTerms, OnlyEditedMessagesAreChecked) {
  TtxgProject project(ShippedCatalogue());
  project.NewFromSource(SampleQuestPath());
  // The first word of message 1 as a glossary term.
  const std::u16string source = project.GetSourceText(1);
  std::u16string word;
  for (const TMarkupToken& token : TokenizeMarkup(source))
    if (word.empty() && token.Kind == TMarkupKind::Word) word = token.In(source);
  ASSERT_FALSE(word.empty());
  const TTermMatcher matcher({Entry(word, {u"Zyx"})}, "ru", "en");
  EXPECT_TRUE(CheckMessageTerms(project, 1, matcher).empty());  // not translated yet
  project.SetTargetText(1, u"Other words.");
  ASSERT_EQ(CheckMessageTerms(project, 1, matcher).size(), 1u);
  EXPECT_EQ(CheckMessageTerms(project, 1, matcher)[0].Detail, word + u" → Zyx");
  project.SetTargetText(1, project.DeletedMessageText());
  EXPECT_TRUE(CheckMessageTerms(project, 1, matcher).empty());
  EXPECT_TRUE(CheckMessageTerms(project, 0, matcher).empty());
  EXPECT_TRUE(CheckMessageTerms(project, project.SourceCount + 1, matcher).empty());

  // The report counts the check only when it has a glossary, and lists its rows after the others.
  project.SetTargetText(1, u"Other words.");
  const TCheckReport plain = MakeCheckReport(project, nullptr);
  const TCheckReport withTerms = MakeCheckReport(project, nullptr, &matcher);
  EXPECT_EQ(withTerms.Checks.size(), plain.Checks.size() + 1);
  EXPECT_EQ(withTerms.Checks.back().Code, "terms");
  ASSERT_EQ(withTerms.Rows.size(), plain.Rows.size() + 1);
  std::size_t last = 0;
  for (std::size_t i = 0; i < withTerms.Rows.size(); ++i)
    if (withTerms.Rows[i].Message == 1) last = i;
  EXPECT_EQ(withTerms.Rows[last].Finding.Code, "terms");
  EXPECT_EQ(withTerms.Counts().back(), 1u);
}

}  // namespace
