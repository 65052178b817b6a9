#include "checks/TranslationChecks.h"

#include <algorithm>

#include "checks/TextChecks.h"
#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/JD_Str.h"

TReadText::TReadText(std::u16string_view text) : Text(text), Tokens(TokenizeMarkup(text)) {
  auto isEndBlank = [](char16_t c) { return IsMarkupBlank(c) || c == u'\r' || c == u'\n'; };
  while (InnerBegin < text.size() && isEndBlank(text[InnerBegin])) ++InnerBegin;
  InnerEnd = text.size();
  while (InnerEnd > InnerBegin && isEndBlank(text[InnerEnd - 1])) --InnerEnd;
}

TCheckFinding& AddFinding(std::vector<TCheckFinding>& findings, const TCheckCode& check) {
  TCheckFinding& finding = findings.emplace_back();
  finding.Code = check.Code;
  finding.Description = check.Description;
  return finding;
}

std::u16string MissingAndExtra(const std::vector<std::u16string_view>& missing,
                               const std::vector<std::u16string_view>& extra) {
  std::u16string detail;
  auto list = [&detail](std::u16string_view label, const std::vector<std::u16string_view>& pieces) {
    if (pieces.empty()) return;
    if (!detail.empty()) detail += u"; ";
    detail += label;
    for (std::size_t i = 0; i < pieces.size(); ++i) detail.append(i == 0 ? u" " : u", ").append(pieces[i]);
  };
  list(u"missing", missing);
  list(u"extra", extra);
  return detail;
}

namespace {

constexpr TCheckCode TagsCheck{"tags", "Tags differ from the source"};
constexpr TCheckCode FormulasCheck{"formulas", "Formulas differ from the source"};
constexpr TCheckCode ColorCheck{"color", "Colour tags are unbalanced or nested differently than in the source"};
constexpr TCheckCode WhitespaceCheck{"whitespace", "Blanks or line breaks at the ends differ from the source"};
constexpr TCheckCode LinesCheck{"lines", "The number of line breaks differs from the source"};
constexpr TCheckCode DoubleSpaceCheck{"doublespace", "Two or more spaces in a row"};
constexpr TCheckCode DoubleWordCheck{"doubleword", "The same word twice in a row"};
constexpr TCheckCode PunctuationCheck{"punctuation", "The translation ends with other punctuation than the source"};
constexpr TCheckCode UnchangedCheck{"unchanged", "The message is not translated yet"};

TTextSpan SpanOf(bool inSource, const TMarkupToken& token) {
  return {inSource, static_cast<int32_t>(token.Begin), static_cast<int32_t>(token.End)};
}

// Pairs equal items of two lists, each item of `a` with the first free equal item of `b` (the
// order RemoveCommonTags works in); lists what stays unpaired on either side.
template <typename Item>
void Unpaired(const std::vector<Item>& a, const std::vector<Item>& b, std::vector<std::size_t>& onlyA,
              std::vector<std::size_t>& onlyB) {
  std::vector<bool> taken(b.size(), false);
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::size_t j = 0;
    while (j < b.size() && (taken[j] || !(b[j] == a[i]))) ++j;
    if (j < b.size())
      taken[j] = true;
    else
      onlyA.push_back(i);
  }
  for (std::size_t j = 0; j < b.size(); ++j)
    if (!taken[j]) onlyB.push_back(j);
}

int32_t Offset(std::u16string_view text, std::u16string_view piece) {
  return static_cast<int32_t>(piece.data() - text.data());
}

void CheckTags(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  std::vector<std::u16string_view> a;
  std::vector<std::u16string_view> b;
  AppendExchangeTags(source.Text, a);
  AppendExchangeTags(target.Text, b);
  std::vector<std::size_t> onlyA;
  std::vector<std::size_t> onlyB;
  Unpaired(a, b, onlyA, onlyB);
  if (onlyA.empty() && onlyB.empty()) return;
  TCheckFinding& finding = AddFinding(findings, TagsCheck);
  std::vector<std::u16string_view> missing;
  std::vector<std::u16string_view> extra;
  for (std::size_t i : onlyA) {
    missing.push_back(a[i]);
    const int32_t at = Offset(source.Text, a[i]);
    finding.Spans.push_back({true, at, at + static_cast<int32_t>(a[i].size())});
  }
  for (std::size_t j : onlyB) {
    extra.push_back(b[j]);
    const int32_t at = Offset(target.Text, b[j]);
    finding.Spans.push_back({false, at, at + static_cast<int32_t>(b[j].size())});
  }
  finding.Detail = MissingAndExtra(missing, extra);
}

// Formulas compare as written, without the blanks and line breaks inside them.
std::u16string FormulaKey(std::u16string_view formula) {
  std::u16string key;
  for (char16_t c : formula)
    if (!IsMarkupBlank(c) && c != u'\r' && c != u'\n') key += c;
  return key;
}

void CheckFormulas(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  std::vector<const TMarkupToken*> formulasA;
  std::vector<const TMarkupToken*> formulasB;
  std::vector<std::u16string> keysA;
  std::vector<std::u16string> keysB;
  for (const TMarkupToken& token : source.Tokens)
    if (token.Kind == TMarkupKind::Formula)
      formulasA.push_back(&token), keysA.push_back(FormulaKey(token.In(source.Text)));
  for (const TMarkupToken& token : target.Tokens)
    if (token.Kind == TMarkupKind::Formula)
      formulasB.push_back(&token), keysB.push_back(FormulaKey(token.In(target.Text)));
  if (keysA.empty() && keysB.empty()) return;
  std::vector<std::size_t> onlyA;
  std::vector<std::size_t> onlyB;
  Unpaired(keysA, keysB, onlyA, onlyB);
  if (onlyA.empty() && onlyB.empty()) return;
  TCheckFinding& finding = AddFinding(findings, FormulasCheck);
  std::vector<std::u16string_view> missing;
  std::vector<std::u16string_view> extra;
  for (std::size_t i : onlyA) {
    missing.push_back(formulasA[i]->In(source.Text));
    finding.Spans.push_back(SpanOf(true, *formulasA[i]));
  }
  for (std::size_t j : onlyB) {
    extra.push_back(formulasB[j]->In(target.Text));
    finding.Spans.push_back(SpanOf(false, *formulasB[j]));
  }
  finding.Detail = MissingAndExtra(missing, extra);
}

// The colour tags of a text as "(" and ")", in order.
std::u16string ColorShape(const TReadText& text) {
  std::u16string shape;
  for (const TMarkupToken& token : text.Tokens) {
    if (token.Kind == TMarkupKind::ColorOpen) shape += u'(';
    if (token.Kind == TMarkupKind::ColorClose) shape += u')';
  }
  return shape;
}

bool Balanced(std::u16string_view shape) {
  int depth = 0;
  for (char16_t c : shape)
    if ((depth += c == u'(' ? 1 : -1) < 0) return false;
  return depth == 0;
}

void CheckColor(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  const std::u16string sourceShape = ColorShape(source);
  const std::u16string targetShape = ColorShape(target);
  if (sourceShape == targetShape) return;
  std::u16string detail;
  if (!Balanced(targetShape) && Balanced(sourceShape)) {
    detail = u"unbalanced";
  } else if (std::count(sourceShape.begin(), sourceShape.end(), u'(') ==
                 std::count(targetShape.begin(), targetShape.end(), u'(') &&
             sourceShape.size() == targetShape.size()) {
    detail = u"nested differently";
  } else {
    return;  // a colour tag more or less: the tags check tells
  }
  TCheckFinding& finding = AddFinding(findings, ColorCheck);
  finding.Detail = detail;
  for (const TMarkupToken& token : target.Tokens)
    if (token.Kind == TMarkupKind::ColorOpen || token.Kind == TMarkupKind::ColorClose)
      finding.Spans.push_back(SpanOf(false, token));
}

void CheckWhitespace(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  const bool leading = source.Text.substr(0, source.InnerBegin) != target.Text.substr(0, target.InnerBegin);
  const bool trailing = source.Text.substr(source.InnerEnd) != target.Text.substr(target.InnerEnd);
  if (!leading && !trailing) return;
  TCheckFinding& finding = AddFinding(findings, WhitespaceCheck);
  finding.Detail = leading && trailing ? u"leading and trailing" : leading ? u"leading" : u"trailing";
  if (leading) finding.Spans.push_back({false, 0, static_cast<int32_t>(target.InnerBegin)});
  if (trailing)
    finding.Spans.push_back({false, static_cast<int32_t>(target.InnerEnd), static_cast<int32_t>(target.Text.size())});
}

// Line breaks at the ends are the whitespace check's.
void CheckLines(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  auto innerBreaks = [](const TReadText& text) {
    return std::count_if(text.Tokens.begin(), text.Tokens.end(), [&text](const TMarkupToken& token) {
      return token.Kind == TMarkupKind::LineBreak && text.Inner(token);
    });
  };
  const auto sourceBreaks = innerBreaks(source);
  const auto targetBreaks = innerBreaks(target);
  if (sourceBreaks == targetBreaks) return;
  TCheckFinding& finding = AddFinding(findings, LinesCheck);
  const std::string detail = std::to_string(targetBreaks) + " instead of " + std::to_string(sourceBreaks);
  finding.Detail.assign(detail.begin(), detail.end());
  for (const TMarkupToken& token : target.Tokens)
    if (token.Kind == TMarkupKind::LineBreak && target.Inner(token)) finding.Spans.push_back(SpanOf(false, token));
}

// Runs of two or more spaces between the blanks at the ends.
std::vector<TTextSpan> DoubleSpaces(const TReadText& text, bool inSource) {
  std::vector<TTextSpan> runs;
  for (std::size_t i = text.InnerBegin; i + 1 < text.InnerEnd; ++i) {
    if (text.Text[i] != u' ' || text.Text[i + 1] != u' ') continue;
    std::size_t end = i + 2;
    while (end < text.InnerEnd && text.Text[end] == u' ') ++end;
    runs.push_back({inSource, static_cast<int32_t>(i), static_cast<int32_t>(end)});
    i = end;
  }
  return runs;
}

void CheckDoubleSpace(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  std::vector<TTextSpan> runs = DoubleSpaces(target, false);
  if (runs.empty() || !DoubleSpaces(source, true).empty()) return;
  TCheckFinding& finding = AddFinding(findings, DoubleSpaceCheck);
  const std::string detail = "at " + std::to_string(runs.front().Begin + 1);
  finding.Detail.assign(detail.begin(), detail.end());
  finding.Spans = std::move(runs);
}

bool SameWord(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           return FoldMarkupCase(x) == FoldMarkupCase(y);
         });
}

// Word pairs "w w" separated by blanks only, as spans from the first word to the second.
std::vector<TTextSpan> DoubleWords(const TReadText& text, bool inSource) {
  std::vector<TTextSpan> pairs;
  const TMarkupToken* previousWord = nullptr;
  for (const TMarkupToken& token : text.Tokens) {
    if (token.Kind == TMarkupKind::Blank) continue;
    if (token.Kind == TMarkupKind::Word) {
      if (previousWord != nullptr && SameWord(previousWord->In(text.Text), token.In(text.Text)))
        pairs.push_back({inSource, static_cast<int32_t>(previousWord->Begin), static_cast<int32_t>(token.End)});
      previousWord = &token;
    } else {
      previousWord = nullptr;
    }
  }
  return pairs;
}

void CheckDoubleWord(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  std::vector<TTextSpan> pairs = DoubleWords(target, false);
  if (pairs.empty() || !DoubleWords(source, true).empty()) return;
  TCheckFinding& finding = AddFinding(findings, DoubleWordCheck);
  const TTextSpan& first = pairs.front();
  for (const TMarkupToken& token : target.Tokens)
    if (token.Kind == TMarkupKind::Word && static_cast<int32_t>(token.Begin) == first.Begin)
      finding.Detail = token.In(target.Text);
  finding.Spans = std::move(pairs);
}

// The punctuation a text ends with, before the blanks and tags at its end: ".", "!", "?", ":", ";"
// or "…" (also written as three dots), with its span; empty when it ends otherwise.
std::u16string_view FinalMark(const TReadText& text, TTextSpan& span) {
  std::size_t end = text.InnerEnd;
  for (auto token = text.Tokens.rbegin(); token != text.Tokens.rend(); ++token) {
    if (token->Begin >= end) continue;
    if (token->End == end && ((token->IsTag() && token->Closed) || token->Kind == TMarkupKind::Blank ||
                              token->Kind == TMarkupKind::LineBreak)) {
      end = token->Begin;
      continue;
    }
    break;
  }
  if (end == 0) return {};
  const std::u16string_view body = text.Text.substr(0, end);
  if (body.ends_with(u"...") || body.ends_with(u"\u2026")) {
    const std::size_t length = body.ends_with(u"...") ? 3 : 1;
    span = {false, static_cast<int32_t>(end - length), static_cast<int32_t>(end)};
    return u"\u2026";
  }
  const char16_t last = body.back();
  if (std::u16string_view(u".!?:;").find(last) == std::u16string_view::npos) return {};
  span = {false, static_cast<int32_t>(end - 1), static_cast<int32_t>(end)};
  return body.substr(end - 1);
}

void CheckPunctuation(const TReadText& source, const TReadText& target, std::vector<TCheckFinding>& findings) {
  TTextSpan sourceSpan;
  TTextSpan targetSpan;
  const std::u16string_view sourceMark = FinalMark(source, sourceSpan);
  if (sourceMark.empty()) return;
  const std::u16string_view targetMark = FinalMark(target, targetSpan);
  if (targetMark == sourceMark) return;
  TCheckFinding& finding = AddFinding(findings, PunctuationCheck);
  finding.Found = targetMark;
  finding.Expected = sourceMark;
  finding.Detail = u"\"" + finding.Found + u"\" instead of \"" + finding.Expected + u"\"";
  if (targetMark.empty() && target.InnerEnd > 0)
    targetSpan = {false, static_cast<int32_t>(target.InnerEnd - 1), static_cast<int32_t>(target.InnerEnd)};
  finding.Spans.push_back(targetSpan);
}

bool HasLetters(std::u16string_view text) {
  TMarkupScanner scanner(text);
  TMarkupToken token;
  while (scanner.Next(token))
    if (token.Kind == TMarkupKind::Word) return true;
  return false;
}

}  // namespace

const std::vector<TCheckCode>& CheckCodes() {
  static const std::vector<TCheckCode> codes = {TagsCheck,    FormulasCheck,    ColorCheck,      WhitespaceCheck,
                                                LinesCheck,   DoubleSpaceCheck, DoubleWordCheck, PunctuationCheck,
                                                NumbersCheck, MixedScriptCheck, QuotesCheck,     LengthCheck,
                                                CapitalCheck, UnchangedCheck};
  return codes;
}

std::vector<TCheckFinding> CheckTranslation(std::u16string_view source, std::u16string_view target,
                                            const TLengthLimits& limits) {
  const TReadText readSource(source);
  const TReadText readTarget(target);
  std::vector<TCheckFinding> findings;
  CheckTags(readSource, readTarget, findings);
  CheckFormulas(readSource, readTarget, findings);
  CheckColor(readSource, readTarget, findings);
  CheckWhitespace(readSource, readTarget, findings);
  CheckLines(readSource, readTarget, findings);
  CheckDoubleSpace(readSource, readTarget, findings);
  CheckDoubleWord(readSource, readTarget, findings);
  CheckPunctuation(readSource, readTarget, findings);
  CheckNumbers(readSource, readTarget, findings);
  CheckMixedScript(readTarget, findings);
  CheckQuotes(readSource, readTarget, findings);
  CheckLength(readSource, readTarget, limits, findings);
  CheckCapital(readSource, readTarget, findings);
  return findings;
}

namespace {

TLengthLimits ProjectLengthLimits(const TtxgProject& project) {
  return LengthLimits(QuestSourceLanguage, WideToAnsi(project.Setting(u"language")));
}

std::vector<TCheckFinding> CheckMessageWithin(const TtxgProject& project, int32_t n, const TLengthLimits& limits) {
  std::vector<TCheckFinding> findings;
  if (n < 1 || n > project.SourceCount || n > project.TargetCount) return findings;
  const std::u16string source = project.GetSourceText(n);
  const std::u16string target = project.GetTargetText(n);
  // Not edited means equal to the source (and not accepted as it is) or deleted; only the first is
  // reported. A translation accepted as it is equals its source, so the checks below find nothing.
  if (project.IsNotEdited(n)) {
    if (target != project.DeletedMessageText() && HasLetters(source)) {
      TCheckFinding& finding = AddFinding(findings, UnchangedCheck);
      finding.Spans.push_back({false, 0, static_cast<int32_t>(target.size())});
    }
    return findings;
  }
  return CheckTranslation(source, target, limits);
}

}  // namespace

std::vector<TCheckFinding> CheckMessage(const TtxgProject& project, int32_t n) {
  return CheckMessageWithin(project, n, ProjectLengthLimits(project));
}

std::vector<TMessageFindings> CheckProject(const TtxgProject& project) {
  std::vector<TMessageFindings> result;
  const TLengthLimits limits = ProjectLengthLimits(project);
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    std::vector<TCheckFinding> findings = CheckMessageWithin(project, n, limits);
    if (!findings.empty()) result.push_back({n, std::move(findings)});
  }
  return result;
}
